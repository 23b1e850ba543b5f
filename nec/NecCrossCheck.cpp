#include "NecCrossCheck.h"

#include "NecErrors.h"

NecSolution RunNecCrossCheck(double M, double radius, std::chrono::milliseconds timeout, const QString &program)
{
    const NecModel model = MakeNecModel(M, radius);
    const QByteArray output = RunNec2c(QByteArray::fromStdString(NecDeck(model)), timeout, program);
    try {
        return ParseNecOutput(std::string_view(output.constData(), static_cast<std::size_t>(output.size())), model);
    } catch (const NecReportError &e) {
        throw NecOutputError(QString::fromUtf8(e.what()));
    }
}
