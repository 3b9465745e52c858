#include "file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace bb::io {

namespace fs = std::filesystem;

namespace {

// The test seam: one plan per thread, set only by testing::ScopedFaults.
struct FaultState {
    bool active = false;
    testing::Faults plan;
    long long written = 0;
    int renames = 0;
};
thread_local FaultState faults;

class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(Fd&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
    Fd& operator=(Fd&& o) noexcept
    {
        if (this != &o) {
            reset();
            fd_ = o.fd_;
            o.fd_ = -1;
        }
        return *this;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

Status failure(const std::string& what, const fs::path& file, int err)
{
    return Status::failure("Cannot " + what + " " + file.string() + ": " + std::strerror(err));
}

fs::path folderOf(const fs::path& file)
{
    const fs::path parent = file.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// Makes the changes to a folder's entries (a rename, a new file) durable.
void syncFolder(const fs::path& folder)
{
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir)
        ::fsync(dir.get());
}

// Writes all of data at offset. Counted writes spend the fault plan's byte budget; when the budget
// runs out part-way the write is torn there, as a full disk would tear it.
bool writeAll(int fd, std::uint64_t offset, const std::uint8_t* data, std::size_t size, bool counted, int& err)
{
    std::size_t allowed = size;
    bool injected = false;
    if (counted && faults.active && faults.plan.bytesBeforeFailure >= 0) {
        const long long left = faults.plan.bytesBeforeFailure - faults.written;
        if (left < static_cast<long long>(size)) {
            allowed = left > 0 ? static_cast<std::size_t>(left) : 0;
            injected = true;
        }
    }
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t n = ::pwrite(fd, data + done, allowed - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            if (counted)
                faults.written += static_cast<long long>(done);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (counted)
        faults.written += static_cast<long long>(done);
    if (injected) {
        err = ENOSPC;
        return false;
    }
    return true;
}

bool renameCounted(const fs::path& from, const fs::path& to, int& err)
{
    if (faults.active && faults.plan.renamesBeforeFailure >= 0 && faults.renames >= faults.plan.renamesBeforeFailure) {
        err = EIO;
        return false;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        err = errno;
        return false;
    }
    ++faults.renames;
    return true;
}

// A name beside file that no other file has yet: a hidden name carrying the marker.
fs::path uniqueName(const fs::path& file)
{
    static std::mt19937_64 rng{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
    static const char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string tail;
    for (int i = 0; i < 10; ++i)
        tail += digits[rng() % (sizeof digits - 1)];
    return folderOf(file) / ("." + file.filename().string() + TemporaryMarker + tail);
}

// The permissions a new file gets: those of the file it replaces, else the usual default.
mode_t newFileMode(const struct stat* existing)
{
    if (existing)
        return existing->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// One edit in flight: what it prepared and what it takes to undo it.
class Step {
public:
    explicit Step(const Edit& e) : edit_(e) {}
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;
    ~Step() { cleanUp(); }

    Status prepare() { return edit_.kind == Edit::Kind::Replace ? prepareReplace() : prepareRecord(); }
    Status make() { return edit_.kind == Edit::Kind::Replace ? makeReplace() : makeRecord(); }
    void undo() { edit_.kind == Edit::Kind::Replace ? undoReplace() : undoRecord(); }
    // The folder whose entries this edit changed, if any.
    std::optional<fs::path> changedFolder() const
    {
        if (edit_.kind == Edit::Kind::Replace || created_)
            return folderOf(edit_.file);
        return std::nullopt;
    }

    void finish()
    {
        if (!backup_.empty())
            ::unlink(backup_.c_str());
        backup_.clear();
    }

private:
    // ---- Replace: a temporary file beside the target, renamed over it ----

    Status prepareReplace()
    {
        struct stat st {};
        const bool exists = ::lstat(edit_.file.c_str(), &st) == 0;
        if (!exists && errno != ENOENT)
            return failure("write", edit_.file, errno);
        // A symlink is replaced by the new file, never followed; a folder or device is left alone.
        if (exists && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
            return Status::failure("Cannot write " + edit_.file.string() + ": it is not an ordinary file");
        existed_ = exists;
        wasLink_ = exists && S_ISLNK(st.st_mode);

        Fd out;
        for (int attempt = 0; attempt < 100 && !out; ++attempt) {
            temp_ = uniqueName(edit_.file);
            // Exclusive creation: a file or link already at that name is never opened.
            out = Fd(::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            newFileMode(exists && !wasLink_ ? &st : nullptr)));
            if (!out && errno != EEXIST) {
                const int err = errno;
                temp_.clear();
                return failure("write", edit_.file, err);
            }
        }
        if (!out) {
            temp_.clear();
            return failure("write", edit_.file, EEXIST);
        }
        int err = 0;
        if (!writeAll(out.get(), 0, edit_.bytes.data(), edit_.bytes.size(), true, err) || ::fsync(out.get()) != 0) {
            if (err == 0)
                err = errno;
            return failure("write", edit_.file, err);
        }
        return Status::success();
    }

    Status makeReplace()
    {
        if (existed_ && !keepOld())
            return failure("replace", edit_.file, errno);
        int err = 0;
        if (!renameCounted(temp_, edit_.file, err))
            return failure("replace", edit_.file, err);
        temp_.clear();
        made_ = true;
        // The folder is synced once for the whole batch, when every rename is done.
        return Status::success();
    }

    // Keeps the file about to be replaced, so that it can be put back: a second link to it costs
    // no space, which matters when the disk is full; where links are not supported, a copy.
    bool keepOld()
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path name = uniqueName(edit_.file);
            if (::link(edit_.file.c_str(), name.c_str()) == 0) {
                backup_ = name;
                return true;
            }
            if (errno != EEXIST)
                break;
        }
        if (wasLink_) {
            std::string target(PATH_MAX, '\0');
            const ssize_t n = ::readlink(edit_.file.c_str(), target.data(), target.size());
            if (n < 0)
                return false;
            target.resize(static_cast<std::size_t>(n));
            oldLink_ = target;
            return true;
        }
        Bytes old;
        if (!readFile(edit_.file, old))
            return false;
        oldBytes_ = std::move(old);
        return true;
    }

    void undoReplace()
    {
        if (!made_)
            return;
        if (!backup_.empty()) {
            ::rename(backup_.c_str(), edit_.file.c_str());
            backup_.clear();
        } else if (oldLink_) {
            const fs::path name = uniqueName(edit_.file);
            if (::symlink(oldLink_->c_str(), name.c_str()) == 0 && ::rename(name.c_str(), edit_.file.c_str()) != 0)
                ::unlink(name.c_str());
        } else if (oldBytes_) {
            const fs::path name = uniqueName(edit_.file);
            Fd out(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, newFileMode(nullptr)));
            int err = 0;
            if (out && writeAll(out.get(), 0, oldBytes_->data(), oldBytes_->size(), false, err) &&
                ::fsync(out.get()) == 0)
                ::rename(name.c_str(), edit_.file.c_str());
            else
                ::unlink(name.c_str());
        } else if (!existed_) {
            ::unlink(edit_.file.c_str());
        }
        made_ = false;
        syncFolder(folderOf(edit_.file));
    }

    // ---- WriteAt and Append: into an existing ordinary file ----

    Status prepareRecord()
    {
        fd_ = Fd(::open(edit_.file.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
        if (!fd_ && errno == ENOENT && edit_.create) {
            fd_ = Fd(::open(edit_.file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, newFileMode(nullptr)));
            created_ = static_cast<bool>(fd_);
        }
        if (!fd_) {
            if (errno == ELOOP)
                return Status::failure("Cannot write " + edit_.file.string() + ": it is a symbolic link");
            return failure("open", edit_.file, errno);
        }
        struct stat st {};
        if (::fstat(fd_.get(), &st) != 0)
            return failure("open", edit_.file, errno);
        if (!S_ISREG(st.st_mode))
            return Status::failure("Cannot write " + edit_.file.string() + ": it is not an ordinary file");
        return Status::success();
    }

    Status makeRecord()
    {
        struct stat st {};
        if (::fstat(fd_.get(), &st) != 0)
            return failure("write", edit_.file, errno);
        oldSize_ = static_cast<std::uint64_t>(st.st_size);
        const std::uint64_t at = edit_.kind == Edit::Kind::Append ? oldSize_ : edit_.offset;
        // What the write is about to cover, to be written back if the batch fails later.
        if (at < oldSize_) {
            const std::uint64_t n = std::min<std::uint64_t>(edit_.bytes.size(), oldSize_ - at);
            oldBytes_.emplace(n);
            std::size_t got = 0;
            while (got < n) {
                const ssize_t r = ::pread(fd_.get(), oldBytes_->data() + got, n - got, static_cast<off_t>(at + got));
                if (r < 0 && errno == EINTR)
                    continue;
                if (r <= 0)
                    return failure("read", edit_.file, r < 0 ? errno : EIO);
                got += static_cast<std::size_t>(r);
            }
        }
        oldAt_ = at;
        made_ = true; // from here on a partial write must be undone
        int err = 0;
        if (!writeAll(fd_.get(), at, edit_.bytes.data(), edit_.bytes.size(), true, err))
            return failure("write", edit_.file, err);
        if (::fsync(fd_.get()) != 0)
            return failure("write", edit_.file, errno);
        return Status::success();
    }

    void undoRecord()
    {
        if (made_) {
            int err = 0;
            if (oldBytes_)
                writeAll(fd_.get(), oldAt_, oldBytes_->data(), oldBytes_->size(), false, err);
            if (::ftruncate(fd_.get(), static_cast<off_t>(oldSize_)) == 0)
                ::fsync(fd_.get());
            made_ = false;
        }
        if (created_) {
            ::unlink(edit_.file.c_str());
            created_ = false;
        }
    }

    void cleanUp()
    {
        if (!temp_.empty())
            ::unlink(temp_.c_str());
        finish();
    }

    const Edit& edit_;
    bool made_ = false;

    // Replace
    fs::path temp_;
    fs::path backup_;
    bool existed_ = false;
    bool wasLink_ = false;
    std::optional<std::string> oldLink_;

    // Replace (copy fallback) and record writes
    std::optional<Bytes> oldBytes_;

    // Record writes
    Fd fd_;
    bool created_ = false;
    std::uint64_t oldSize_ = 0;
    std::uint64_t oldAt_ = 0;
};

Status readUpTo(const fs::path& file, std::optional<std::size_t> max, Bytes& out, bool missingIsEmpty)
{
    out.clear();
    Fd in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in) {
        if (missingIsEmpty && errno == ENOENT)
            return Status::success();
        return failure("read", file, errno);
    }
    struct stat st {};
    if (::fstat(in.get(), &st) != 0)
        return failure("read", file, errno);
    if (!S_ISREG(st.st_mode))
        return Status::failure("Cannot read " + file.string() + ": it is not an ordinary file");
    std::size_t want = static_cast<std::size_t>(st.st_size);
    if (max && *max < want)
        want = *max;
    out.resize(want);
    std::size_t got = 0;
    while (got < want) {
        const ssize_t n = ::read(in.get(), out.data() + got, want - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failure("read", file, errno);
        if (n == 0)
            break; // the file shrank under us: what was there is what we read
        got += static_cast<std::size_t>(n);
    }
    out.resize(got);
    return Status::success();
}

} // namespace

Edit Edit::replace(fs::path file, Bytes bytes)
{
    return Edit{Kind::Replace, std::move(file), 0, std::move(bytes), true};
}

Edit Edit::writeAt(fs::path file, std::uint64_t offset, Bytes bytes, bool create)
{
    return Edit{Kind::WriteAt, std::move(file), offset, std::move(bytes), create};
}

Edit Edit::append(fs::path file, Bytes bytes)
{
    return Edit{Kind::Append, std::move(file), 0, std::move(bytes), true};
}

Status apply(const std::vector<Edit>& edits)
{
    std::vector<std::unique_ptr<Step>> steps;
    steps.reserve(edits.size());
    const auto undoAll = [&steps] {
        for (auto it = steps.rbegin(); it != steps.rend(); ++it)
            (*it)->undo();
    };
    // Everything that can be checked or written aside is done before the first real change.
    for (const Edit& e : edits) {
        steps.push_back(std::make_unique<Step>(e));
        if (Status st = steps.back()->prepare(); !st) {
            undoAll();
            return st;
        }
    }
    for (auto& step : steps) {
        if (Status st = step->make(); !st) {
            undoAll();
            return st;
        }
    }
    std::vector<fs::path> folders;
    for (auto& step : steps) {
        if (const auto f = step->changedFolder(); f && std::find(folders.begin(), folders.end(), *f) == folders.end())
            folders.push_back(*f);
        step->finish();
    }
    for (const fs::path& f : folders)
        syncFolder(f);
    return Status::success();
}

Status readFile(const fs::path& file, Bytes& out)
{
    return readUpTo(file, std::nullopt, out, false);
}

Status readPrefix(const fs::path& file, std::size_t max, Bytes& out)
{
    return readUpTo(file, max, out, false);
}

Status readIfExists(const fs::path& file, Bytes& out)
{
    return readUpTo(file, std::nullopt, out, true);
}

void removeStaleTemporaries(const fs::path& folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 1 && name[0] == '.' && name.find(TemporaryMarker) != std::string::npos) {
            // unlink removes a link itself, never what it points at.
            ::unlink(it->path().c_str());
        }
    }
}

namespace testing {

ScopedFaults::ScopedFaults(Faults f)
{
    faults = FaultState{true, f, 0, 0};
}

ScopedFaults::~ScopedFaults()
{
    faults = FaultState{};
}

long long ScopedFaults::bytesWritten() const
{
    return faults.written;
}

} // namespace testing

} // namespace bb::io
