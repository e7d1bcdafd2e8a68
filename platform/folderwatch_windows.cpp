#include "platform/folderwatch.h"

// Windows doesn't promise that a change's notice has reached a watcher by the
// time the call that made the change returns, and under wine it often hasn't:
// a notice not yet come proves nothing, so the folder is always read again to
// be sure.

FolderWatch::FolderWatch(const std::filesystem::path &)
    : watch(NoWatch)
{}

FolderWatch::~FolderWatch() = default;

FolderWatch::State FolderWatch::state() const
{
    return Unknown;
}
