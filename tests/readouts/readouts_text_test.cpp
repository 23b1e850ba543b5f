// The window's Russian summary of a pattern's numbers: short lines for a
// narrow tooltip, in the user's decimal separator.
#include "numbers/LocaleNumberSettings.h"
#include "physics/PatternReadouts.h"
#include "readouts/ReadoutsText.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

TEST(ReadoutsText, TheWindowsSummaryIsABlockOfShortLinesInTheUsersSeparator)
{
    struct Case
    {
        const char *name;
        double M;
        QString lengthText;
        QStringList lines;
    };
    ScopedLocaleNumberSettings russian(LocaleNumberSettings::russian());
    const Case cases[] = {
        {"half wave: no side lobes, no nulls",
         0.5,
         "0,5",
         {"М = 0,5", "Максимум при θ = 90,00°", "Ширина ДН по половинной мощности: 78,1°",
          "Ширина ДН по уровню 0,7: 79,2°", "Скобка на графике (0,7): 73,0°", "КНД: 1,64 (2,15 дБи)", "Rизл: 73,1 Ом",
          "Rвх: 73,1 Ом", "Боковые лепестки: нет", "Нули: нет"}},
        {"full wave: the feed at a current null",
         1,
         "1",
         {"М = 1", "Максимум при θ = 90,00°", "Ширина ДН по половинной мощности: 47,8°",
          "Ширина ДН по уровню 0,7: 48,5°", "Скобка на графике (0,7): 45,0°", "КНД: 2,41 (3,82 дБи)", "Rизл: 198,9 Ом",
          "Rвх: не определено", "(узел тока в точке питания)", "Боковые лепестки: нет", "Нули: нет"}},
        {"one and a half: two maxima, side lobes and nulls",
         1.5,
         "1,5",
         {"М = 1,5", "Максимум при θ = 42,56°; 137,44°", "Ширина ДН по половинной мощности: 32,8°",
          "Ширина ДН по уровню 0,7: 33,2°", "Скобка на графике (0,7): 31,0°", "КНД: 2,23 (3,48 дБи)", "Rизл: 105,4 Ом",
          "Rвх: 105,4 Ом", "Боковые лепестки: -2,9 дБ", "Нули: 70,53°; 109,47°"}},
        {"zero: nothing radiated", 0, "0", {"М = 0", "Диаграмма нулевая:", "вибратор не излучает"}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ReadoutsSummaryLines(ComputePatternReadouts(c.M), c.lengthText), c.lines) << c.name;
        EXPECT_EQ(ReadoutsSummaryText(ComputePatternReadouts(c.M), c.lengthText), c.lines.join('\n')) << c.name;
    }
    // An oblique lobe within 1 dB of the broadside one is flagged, just
    // before the main lobe jumps to it.
    const QStringList rival = ReadoutsSummaryLines(ComputePatternReadouts(1.4405), "1,4405");
    const auto flag = std::find_if(rival.begin(), rival.end(), [](const QString &line) {
        return line.startsWith(QStringLiteral("Соперничающий лепесток: θ = 40,20° ("));
    });
    ASSERT_NE(flag, rival.end()) << rival.join('\n').toStdString();
    ASSERT_NE(flag + 1, rival.end());
    EXPECT_EQ(*(flag + 1), QStringLiteral("главный лепесток может перескочить"));
    EXPECT_EQ(PointerReadoutText(42.5, 0.62793322329781733), QStringLiteral("θ = 42,5°, F = 0,6279"));

    ScopedLocaleNumberSettings english(LocaleNumberSettings::english());
    EXPECT_EQ(PointerReadoutText(90, 1), QStringLiteral("θ = 90°, F = 1"));
    const QStringList half = ReadoutsSummaryLines(ComputePatternReadouts(0.5), "0.5");
    EXPECT_TRUE(half.contains(QStringLiteral("КНД: 1.64 (2.15 дБи)")));
    EXPECT_TRUE(half.contains(QStringLiteral("Скобка на графике (0.7): 73.0°")));
}

TEST(ReadoutsText, ManyNullsWrapFiveToALine)
{
    ScopedLocaleNumberSettings russian(LocaleNumberSettings::russian());
    const PatternReadouts longest = ComputePatternReadouts(29.99);
    const QStringList lines = ReadoutsSummaryLines(longest, "29,99");
    qsizetype first = 0;
    while (first < lines.size() && !lines.at(first).startsWith(QStringLiteral("Нули: ")))
        ++first;
    const QStringList nullLines = lines.mid(first);
    ASSERT_EQ(longest.nullsDeg.size(), 58u);
    ASSERT_EQ(nullLines.size(), 12) << "58 nulls, five to a line";
    EXPECT_EQ(nullLines.front(), QStringLiteral("Нули: 20,94°; 21,04°; 29,85°; 29,93°; 36,81°;"));
    EXPECT_EQ(nullLines.at(1), QStringLiteral("    36,88°; 42,78°; 42,84°; 48,15°; 48,20°;"));
    EXPECT_EQ(nullLines.back(), QStringLiteral("    150,15°; 158,96°; 159,06°")) << "no separator after the last";
    for (const QString &line : lines)
        EXPECT_LE(line.size(), 48) << line.toStdString() << ": a line short enough for a narrow tooltip";
}
