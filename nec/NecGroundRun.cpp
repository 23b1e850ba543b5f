#include "NecGroundRun.h"

#include "NecErrors.h"
#include "physics/NecReportTable.h"

#include <string_view>

NecGroundSolution RunNecGround(const NecGroundModel &model, std::chrono::milliseconds timeout, const QString &program)
{
    const QByteArray output = RunNec2c(QByteArray::fromStdString(NecGroundDeck(model)), timeout, program);
    try {
        return ParseNecGroundOutput(std::string_view(output.constData(), static_cast<size_t>(output.size())), model);
    } catch (const NecReportError &e) {
        throw NecOutputError(QString::fromUtf8(e.what()));
    }
}
