// One program per home folder: two runs in one folder would replace each other's working files
// and commit one league's team into the other's files.
#pragma once

#include "status.h"

#include <filesystem>

namespace bb {

class HomeLock {
public:
    enum class Result { Acquired, Busy, Failed };

    HomeLock() = default;
    ~HomeLock();
    HomeLock(const HomeLock&) = delete;
    HomeLock& operator=(const HomeLock&) = delete;

    // Takes the folder's lock for as long as this object lives. The operating system lets go of
    // it when the process ends, however it ends, so a crashed run never blocks the next one.
    // Busy: another run holds it. Failed: the lock file cannot be made (error() says why).
    Result acquire(const std::filesystem::path& homeDir);
    const std::string& error() const { return error_; }

    static std::filesystem::path lockFilePath(const std::filesystem::path& homeDir);

private:
    int fd_ = -1;
    std::string error_;
};

} // namespace bb
