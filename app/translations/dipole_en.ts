<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
<context>
    <name>FrequencyModel</name>
    <message>
        <source>нет в диапазоне</source>
        <translation>not in the band</translation>
    </message>
    <message>
        <source>%1 (%2, %3 %)</source>
        <translation>%1 (%2, %3 %)</translation>
    </message>
    <message>
        <source>, до края диапазона</source>
        <translation>, to the band's edge</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Первый резонанс: %1 для этой длины; на %2 — при длине %3. КСВ ≤ %4 в линии %5 Ом: %6.</source>
        <translation>First resonance: %1 for this length; at %2, at a length of %3. SWR ≤ %4 on a %5 Ω line: %6.</translation>
    </message>
    <message>
        <source>нет в измерении</source>
        <translation>not in the measurement</translation>
    </message>
    <message>
        <source> (%1 от модели)</source>
        <translation> (%1 from the model)</translation>
    </message>
    <message>
        <source>, ширина %1 от модели</source>
        <translation>, width %1 from the model</translation>
    </message>
    <message>
        <source>Измерение «%1»: резонанс %2; КСВ ≤ %3: %4.</source>
        <translation>Measurement “%1”: resonance %2; SWR ≤ %3: %4.</translation>
    </message>
    <message>
        <source>СКО от теории %1 дБ</source>
        <translation>RMS deviation from the theory %1 dB</translation>
    </message>
    <message>
        <source>с теорией этой длины не сравнивается</source>
        <translation>not compared with the theory of this length</translation>
    </message>
    <message>
        <source>Измерение «%1», точек: %2, %3.</source>
        <translation>Measurement “%1”, points: %2, %3.</translation>
    </message>
    <message>
        <source>Частота</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Длина провода</source>
        <translation>Wire length</translation>
    </message>
    <message>
        <source>Диаметр провода</source>
        <translation>Wire diameter</translation>
    </message>
    <message>
        <source>Начало диапазона</source>
        <translation>Band start</translation>
    </message>
    <message>
        <source>Конец диапазона</source>
        <translation>Band end</translation>
    </message>
    <message>
        <source>%1 провод длиной %2 — это %3; модель считает длины меньше 30 λ.</source>
        <translation>%1 a wire %2 long is %3; the model takes lengths below 30 λ.</translation>
    </message>
    <message>
        <source>%1 провод слишком толстый для модели: его радиус %2, а модель берёт не больше %3.</source>
        <translation>%1 the wire is too thick for the model: its radius is %2, and the model takes at most %3.</translation>
    </message>
    <message>
        <source>%1 провод слишком тонкий для модели: его радиус %2, а модель берёт не меньше %3.</source>
        <translation>%1 the wire is too thin for the model: its radius is %2, and the model takes at least %3.</translation>
    </message>
    <message>
        <source>м</source>
        <translation>m</translation>
    </message>
    <message>
        <source>см</source>
        <translation>cm</translation>
    </message>
    <message>
        <source>мм</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>кГц</source>
        <translation>kHz</translation>
    </message>
    <message>
        <source>МГц</source>
        <translation>MHz</translation>
    </message>
    <message>
        <source>ГГц</source>
        <translation>GHz</translation>
    </message>
    <message>
        <source>Диаметр провода должен быть меньше его длины.</source>
        <translation>The wire's diameter must be less than its length.</translation>
    </message>
    <message>
        <source>Начало диапазона частот должно быть ниже его конца.</source>
        <translation>The band's start must be below its end.</translation>
    </message>
    <message>
        <source>На частоте %1</source>
        <translation>At a frequency of %1</translation>
    </message>
    <message>
        <source>Диапазон слишком широк для этого провода: на %1</source>
        <translation>The band is too wide for this wire: at %1</translation>
    </message>
    <message>
        <source>%1: нужно число больше нуля.</source>
        <translation>%1: a number above zero is needed.</translation>
    </message>
    <message>
        <source>Для этого провода модель не удалось вычислить.</source>
        <translation>The model could not be computed for this wire.</translation>
    </message>
    <message>
        <source>Гц</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Измерение из файла «%1» не открыто: %2</source>
        <translation>The measurement in the file “%1” was not opened: %2</translation>
    </message>
    <message>
        <source>файл больше 64 МиБ.</source>
        <translation>the file is larger than 64 MiB.</translation>
    </message>
    <message>
        <source>строка %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
