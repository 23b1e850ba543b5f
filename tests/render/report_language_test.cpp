// The report and the lobes in the labelled pictures' language: Russian
// words, the decimal comma and lists split by semicolons under a Russian
// locale, today's English otherwise; the JSON the same in every locale.
#include "RenderProcess.h"
#include "physics/Lobes.h"
#include "render/CurrentReport.h"
#include "render/GroundReport.h"
#include "render/ModelLimitsReport.h"
#include "render/ReportOutput.h"
#include "render/ReportText.h"
#include "render/WireReport.h"

#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList lines(const QByteArray &text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Everything --report --lobes prints for a length, with a wire where it
// has one (neither a length of 0 nor one of 30 or more does).
QByteArray wholeReport(double M)
{
    const PatternReadouts readouts = ComputePatternReadouts(M);
    std::optional<WireReadouts> wire;
    if (M > 0.0 && M < 29.0)
        wire = ComputeWireReadouts(M, 1e-3, false);
    return ReportTable(readouts) + CurrentReportLine(M) + (wire ? WireReportTable(*wire, readouts) : QByteArray())
           + ModelLimitsTable(FindModelLimits(M, wire)) + LobesTable(FindLobes(M));
}

QProcessEnvironment localeEnvironment(const char *lang)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("LANG"), QLatin1String(lang));
    return environment;
}

} // namespace

TEST(ReportLanguage, RussianNamesNumbersWithTheCommaAndListsBySemicolons)
{
    const ScopedReportLanguage russian(LabelledLanguage::Russian);
    const QStringList table = lines(ReportTable(ComputePatternReadouts(1.5)));
    const QStringList expected = {
        QStringLiteral("Длина M, длин волн      1,5"),
        QStringLiteral("Максимум f_max          1,399004954"),
        QStringLiteral("Направления максимума   42,56°; 137,44°"),
        QStringLiteral("Ширина ДН по 0,5 мощн.  32,80° (от 24,41° до 57,20°)"),
        QStringLiteral("Ширина по уровню 0,7    33,24°"),
        QStringLiteral("Скобка на графике       31,00° (отметка прямоугольного графика на уровне 0,7)"),
        QStringLiteral("КНД                     2,2263 (3,48 дБи)"),
        QStringLiteral("Сопр. излучения         105,42 Ом"),
        QStringLiteral("Входное сопротивление   105,42 Ом"),
        QStringLiteral("Боковые лепестки        -2,92 дБ"),
        QStringLiteral("Соперничающий лепесток  нет"),
        QStringLiteral("Нули                    70,53°; 109,47°"),
    };
    EXPECT_EQ(table, expected);
    const QStringList lobes = lines(LobesTable(FindLobes(1.5)));
    ASSERT_EQ(lobes.size(), 3);
    EXPECT_EQ(lobes[1], QStringLiteral("                           42,56°    0,00 дБ            32,80°   максимум"));
}

// Every line of every report part, over lengths that bring out each kind of
// line: no English word is left, no decimal point, and every name leaves a
// blank before the value column. The lobes' header lines up with its rows.
TEST(ReportLanguage, EveryRussianLineIsTranslatedAndAligned)
{
    const ScopedReportLanguage russian(LabelledLanguage::Russian);
    const QRegularExpression englishWord(QStringLiteral("[A-Za-z]{3,}"));
    const QRegularExpression decimalPoint(QStringLiteral("\\d\\.\\d"));
    for (const double M : {0.0, 0.3, 0.5, 1.0, 1.4405, 1.5, 2.0, 29.99}) {
        for (const QString &line : lines(wholeReport(M))) {
            for (const auto &match : englishWord.globalMatch(line))
                EXPECT_TRUE(match.captured() == QStringLiteral("max") && line.contains(QStringLiteral("f_max")))
                    << M << ": " << line.toStdString();
            EXPECT_FALSE(line.contains(decimalPoint)) << M << ": " << line.toStdString();
            EXPECT_EQ(line.left(1) == QStringLiteral(" ") || line.size() <= kReportValueColumn
                          || line.at(kReportValueColumn - 1) == QLatin1Char(' '),
                      true)
                << M << ": " << line.toStdString();
        }
    }
    const QStringList russianLobes = lines(LobesTable(FindLobes(1.5)));
    ScopedReportLanguage english(LabelledLanguage::English);
    EXPECT_EQ(russianLobes.first().size(), lines(LobesTable(FindLobes(1.5))).first().size());
}

// The program as a user runs it: LANG decides; JSON never changes.
TEST(ReportLanguage, DipoleRenderFollowsTheLocaleAndKeepsItsJson)
{
    QTemporaryDir dir;
    struct Case
    {
        QStringList args;
        const char *russianText;
    };
    const Case cases[] = {
        {{"--report", "0.5"}, "КНД                     1,6409 (2,15 дБи)\n"},
        {{"--lobes", "1.5"}, "максимум"},
        {{"--report", "--radius", "1e-3", "0.5"}, "Радиус провода          0,001 длин волн\n"},
    };
    for (const Case &c : cases) {
        const RunResult english = RunRender(c.args, dir.path(), localeEnvironment("C.UTF-8"));
        const RunResult russian = RunRender(c.args, dir.path(), localeEnvironment("ru_RU.UTF-8"));
        ASSERT_EQ(russian.exitCode, 0) << russian.err.constData();
        EXPECT_TRUE(russian.out.contains(c.russianText)) << russian.out.constData();
        EXPECT_FALSE(english.out.contains(c.russianText));
        EXPECT_NE(english.out, russian.out);

        QStringList json = c.args;
        json.insert(json.size() - 1, QStringLiteral("--json"));
        const RunResult englishJson = RunRender(json, dir.path(), localeEnvironment("C.UTF-8"));
        const RunResult russianJson = RunRender(json, dir.path(), localeEnvironment("ru_RU.UTF-8"));
        ASSERT_EQ(russianJson.exitCode, 0) << russianJson.err.constData();
        EXPECT_EQ(russianJson.out, englishJson.out) << json.join(' ').toStdString();
    }
    // Its refusals stay English.
    const RunResult refused = RunRender({"--report", "--json"}, dir.path(), localeEnvironment("ru_RU.UTF-8"));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(
        QString::fromUtf8(refused.err).contains(QRegularExpression(QStringLiteral("^dipole-render: [ -~]+\n$"))))
        << refused.err.constData();
}
