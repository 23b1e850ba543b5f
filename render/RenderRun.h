#pragma once
// What the forms of dipole-render's command line share while one of them
// runs: the options, the streams it reports on, and the program's path that
// Qt is given where the pictures' text needs an application. A form ends in
// an exit status: 0, or 1 when a folder, a file or a stream fails, with one
// line on the error stream that names it and the reason.
#include "CommandOutput.h"
#include "RenderOptions.h"

#include "base/SaveFolder.h"

#include <functional>
#include <memory>

class AppError;

struct RenderRun
{
    const RenderOptions &options;
    CommandStreams streams;
    char *programPath = nullptr;

    // Opens the --out folder, making it and any folders missing above it,
    // and pins it, so that every file of the form is written, read and
    // removed through that one descriptor while the pin lives; null, with
    // the folder that could not be opened or made on the error stream, on
    // failure.
    std::unique_ptr<FolderPin> openOutDirectory() const;
    // Reports the failure of a save; the status 1.
    int saveFailed(const AppError &error) const;
    // Opens the --out folder, then runs save: 0, or 1 with the failure of
    // the folder or of the save reported.
    int saveIntoOutDirectory(const std::function<void()> &save) const;
};
