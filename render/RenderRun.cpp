#include "RenderRun.h"

#include "ArgumentBytes.h"
#include "base/AppError.h"

std::unique_ptr<FolderPin> RenderRun::openOutDirectory() const
{
    const QByteArray directory = ArgumentBytes(options.outDirectory);
    SaveFolder folder;
    FolderFailure failure;
    if (OpenSaveFolder(directory, MissingFolders::Create, folder, failure))
        return std::make_unique<FolderPin>(directory, folder);
    WriteError(streams, FailureLine("cannot create", failure.folder, failure.error));
    return nullptr;
}

int RenderRun::saveFailed(const AppError &error) const
{
    WriteError(streams, SaveFailureLine(error));
    return 1;
}

int RenderRun::saveIntoOutDirectory(const std::function<void()> &save) const
{
    const auto folder = openOutDirectory();
    if (!folder)
        return 1;
    try {
        save();
    } catch (const AppError &e) {
        return saveFailed(e);
    }
    return 0;
}
