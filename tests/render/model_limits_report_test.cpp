// The report's lines and JSON keys where the closed form stops describing
// the wire, run as a process; the bands and ratios behind them are the
// physics' (tests/physics/closed_form_limits_test.cpp). Elsewhere the
// report reads as before.
#include "RenderProcess.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct LimitsCase
{
    const char *name;
    QStringList args;  // after --report, and after --report --json
    QStringList lines; // in the table, in this order
};

const QString kBand = QStringLiteral("Near a full wave        input values outside the model's validity");
const QString kThick = QStringLiteral("Thick wire              reactance outside the closed form's validity: ");
const QString kResonance = QStringLiteral("Resonant length         the closed form's, outside its validity");
const QString kLoop = QStringLiteral("Reference current       loop current I_m of the standing wave, beyond");
const QString kLoopOf = QStringLiteral("                        the radiation resistance ");

// clang-format off
std::vector<LimitsCase> Cases()
{
    return {
        {"ThreeHalvesAsBefore", {"1.5"}, {}},
        {"FullWaveDefaultRadius", {"1"}, {kBand + " (0.872 to 1.099 wavelengths, radius 0.001)"}},
        {"ThinWireOutsideItsBand", {"--radius", "1e-6", "1.06"}, {}}, // inside the default radius's
        {"InductiveStub", {"--radius", "0.05", "0.3"}, {kThick + "6.0 radii long, below 20", kResonance, kLoop,
                                                        kLoopOf + "and the reactance at I maximum are referred to it"}},
        {"ShortNoWire", {"0.3"}, {kLoop, kLoopOf + "is referred to it"}},
    };
}
// clang-format on

TEST(ModelLimitsReport, SaysWhereTheModelStopsAndNothingElsewhere)
{
    const std::pair<const char *, const char *> keys[] = {
        {"Near a full wave", "outside_model_near_full_wave"},
        {"Thick wire", "outside_model_thick_wire"},
        {"Resonant length", "outside_model_resonant_length"},
        {"Reference current", "reference_current"},
    };
    QTemporaryDir dir;
    for (const LimitsCase &c : Cases()) {
        const RunResult table = RunRender(QStringList{"--report"} + c.args, dir.path());
        ASSERT_EQ(table.exitCode, 0) << c.name << table.err.constData();
        const QString text = QString::fromUtf8(table.out);
        qsizetype at = 0;
        for (const QString &line : c.lines) {
            at = text.indexOf(line, at);
            ASSERT_GE(at, 0) << c.name << ": " << line.toStdString() << "\n" << text.toStdString();
        }
        const QJsonObject json =
            QJsonDocument::fromJson(RunRender(QStringList{"--report", "--json"} + c.args, dir.path()).out).object();
        ASSERT_FALSE(json.isEmpty()) << c.name;
        for (const auto &[line, key] : keys) {
            EXPECT_EQ(text.contains(QLatin1String(line)), c.lines.join('\n').contains(QLatin1String(line))) << c.name;
            EXPECT_EQ(json.contains(QLatin1String(key)), text.contains(QLatin1String(line))) << c.name << key;
        }
    }
}

} // namespace