</context>
<context>
    <name>LengthRefusal</name>
    <message>
        <source>Ну, Вы, имейте совесть!</source>
        <translation>Come on, have a heart!</translation>
    </message>
    <message>
        <source>Ничего толком не увидите уже!</source>
        <translation>You would not make out anything anyway!</translation>
    </message>
</context>
<context>
    <name>ModelLimitNote</name>
    <message>
        <source>В модели синусоидального тока входное сопротивление вблизи полной волны (от %1 до %2 λ при этом радиусе) не физично: у настоящего провода в точке питания нет узла тока, и его сопротивление конечно.</source>
        <translation>In the sinusoidal-current model the input resistance near a full wave (%1 to %2 λ at this radius) is not physical: a real wire has no current node at the feed, and its resistance is finite.</translation>
    </message>
    <message>
        <source>Провод короче %1 радиусов: реактивное сопротивление модели здесь не описывает провод.</source>
        <translation>The wire is shorter than %1 radii: the model&apos;s reactance does not describe the wire here.</translation>
    </message>
</context>
<context>
    <name>PatternPointer</name>
    <message>
        <source>θ = %1°   F / Fмакс = %2   %3 дБ</source>
        <translation>θ = %1°   F / Fmax = %2   %3 dB</translation>
    </message>
</context>
<context>
    <name>PictureMenu</name>
    <message>
        <source>Не удалось начать печать</source>
        <translation>Printing could not be started</translation>
    </message>
    <message>
        <source>Рисунок PNG (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>Рисунок BMP, как на экране (*.bmp)</source>
        <translation>BMP picture, as on the screen (*.bmp)</translation>
    </message>
    <message>
        <source>Рисунок SVG (*.svg)</source>
        <translation>SVG picture (*.svg)</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Файл %1 уже существует.
Заменить его?</source>
        <translation>The file %1 already exists.
Replace it?</translation>
    </message>
    <message>
        <source>такой папки нет</source>
        <translation>there is no such folder</translation>
    </message>
    <message>
        <source>на пути к файлу не папка</source>
        <translation>something on the way to the file is not a folder</translation>
    </message>
    <message>
        <source>нет прав на запись</source>
        <translation>no permission to write</translation>
    </message>
    <message>
        <source>на диске нет места</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>файл больше допустимого размера</source>
        <translation>the file is larger than allowed</translation>
    </message>
    <message>
        <source>диск доступен только для чтения</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>слишком длинное имя</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>под этим именем папка</source>
        <translation>a folder has this name</translation>
    </message>
    <message>
        <source>под этим именем не обычный файл</source>
        <translation>this name is not a regular file</translation>
    </message>
    <message>
        <source>Не удалось сохранить рисунок в файл
%1</source>
        <translation>The picture could not be saved to the file
%1</translation>
    </message>
    <message>
        <source>
Причина: </source>
        <translation>
Reason: </translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Сохранить как…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>Печать…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>Рисунок сохранён в файл
%1</source>
        <translation>The picture has been saved to the file
%1</translation>
    </message>
    <message>
        <source>Сохранить как</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Сохранить рисунок как</source>
        <translation>Save the picture as</translation>
    </message>
    <message>
        <source>С подписями</source>
        <translation>Labelled</translation>
    </message>
</context>
<context>
    <name>Readouts</name>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>М = %1</source>
        <translation>M = %1</translation>
    </message>
    <message>
        <source>Диаграмма нулевая:</source>
        <translation>The pattern is zero:</translation>
    </message>
    <message>
        <source>вибратор не излучает</source>
        <translation>the dipole does not radiate</translation>
    </message>
    <message>
        <source> Ом</source>
        <translation> Ω</translation>
    </message>
    <message>
        <source>Максимум при θ = </source>
        <translation>Maximum at θ = </translation>
    </message>
    <message>
        <source>Ширина ДН по половинной мощности: %1</source>
        <translation>Half-power beam width: %1</translation>
    </message>
    <message>
        <source>Ширина ДН по уровню %1: %2</source>
        <translation>Beam width at %1: %2</translation>
    </message>
    <message>
        <source>Скобка на графике (%1): %2</source>
        <translation>Bracket on the plot (%1): %2</translation>
    </message>
    <message>
        <source>КНД: %1 (%2 дБи)</source>
        <translation>Directivity: %1 (%2 dBi)</translation>
    </message>
    <message>
        <source>Rизл: %1</source>
        <translation>Rrad: %1</translation>
    </message>
    <message>
        <source>Rвх: %1</source>
        <translation>Rin: %1</translation>
    </message>
    <message>
        <source>Rвх: не определено</source>
        <translation>Rin: undefined</translation>
    </message>
    <message>
        <source>(узел тока в точке питания)</source>
        <translation>(current node at the feed)</translation>
    </message>
    <message>
        <source>Боковые лепестки: %1</source>
        <translation>Side lobes: %1</translation>
    </message>
    <message>
        <source> дБ</source>
        <translation> dB</translation>
    </message>
    <message>
        <source>Соперничающий лепесток: θ = %1 (%2 дБ),</source>
        <translation>Rival lobe: θ = %1 (%2 dB),</translation>
    </message>
    <message>
        <source>главный лепесток может перескочить</source>
        <translation>the main lobe may jump to it</translation>
    </message>
    <message>
        <source>Нули: </source>
        <translation>Nulls: </translation>
    </message>
</context>
<context>
    <name>TColorComboBox</name>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
</context>
<context>
    <name>TCurrentPage</name>
    <message>
        <source>NEC-2</source>
        <translation>NEC-2</translation>
    </message>
    <message>
        <source>Ток по NEC-2 (программа nec2c) рядом с теорией</source>
        <translation>NEC-2&apos;s current (the nec2c program) beside the theory</translation>
    </message>
    <message>
        <source>NEC-2 рассчитан, сегментов: %1</source>
        <translation>NEC-2 solved, segments: %1</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Построение ДН СВ</source>
        <translation>Dipole pattern</translation>
    </message>
    <message>
        <source>ДН СВ в полярной системе координат</source>
        <translation>Pattern in polar coordinates</translation>
    </message>
    <message>
        <source>Диаграмма направленности симметричного вибратора в полярной системе координат</source>
        <translation>Radiation pattern of the symmetric dipole in polar coordinates</translation>
    </message>
    <message>
        <source>ДН СВ в прямоугольной системе координат</source>
        <translation>Pattern in rectangular coordinates</translation>
    </message>
    <message>
        <source>Диаграмма направленности симметричного вибратора в прямоугольной системе координат</source>
        <translation>Radiation pattern of the symmetric dipole in rectangular coordinates</translation>
    </message>
    <message>
        <source>Совокупность ДН</source>
        <translation>Family of patterns</translation>
    </message>
    <message>
        <source>Относительная длина
вибратора</source>
        <translation>Dipole length in
wavelengths</translation>
    </message>
    <message>
        <source>Цвет:</source>
        <translation>Colour:</translation>
    </message>
    <message>
        <source>Показать</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Построить</source>
        <translation>Plot</translation>
    </message>
    <message>
        <source>Заливка</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>Сохранить в файл</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Слишком большое значение!</source>
        <translation>Value too large!</translation>
    </message>
    <message>
        <source>
Правый щелчок: меню и окно «Лаборатория»</source>
        <translation>
Right click: menu and the “Laboratory” window</translation>
    </message>
    <message>
        <source>Лаборатория…</source>
        <translation>Laboratory…</translation>
    </message>
    <message>
        <source>Учебная программа по теории антенн</source>
        <translation>A teaching program on antenna theory</translation>
    </message>
    <message>
        <source>Исследование направленных свойств</source>
        <translation>Directional properties</translation>
    </message>
    <message>
        <source>симметричного вибратора</source>
        <translation>of a symmetric dipole</translation>
    </message>
    <message>
        <source>Диаграммы построены!</source>
        <translation>The patterns have been plotted!</translation>
    </message>
    <message>
        <source>Выпонено успешно</source>
        <translation>Done</translation>
    </message>
</context>
<context>
    <name>TFormAbout</name>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Построение диаграммы направленности
симметричного вибратора</source>
        <translation>The radiation pattern
of a symmetric dipole</translation>
    </message>
    <message>
        <source>Учебная программа по теории антенн</source>
        <translation>A teaching program on antenna theory</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Сайт:</source>
        <translation>Site:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TFormImpedance</name>
    <message>
        <source>Лаборатория</source>
        <translation>Laboratory</translation>
    </message>
    <message>
        <source>Шкала в децибелах</source>
        <translation>Decibel scale</translation>
    </message>
    <message>
        <source>до −%1 дБ</source>
        <translation>down to −%1 dB</translation>
    </message>
    <message>
        <source>каждая к своему максимуму</source>
        <translation>each to its own maximum</translation>
    </message>
    <message>
        <source>общая шкала, дБи</source>
        <translation>common scale, dBi</translation>
    </message>
    <message>
        <source>Масштаб:</source>
        <translation>Scale:</translation>
    </message>
    <message>
        <source>Радиус провода, λ:</source>
        <translation>Wire radius, λ:</translation>
    </message>
    <message>
        <source>Волновое сопротивление линии, Ом:</source>
        <translation>Line impedance, Ω:</translation>
    </message>
    <message>
        <source>Длина вибратора:</source>
        <translation>Dipole length:</translation>
    </message>
    <message>
        <source>Входное сопротивление:</source>
        <translation>Input impedance:</translation>
    </message>
    <message>
        <source>Ток в точке питания / наибольший:</source>
        <translation>Feed current / maximum current:</translation>
    </message>
    <message>
        <source>Диаграмма</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>Ток</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Сопротивление</source>
        <translation>Impedance</translation>
    </message>
    <message>
        <source>Объём</source>
        <translation>Solid</translation>
    </message>
    <message>
        <source>Частота</source>
        <translation>Frequency</translation>
    </message>
</context>
<context>
    <name>TFrequencyPage</name>
    <message>
        <source>Открыть измерение</source>
        <translation>Open a measurement</translation>
    </message>
    <message>
        <source>Измерения (*.s1p *.S1P *.csv *.txt);;Touchstone, S11 (*.s1p *.S1P);;Диаграмма, угол и уровень (*.csv *.txt);;Все файлы (*)</source>
        <translation>Measurements (*.s1p *.S1P *.csv *.txt);;Touchstone, S11 (*.s1p *.S1P);;Pattern, angle and level (*.csv *.txt);;All files (*)</translation>
    </message>
    <message>
        <source>R и X</source>
        <translation>R and X</translation>
    </message>
    <message>
        <source>КСВ и возвратные потери</source>
        <translation>SWR and return loss</translation>
    </message>
    <message>
        <source>Диаграмма Вольперта — Смита</source>
        <translation>Smith chart</translation>
    </message>
    <message>
        <source>Частота:</source>
        <translation>Frequency:</translation>
    </message>
    <message>
        <source>Длина провода L:</source>
        <translation>Wire length L:</translation>
    </message>
    <message>
        <source>Диаметр провода:</source>
        <translation>Wire diameter:</translation>
    </message>
    <message>
        <source>Диапазон от:</source>
        <translation>Band from:</translation>
    </message>
    <message>
        <source>до</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Открыть измерение…</source>
        <translation>Open a measurement…</translation>
    </message>
    <message>
        <source>Убрать измерение</source>
        <translation>Remove the measurement</translation>
    </message>
    <message>
        <source>Частота</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Измерение</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>λ = %1</source>
        <translation>λ = %1</translation>
    </message>
    <message>
        <source>M = L·f/c = %1</source>
        <translation>M = L·f/c = %1</translation>
    </message>
    <message>
        <source>A = r·f/c = %1</source>
        <translation>A = r·f/c = %1</translation>
    </message>
    <message>
        <source>Диаграмма из «%1» — на вкладке «Диаграмма».</source>
        <translation>The pattern from “%1” is on the tab “Pattern”.</translation>
    </message>
</context>
<context>
    <name>TImpedancePage</name>
    <message>
        <source>Весь диапазон</source>
        <translation>Whole range</translation>
    </message>
    <message>
        <source>Увеличить: протянуть мышью вдоль графика или покрутить колесо</source>
        <translation>Zoom in: drag along the chart or turn the wheel</translation>
    </message>
    <message>
        <source>Рассчитать NEC-2</source>
        <translation>Solve with NEC-2</translation>
    </message>
    <message>
        <source>R и X по NEC-2 (программа nec2c) в показанном диапазоне длин</source>
        <translation>NEC-2&apos;s R and X (the nec2c program) over the lengths shown</translation>
    </message>
    <message>
        <source>NEC-2 не рассчитан: провод этого радиуса слишком толст для этих длин</source>
        <translation>NEC-2 not solved: a wire of this radius is too thick for these lengths</translation>
    </message>
    <message>
        <source>NEC-2 рассчитан: от %1 до %2 λ, длин: %3</source>
        <translation>NEC-2 solved: from %1 to %2 λ, lengths: %3</translation>
    </message>
</context>
<context>
    <name>TLobeTable</name>
    <message>
        <source>максимум</source>
        <translation>maximum</translation>
    </message>
    <message>
        <source>соперник: в пределах %1 дБ от максимума</source>
        <translation>rival: within %1 dB of the maximum</translation>
    </message>
    <message>
        <source> дБ</source>
        <translation> dB</translation>
    </message>
    <message>
        <source>Лепесток: θ</source>
        <translation>Lobe: θ</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Ширина по половинной мощности</source>
        <translation>Half-power width</translation>
    </message>
</context>
<context>
    <name>TNecBackground</name>
    <message>
        <source>NEC-2 не рассчитан: программа nec2c не установлена (её даёт пакет nec2c)</source>
        <translation>NEC-2 not solved: the nec2c program is not installed (the nec2c package provides it)</translation>
    </message>
    <message>
        <source>NEC-2 не рассчитан: %1</source>
        <translation>NEC-2 not solved: %1</translation>
    </message>
    <message>
        <source>NEC-2 не рассчитан</source>
        <translation>NEC-2 not solved</translation>
    </message>
</context>
<context>
    <name>TNecProgress</name>
    <message>
        <source>%v из %m</source>
        <translation>%v of %m</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Расчёт NEC-2 отменён</source>
        <translation>NEC-2 run cancelled</translation>
    </message>
    <message>
        <source>Расчёт NEC-2…</source>
        <translation>Solving with NEC-2…</translation>
    </message>
    <message>
        <source>Расчёт NEC-2 (одна длина)…</source>
        <translation>Solving with NEC-2 (one length)…</translation>
    </message>
</context>
<context>
    <name>TSolidPage</name>
    <message>
        <source>Над землёй не строится: провод радиусом %1 не тоньше половины длины вибратора</source>
        <translation>Not drawn over the ground: a wire of radius %1 is not thinner than half the dipole&apos;s length</translation>
    </message>
    <message>
        <source>Вибратор касается земли: высота центра должна быть больше половины его длины, %1</source>
        <translation>The dipole touches the ground: the centre must be higher than half its length, %1</translation>
    </message>
    <message>
        <source>Провод касается земли: высота должна быть больше его радиуса, %1</source>
        <translation>The wire touches the ground: the height must exceed its radius, %1</translation>
    </message>
    <message>
        <source>Высота центра должна быть не больше %1</source>
        <translation>The centre must be no higher than %1</translation>
    </message>
    <message>
        <source>Шкала в децибелах</source>
        <translation>Decibel scale</translation>
    </message>
    <message>
        <source>до −%1 дБ</source>
        <translation>down to −%1 dB</translation>
    </message>
    <message>
        <source>Шаг сетки:</source>
        <translation>Grid step:</translation>
    </message>
    <message>
        <source>Вид по умолчанию</source>
        <translation>Default view</translation>
    </message>
    <message>
        <source>Свободное пространство</source>
        <translation>Free space</translation>
    </message>
    <message>
        <source>Над идеальной землёй: горизонтальный</source>
        <translation>Over a perfect ground: horizontal</translation>
    </message>
    <message>
        <source>Над идеальной землёй: вертикальный</source>
        <translation>Over a perfect ground: vertical</translation>
    </message>
    <message>
        <source>Монополь</source>
        <translation>Monopole</translation>
    </message>
    <message>
        <source>Высота центра, λ:</source>
        <translation>Centre height, λ:</translation>
    </message>
    <message>
        <source>шкала в дБ до −%1 дБ</source>
        <translation>dB scale down to −%1 dB</translation>
    </message>
    <message>
        <source>линейная шкала</source>
        <translation>linear scale</translation>
    </message>
    <message>
        <source>в свободном пространстве</source>
        <translation>in free space</translation>
    </message>
    <message>
        <source>горизонтальный над идеальной землёй, h = %1</source>
        <translation>horizontal over a perfect ground, h = %1</translation>
    </message>
    <message>
        <source>вертикальный над идеальной землёй, h = %1</source>
        <translation>vertical over a perfect ground, h = %1</translation>
    </message>
    <message>
        <source>монополь высотой %1 на идеальной земле</source>
        <translation>monopole %1 high on a perfect ground</translation>
    </message>
    <message>
        <source>Вибратор длиной %1 не излучает: объёмной диаграммы нет</source>
        <translation>A dipole %1 long does not radiate: there is no solid pattern</translation>
    </message>
</context>
<context>
    <name>WireFigures</name>
    <message>
        <source>в модели бесконечно: в точке питания узел тока</source>
        <translation>infinite in the model: a current node at the feed</translation>
    </message>
    <message>
        <source>не определено: радиус провода не меньше половины длины</source>
        <translation>undefined: the wire radius is not below half the length</translation>
    </message>
    <message>
        <source>не определено: длина равна нулю</source>
        <translation>undefined: the length is zero</translation>
    </message>
    <message>
        <source>не вычисляется для длины 30 λ и более</source>
        <translation>not computed for lengths of 30 λ and more</translation>
    </message>
    <message>
        <source> Ом</source>
        <translation> Ω</translation>
    </message>
    <message>
        <source>КСВ в линии %1 Ом:</source>
        <translation>SWR on a %1 Ω line:</translation>
    </message>
    <message>
        <source>Радиус провода должен быть больше нуля.</source>
        <translation>The wire radius must be greater than zero.</translation>
    </message>
    <message>
        <source>Радиус провода слишком мал: допустимо не менее %1.</source>
        <translation>The wire radius is too small: it must be at least %1.</translation>
    </message>
    <message>
        <source>Радиус провода %1 слишком мал: допустимо не менее %2.</source>
        <translation>The wire radius %1 is too small: it must be at least %2.</translation>
    </message>
    <message>
        <source>Радиус провода слишком велик: допустимо не более %1.</source>
        <translation>The wire radius is too large: it must be at most %1.</translation>
    </message>
    <message>
        <source>Радиус провода %1 слишком велик: допустимо не более %2.</source>
        <translation>The wire radius %1 is too large: it must be at most %2.</translation>
    </message>
    <message>
        <source>Радиус провода %1 слишком велик для вибратора длиной %2: радиус должен быть меньше половины длины, %3.</source>
        <translation>The wire radius %1 is too large for a dipole %2 long: the radius must be below half the length, %3.</translation>
    </message>
    <message>
        <source>Недопустимый радиус провода</source>
        <translation>Invalid wire radius</translation>
    </message>
    <message>
        <source>Волновое сопротивление линии должно быть больше нуля.</source>
        <translation>The line impedance must be greater than zero.</translation>
    </message>
    <message>
        <source>Недопустимое сопротивление линии</source>
        <translation>Invalid line impedance</translation>
    </message>
</context>
<context>
    <name>WireModel</name>
    <message>
        <source>Сопротивление провода не удалось вычислить для этой длины и этого радиуса.</source>
        <translation>The wire&apos;s impedance could not be computed for this length and this radius.</translation>
    </message>
</context>
</TS>
