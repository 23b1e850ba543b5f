<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Labelled</name>
    <message>
        <source>Radiation patterns</source>
        <translation>Диаграммы направленности</translation>
    </message>
    <message>
        <source>no radiation</source>
        <translation>вибратор не излучает</translation>
    </message>
    <message>
        <source>%1 dBi</source>
        <translation>%1 дБи</translation>
    </message>
    <message>
        <source>%1 Ω</source>
        <translation>%1 Ом</translation>
    </message>
    <message>
        <source>Rin undefined</source>
        <translation>Rвх не определено</translation>
    </message>
    <message>
        <source>D = %1 dBi</source>
        <translation>КНД = %1 дБи</translation>
    </message>
    <message>
        <source>half-power width %1°</source>
        <translation>ширина по половинной мощности %1°</translation>
    </message>
    <message>
        <source>Rin = %1 Ω</source>
        <translation>Rвх = %1 Ом</translation>
    </message>
    <message>
        <source>Rin undefined (current node at the feed)</source>
        <translation>Rвх не определено (узел тока в точке питания)</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <source>θ, angle from the dipole axis</source>
        <translation>θ, угол от оси вибратора</translation>
    </message>
    <message>
        <source>F / Fmax</source>
        <translation>F / Fмакс</translation>
    </message>
    <message>
        <source>F / Fmax, dB</source>
        <translation>F / Fмакс, дБ</translation>
    </message>
    <message>
        <source>directive gain, dBi</source>
        <translation>КНД в направлении, дБи</translation>
    </message>
    <message>
        <source>HPBW %1°</source>
        <translation>ширина ДН %1°</translation>
    </message>
    <message>
        <source>half-power level</source>
        <translation>уровень половинной мощности</translation>
    </message>
    <message>
        <source>dipole axis</source>
        <translation>ось вибратора</translation>
    </message>
    <message>
        <source>Current along the wire, M = %1 λ</source>
        <translation>Ток вдоль вибратора, M = %1 λ</translation>
    </message>
    <message>
        <source>at the feed %1 of the maximum</source>
        <translation>в точке питания %1 от максимума</translation>
    </message>
    <message>
        <source>a wire of no length carries no current</source>
        <translation>у вибратора нулевой длины нет тока</translation>
    </message>
    <message>
        <source>sinusoidal current</source>
        <translation>синусоидальный ток</translation>
    </message>
    <message>
        <source>theory</source>
        <translation>теория</translation>
    </message>
    <message>
        <source>position along the wire, λ</source>
        <translation>положение на вибраторе, λ</translation>
    </message>
    <message>
        <source>I against the largest |I|, + in phase with the feed</source>
        <translation>I относительно наибольшего |I|, «+» в фазе с током питания</translation>
    </message>
    <message>
        <source>one half-wave, in phase with the feed</source>
        <translation>одна полуволна, в фазе с током питания</translation>
    </message>
    <message>
        <source>%1 half-waves: %2 in phase with the feed, %3 opposite</source>
        <translation>полуволн: %1; в фазе с током питания: %2, в противофазе: %3</translation>
    </message>
    <message>
        <source>NEC-2 in phase, %1 segments</source>
        <translation>NEC-2 в фазе, сегментов: %1</translation>
    </message>
    <message>
        <source>NEC-2 in quadrature</source>
        <translation>NEC-2 в квадратуре</translation>
    </message>
    <message>
        <source>feed: %1</source>
        <translation>питание: %1</translation>
    </message>
    <message>
        <source>Input impedance, wire radius %1 λ</source>
        <translation>Входное сопротивление, радиус провода %1 λ</translation>
    </message>
    <message>
        <source>no resonance in this range</source>
        <translation>в этом диапазоне резонансов нет</translation>
    </message>
    <message>
        <source>NEC-2 R</source>
        <translation>R по NEC-2</translation>
    </message>
    <message>
        <source>NEC-2 X</source>
        <translation>X по NEC-2</translation>
    </message>
    <message>
        <source>● resonance ○ anti-resonance</source>
        <translation>● резонанс ○ антирезонанс</translation>
    </message>
    <message>
        <source>NEC-2: X has no zero</source>
        <translation>NEC-2: X нигде не равно нулю</translation>
    </message>
    <message>
        <source>resonances at M = %1</source>
        <translation>резонансы при M = %1</translation>
    </message>
    <message>
        <source>shaded, (…): the model&apos;s, not the wire&apos;s</source>
        <translation>затенено, (…): только модель</translation>
    </message>
    <message>
        <source>resistance R</source>
        <translation>активное R</translation>
    </message>
    <message>
        <source>reactance X</source>
        <translation>реактивное X</translation>
    </message>
    <message>
        <source>X = 0</source>
        <translation>X = 0</translation>
    </message>
    <message>
        <source>length M, λ</source>
        <translation>длина M, λ</translation>
    </message>
    <message>
        <source>Smith chart, Z₀ = %1 Ω</source>
        <translation>Диаграмма Вольперта — Смита, Z₀ = %1 Ом</translation>
    </message>
    <message>
        <source>reflection coefficient Γ</source>
        <translation>коэффициент отражения Γ</translation>
    </message>
    <message>
        <source>measured</source>
        <translation>измерение</translation>
    </message>
    <message>
        <source>frequency, %1</source>
        <translation>частота, %1</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Гц</translation>
    </message>
    <message>
        <source>kHz</source>
        <translation>кГц</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <source>GHz</source>
        <translation>ГГц</translation>
    </message>
    <message>
        <source>no resonance in this band</source>
        <translation>в этой полосе резонанса нет</translation>
    </message>
    <message>
        <source>resonance: %1</source>
        <translation>резонанс: %1</translation>
    </message>
    <message>
        <source>%1 none</source>
        <translation>%1 — нет</translation>
    </message>
    <message>
        <source>%1 %2 to %3 (%4 %)</source>
        <translation>%1 от %2 до %3 (%4 %)</translation>
    </message>
    <message>
        <source>SWR ≤ %1: %2</source>
        <translation>КСВ ≤ %1: %2</translation>
    </message>
    <message>
        <source>Input impedance of a wire %1 m long, %2 mm in radius</source>
        <translation>Входное сопротивление провода длиной %1 м, радиусом %2 мм</translation>
    </message>
    <message>
        <source>SWR and return loss of a wire %1 m long, %2 mm in radius</source>
        <translation>КСВ и возвратные потери провода длиной %1 м, радиусом %2 мм</translation>
    </message>
    <message>
        <source>return loss</source>
        <translation>возвратные потери</translation>
    </message>
    <message>
        <source>SWR</source>
        <translation>КСВ</translation>
    </message>
    <message>
        <source>return loss, dB</source>
        <translation>возвратные потери, дБ</translation>
    </message>
    <message>
        <source>Ω</source>
        <translation>Ом</translation>
    </message>
    <message>
        <source>SWR on %1 Ω</source>
        <translation>КСВ в линии %1 Ом</translation>
    </message>
    <message>
        <source>SWR against the line&apos;s resistance, M = %1</source>
        <translation>КСВ в зависимости от волнового сопротивления линии, M = %1</translation>
    </message>
    <message>
        <source>Z = %1; the least SWR %2 on a line of %3 Ω; %4</source>
        <translation>Z = %1; наименьший КСВ %2 на линии %3 Ом; %4</translation>
    </message>
    <message>
        <source>the best line, R₀ = |Z|</source>
        <translation>лучшая линия, R₀ = |Z|</translation>
    </message>
    <message>
        <source>line resistance R₀, Ω</source>
        <translation>волновое сопротивление линии R₀, Ом</translation>
    </message>
    <message>
        <source>Monopole %1 λ high</source>
        <translation>Несимметричный вибратор высотой %1 λ</translation>
    </message>
    <message>
        <source>fed at its base on a perfect ground</source>
        <translation>питание в основании, идеально проводящая земля</translation>
    </message>
    <message>
        <source>horizontal dipole over a perfect ground</source>
        <translation>горизонтальный вибратор над идеально проводящей землёй</translation>
    </message>
    <message>
        <source>vertical dipole over a perfect ground</source>
        <translation>вертикальный вибратор над идеально проводящей землёй</translation>
    </message>
    <message>
        <source>across the wire</source>
        <translation>поперёк вибратора</translation>
    </message>
    <message>
        <source>along the wire</source>
        <translation>вдоль вибратора</translation>
    </message>
    <message>
        <source>elevation above the ground</source>
        <translation>угол места над землёй</translation>
    </message>
    <message>
        <source>Input impedance against the height, M = %1 λ</source>
        <translation>Входное сопротивление в зависимости от высоты, M = %1 λ</translation>
    </message>
    <message>
        <source>horizontal dipole over a perfect ground, radius %1 λ</source>
        <translation>горизонтальный вибратор над идеально проводящей землёй, радиус %1 λ</translation>
    </message>
    <message>
        <source>vertical dipole over a perfect ground, radius %1 λ</source>
        <translation>вертикальный вибратор над идеально проводящей землёй, радиус %1 λ</translation>
    </message>
    <message>
        <source>Input impedance at h = %1 λ</source>
        <translation>Входное сопротивление на высоте h = %1 λ</translation>
    </message>
    <message>
        <source>in free space</source>
        <translation>в свободном пространстве</translation>
    </message>
    <message>
        <source>height of the centre, λ</source>
        <translation>высота центра, λ</translation>
    </message>
    <message>
        <source>all half a wave long, the feed at the node between two (its phase taken beside it)</source>
        <translation>все длиной в полволны, питание в узле между двумя (фаза взята рядом с ним)</translation>
    </message>
    <message>
        <source>all half a wave long</source>
        <translation>все длиной в полволны</translation>
    </message>
    <message>
        <source>%1 λ long</source>
        <translation>длиной %1 λ</translation>
    </message>
    <message>
        <source>the middle one %1, the others half a wave</source>
        <translation>средняя %1, остальные в полволны</translation>
    </message>
    <message>
        <source>Current half-waves</source>
        <translation>Полуволны тока</translation>
    </message>
    <message>
        <source>none: a wire of no length carries no current</source>
        <translation>нет: в проводе нулевой длины нет тока</translation>
    </message>
    <message>
        <source>%1: %2 in phase with the feed, %3 opposite; %4</source>
        <translation>%1: %2 в фазе с питанием, %3 в противофазе; %4</translation>
    </message>
    <message>
        <source>Near a full wave</source>
        <translation>Вблизи полной волны</translation>
    </message>
    <message>
        <source>input values outside the model&apos;s validity (%1 to %2 wavelengths, radius %3)</source>
        <translation>входные величины вне области применимости модели (от %1 до %2 длин волн, радиус %3)</translation>
    </message>
    <message>
        <source>Thick wire</source>
        <translation>Толстый провод</translation>
    </message>
    <message>
        <source>reactance outside the closed form&apos;s validity: %1 radii long, below %2</source>
        <translation>реактивное сопротивление вне области применимости формулы: длина %1 радиусов, меньше %2</translation>
    </message>
    <message>
        <source>Resonant length</source>
        <translation>Резонансная длина</translation>
    </message>
    <message>
        <source>the closed form&apos;s, outside its validity for this radius</source>
        <translation>по формуле, вне области её применимости для этого радиуса</translation>
    </message>
    <message>
        <source>Reference current</source>
        <translation>Ток отнесения</translation>
    </message>
    <message>
        <source>loop current I_m of the standing wave, beyond the wire&apos;s ends for M &lt; 0.5:</source>
        <translation>ток пучности I_m стоячей волны, за концами провода при M &lt; 0,5:</translation>
    </message>
    <message>
        <source>the radiation resistance and the reactance at I maximum are referred to it</source>
        <translation>к нему отнесены сопротивление излучения и реактивное сопротивление в максимуме тока</translation>
    </message>
    <message>
        <source>the radiation resistance is referred to it</source>
        <translation>к нему отнесено сопротивление излучения</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source> Ω</source>
        <translation> Ом</translation>
    </message>
    <message>
        <source> (the rectangular picture&apos;s mark at 0.7)</source>
        <translation> (отметка прямоугольного графика на уровне 0,7)</translation>
    </message>
    <message>
        <source>Length M, wavelengths</source>
        <translation>Длина M, длин волн</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>Диаграмма</translation>
    </message>
    <message>
        <source>zero at every angle: no maximum, beam width or directivity</source>
        <translation>нулевая при всех углах: нет максимума, ширины и КНД</translation>
    </message>
    <message>
        <source>Bracket of the plot</source>
        <translation>Скобка на графике</translation>
    </message>
    <message>
        <source>Radiation resistance</source>
        <translation>Сопр. излучения</translation>
    </message>
    <message>
        <source>Input resistance</source>
        <translation>Входное сопротивление</translation>
    </message>
    <message>
        <source>Maximum f_max</source>
        <translation>Максимум f_max</translation>
    </message>
    <message>
        <source>Directions of maximum</source>
        <translation>Направления максимума</translation>
    </message>
    <message>
        <source> (from %1 to %2)</source>
        <translation> (от %1 до %2)</translation>
    </message>
    <message>
        <source>Half-power beam width</source>
        <translation>Ширина ДН по 0,5 мощн.</translation>
    </message>
    <message>
        <source>Width at 0.7</source>
        <translation>Ширина по уровню 0,7</translation>
    </message>
    <message>
        <source>Directivity</source>
        <translation>КНД</translation>
    </message>
    <message>
        <source> (%1 dBi)</source>
        <translation> (%1 дБи)</translation>
    </message>
    <message>
        <source>Side-lobe level</source>
        <translation>Боковые лепестки</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 дБ</translation>
    </message>
    <message>
        <source>Rival lobe over ground</source>
        <translation>Соперник над землёй</translation>
    </message>
    <message>
        <source>Rival lobe</source>
        <translation>Соперничающий лепесток</translation>
    </message>
    <message>
        <source>%1 at %2 dB: within 1 dB of the maximum</source>
        <translation>%1 при %2 дБ: в пределах 1 дБ от максимума</translation>
    </message>
    <message>
        <source>Nulls</source>
        <translation>Нули</translation>
    </message>
    <message>
        <source>none (current null at the feed)</source>
        <translation>нет (узел тока в точке питания)</translation>
    </message>
    <message>
        <source>none, a current null at the feed</source>
        <translation>нет, в точке питания узел тока</translation>
    </message>
    <message>
        <source>NEC-2 input impedance</source>
        <translation>NEC-2: входное сопр.</translation>
    </message>
    <message>
        <source> (theory %1)</source>
        <translation> (теория %1)</translation>
    </message>
    <message>
        <source>NEC-2 directivity</source>
        <translation>NEC-2: КНД</translation>
    </message>
    <message>
        <source> (%1 dBi; theory %2 dBi)</source>
        <translation> (%1 дБи; теория %2 дБи)</translation>
    </message>
    <message>
        <source>NEC-2 feed current</source>
        <translation>NEC-2: ток питания</translation>
    </message>
    <message>
        <source> of the maximum (theory %1)</source>
        <translation> от наибольшего (теория %1)</translation>
    </message>
    <message>
        <source>NEC-2 segments</source>
        <translation>NEC-2: сегментов</translation>
    </message>
    <message>
        <source>NEC-2 impedance settled</source>
        <translation>NEC-2: сходимость</translation>
    </message>
    <message>
        <source>to %1 % (%2 vs %3 segments)</source>
        <translation>до %1 % (%2 и %3 сегментов)</translation>
    </message>
    <message>
        <source> wavelengths</source>
        <translation> длин волн</translation>
    </message>
    <message>
        <source>Wire radius</source>
        <translation>Радиус провода</translation>
    </message>
    <message>
        <source>Input reactance</source>
        <translation>Входное реакт. сопр.</translation>
    </message>
    <message>
        <source>Reactance at I maximum</source>
        <translation>Реакт. сопр. в макс. I</translation>
    </message>
    <message>
        <source>First resonant length</source>
        <translation>Первый резонанс</translation>
    </message>
    <message>
        <source>none below 30</source>
        <translation>нет до 30</translation>
    </message>
    <message>
        <source>Lobes from 0° to 90°</source>
        <translation>Лепестки от 0° до 90°</translation>
    </message>
    <message>
        <source>direction</source>
        <translation>угол θ</translation>
    </message>
    <message>
        <source>level</source>
        <translation>уровень</translation>
    </message>
    <message>
        <source>half-power width</source>
        <translation>ширина 0,5 мощн.</translation>
    </message>
    <message>
        <source>none: the pattern is zero at every angle</source>
        <translation>нет: диаграмма нулевая при всех углах</translation>
    </message>
    <message>
        <source>maximum</source>
        <translation>максимум</translation>
    </message>
    <message>
        <source>rival: within 1 dB of the maximum</source>
        <translation>соперник: в пределах 1 дБ от максимума</translation>
    </message>
    <message>
        <source>horizontal</source>
        <translation>горизонтальный</translation>
    </message>
    <message>
        <source>vertical</source>
        <translation>вертикальный</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>от %1 до %2</translation>
    </message>
    <message>
        <source>none: the field is zero in this plane</source>
        <translation>нет: поле в этой плоскости нулевое</translation>
    </message>
    <message>
        <source>Elevation of maximum</source>
        <translation>Угол места максимума</translation>
    </message>
    <message>
        <source>Half-power elevations</source>
        <translation>Углы места по 0,5 мощн.</translation>
    </message>
    <message>
        <source>perfect</source>
        <translation>идеальная</translation>
    </message>
    <message>
        <source>real soil, permittivity %1, conductivity %2 S/m at %3 MHz</source>
        <translation>реальная почва, проницаемость %1, проводимость %2 См/м на %3 МГц</translation>
    </message>
    <message>
        <source>none: NEC-2 finds no field in this plane</source>
        <translation>нет: NEC-2 не находит поля в этой плоскости</translation>
    </message>
    <message>
        <source>%1 dBi at %2, half power from %3</source>
        <translation>%1 дБи при %2, половина мощности %3</translation>
    </message>
    <message>
        <source>NEC-2 ground</source>
        <translation>NEC-2: земля</translation>
    </message>
    <message>
        <source>NEC-2 maximum gain</source>
        <translation>NEC-2: макс. усиление</translation>
    </message>
    <message>
        <source>NEC-2 across the wire</source>
        <translation>NEC-2: поперёк провода</translation>
    </message>
    <message>
        <source>NEC-2 elevation cut</source>
        <translation>NEC-2: по углу места</translation>
    </message>
    <message>
        <source>NEC-2 along the wire</source>
        <translation>NEC-2: вдоль провода</translation>
    </message>
    <message>
        <source>Ground</source>
        <translation>Земля</translation>
    </message>
    <message>
        <source>perfect; the centre %1 wavelengths high, the wire %2</source>
        <translation>идеальная; центр на высоте %1 длин волн, провод %2</translation>
    </message>
    <message>
        <source>every vertical plane</source>
        <translation>любая вертикальная плоскость</translation>
    </message>
    <message>
        <source>Along the wire</source>
        <translation>Вдоль провода</translation>
    </message>
    <message>
        <source>maximum at %1, half power from %2</source>
        <translation>максимум при %1, половина мощности %2</translation>
    </message>
    <message>
        <source>Directivity over ground</source>
        <translation>КНД над землёй</translation>
    </message>
    <message>
        <source>Input impedance, ground</source>
        <translation>Входное сопр., земля</translation>
    </message>
    <message>
        <source>Change from free space</source>
        <translation>Изменение от своб. пр.</translation>
    </message>
    <message>
        <source> (free space %1)</source>
        <translation> (свободное пространство %1)</translation>
    </message>
    <message>
        <source>Monopole of height</source>
        <translation>Монополь высотой</translation>
    </message>
    <message>
        <source>%1 wavelengths on a perfect ground, fed at its base (the upper half of a dipole %2 long)</source>
        <translation>%1 длин волн на идеальной земле, питание у основания (верхняя половина вибратора длиной %2)</translation>
    </message>
    <message>
        <source>; 3.01 dB above the dipole&apos;s %1 dBi</source>
        <translation>; на 3,01 дБ выше %1 дБи вибратора</translation>
    </message>
    <message>
        <source>Input impedance</source>
        <translation>Входное сопротивление</translation>
    </message>
    <message>
        <source> (half the dipole&apos;s %1)</source>
        <translation> (половина от %1 вибратора)</translation>
    </message>
    <message>
        <source>%1 points, RMS %2 dB from the theory</source>
        <translation>%1 точек, СКО %2 дБ от теории</translation>
    </message>
    <message>
        <source>%1 wavelengths</source>
        <translation>%1 длин волн</translation>
    </message>
    <message>
        <source>, %1 m</source>
        <translation>, %1 м</translation>
    </message>
    <message>
        <source> (RMS %1 dB)</source>
        <translation> (СКО %1 дБ)</translation>
    </message>
    <message>
        <source>Measured pattern</source>
        <translation>Измеренная ДН</translation>
    </message>
    <message>
        <source>Best-fitting length</source>
        <translation>Наилучшая длина</translation>
    </message>
    <message>
        <source>%1 m</source>
        <translation>%1 м</translation>
    </message>
    <message>
        <source>%1 MHz</source>
        <translation>%1 МГц</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Частота</translation>
    </message>
    <message>
        <source> (wavelength %1)</source>
        <translation> (длина волны %1)</translation>
    </message>
    <message>
        <source>Length in metres</source>
        <translation>Длина в метрах</translation>
    </message>
    <message>
        <source>Wire radius in metres</source>
        <translation>Радиус провода, м</translation>
    </message>
    <message>
        <source> (diameter %1 mm)</source>
        <translation> (диаметр %1 мм)</translation>
    </message>
    <message>
        <source>First resonance</source>
        <translation>Первый резонанс</translation>
    </message>
    <message>
        <source>%1 long at this frequency, %2 for this length</source>
        <translation>длина %1 на этой частоте, %2 для этой длины</translation>
    </message>
    <message>
        <source>none near</source>
        <translation>нет поблизости</translation>
    </message>
</context>
</TS>
