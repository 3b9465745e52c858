#include "home_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bb {

std::filesystem::path HomeLock::lockFilePath(const std::filesystem::path& homeDir)
{
    return homeDir / "benchboss.lock";
}

HomeLock::~HomeLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

HomeLock::Result HomeLock::acquire(const std::filesystem::path& homeDir)
{
    const std::filesystem::path name = lockFilePath(homeDir);
    // The lock file is never written; still, a link in its place is not followed.
    const int fd = ::open(name.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        error_ = "Cannot open " + name.string() + ": " + std::strerror(errno);
        return Result::Failed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error_ = "Cannot lock " + name.string() + ": it is not an ordinary file";
        return Result::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK)
            return Result::Busy;
        error_ = "Cannot lock " + name.string() + ": " + std::strerror(err);
        return Result::Failed;
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
    return Result::Acquired;
}

} // namespace bb
