#include "NecCrossCheck.h"

NecSolution RunNecCrossCheck(double M, double radius, std::chrono::milliseconds timeout, const QString &program)
{
    const NecModel model = MakeNecModel(M, radius);
    return ParseNecOutput(RunNec2c(NecDeck(model), timeout, program), model);
}
