#include "NecCrossCheck.h"

#include "NecErrors.h"

namespace {

std::string_view viewOf(const QByteArray &output)
{
    return {output.constData(), static_cast<std::size_t>(output.size())};
}

} // namespace

NecSolution RunNecCrossCheck(double M, double radius, std::chrono::milliseconds timeout, const QString &program,
                             const std::atomic<bool> *cancel)
{
    const NecModel model = MakeNecModel(M, radius);
    const QByteArray output = RunNec2c(QByteArray::fromStdString(NecDeck(model)), timeout, program, cancel);
    try {
        return ParseNecOutput(viewOf(output), model);
    } catch (const NecReportError &e) {
        throw NecOutputError(QString::fromUtf8(e.what()));
    }
}

Impedance RunNecImpedance(const NecModel &model, std::chrono::milliseconds timeout, const QString &program,
                          const std::atomic<bool> *cancel)
{
    const QByteArray deck = QByteArray::fromStdString(NecDeck(model, NecDeckContent::ImpedanceOnly));
    const QByteArray output = RunNec2c(deck, timeout, program, cancel);
    try {
        return ParseNecInputImpedance(viewOf(output), model);
    } catch (const NecReportError &e) {
        throw NecOutputError(QString::fromUtf8(e.what()));
    }
}

NecSolution RunSettledNecCrossCheck(double M, double radius, std::chrono::milliseconds timeout, const QString &program)
{
    NecSolution solution = RunNecCrossCheck(M, radius, timeout, program);
    const NecModel half = HalfNecModel(MakeNecModel(M, radius));
    solution.settling = CompareWithHalf(solution.input, half.segments, RunNecImpedance(half, timeout, program));
    return solution;
}
