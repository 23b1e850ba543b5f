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
</context>
</TS>
