#include "NecGroundRun.h"

#include "NecErrors.h"
#include "physics/NecReportTable.h"

#include <map>
#include <mutex>
#include <string>
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

NecGroundSolution SolveNecGroundOnce(const NecGroundModel &model)
{
    static std::mutex guard;
    static std::map<std::string, NecGroundSolution> solved;
    const std::string deck = NecGroundDeck(model);
    {
        const std::lock_guard<std::mutex> lock(guard);
        const auto found = solved.find(deck);
        if (found != solved.end())
            return found->second;
    }
    NecGroundSolution solution = RunNecGround(model);
    const std::lock_guard<std::mutex> lock(guard);
    return solved.emplace(deck, std::move(solution)).first->second;
}
