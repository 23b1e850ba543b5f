#include "RenderRun.h"

#include "ArgumentBytes.h"
#include "base/AppError.h"

bool RenderRun::makeOutDirectory() const
{
    QByteArray folder;
    int error = 0;
    if (MakeDirectories(ArgumentBytes(options.outDirectory), folder, error))
        return true;
    WriteError(streams, FailureLine("cannot create", folder, error));
    return false;
}

int RenderRun::saveFailed(const AppError &error) const
{
    WriteError(streams, SaveFailureLine(error));
    return 1;
}

int RenderRun::saveIntoOutDirectory(const std::function<void()> &save) const
{
    if (!makeOutDirectory())
        return 1;
    try {
        save();
    } catch (const AppError &e) {
        return saveFailed(e);
    }
    return 0;
}
