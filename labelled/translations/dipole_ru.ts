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
        <source>NEC-2, %1 segments</source>
        <translation>NEC-2, сегментов: %1</translation>
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
</context>
</TS>
