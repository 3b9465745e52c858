// The one way the program writes a file. Every writer goes through here so that a failure part-way
// (a full disk, a vanished share, a planted symlink) never leaves a file half-written or writes
// through a link into a file that was never meant to change.
//
// - A whole file is replaced through a temporary file created exclusively beside it, written,
//   synced and renamed over the target; the target is never opened, so a symlink in its place is
//   replaced, not followed.
// - A record is written into an existing ordinary file opened without following a symlink.
// - A batch of changes to several files is applied all together or not at all: a failure after
//   some of them were made puts back what they changed.
#pragma once

#include "status.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bb::io {

using Bytes = std::vector<std::uint8_t>;

// One change to one file.
struct Edit {
    enum class Kind {
        Replace, // the whole file becomes bytes (created when missing)
        WriteAt, // bytes go at offset of an existing ordinary file; nothing else changes
        Append,  // bytes go after the file's last byte
    };
    Kind kind = Kind::Replace;
    std::filesystem::path file;
    std::uint64_t offset = 0;
    Bytes bytes;
    bool create = false; // WriteAt and Append: make the file when it is missing

    static Edit replace(std::filesystem::path file, Bytes bytes);
    static Edit writeAt(std::filesystem::path file, std::uint64_t offset, Bytes bytes, bool create = false);
    static Edit append(std::filesystem::path file, Bytes bytes);
};

// Applies every edit, in order, or none: when one fails, those already made are undone and the
// files are as they were. Several edits may touch one file.
Status apply(const std::vector<Edit>& edits);

inline Status replaceFile(const std::filesystem::path& file, Bytes bytes)
{
    return apply({Edit::replace(file, std::move(bytes))});
}

// Reads a whole ordinary file (a symlink to one is fine: reading changes nothing).
Status readFile(const std::filesystem::path& file, Bytes& out);
// Reads at most max bytes from the start of an ordinary file; a shorter file gives fewer.
Status readPrefix(const std::filesystem::path& file, std::size_t max, Bytes& out);
// Reads an ordinary file when it exists; a missing file reads as no bytes.
Status readIfExists(const std::filesystem::path& file, Bytes& out);

// Removes the temporary files that a run which crashed mid-write left in folder.
void removeStaleTemporaries(const std::filesystem::path& folder);

// The marker in the names of this layer's temporary files.
inline constexpr const char* TemporaryMarker = ".bbtmp-";

namespace testing {

// Makes the file layer fail on purpose, so tests can prove that a failed write loses nothing.
// Counts run from the moment the guard is made; rolling back is never made to fail.
struct Faults {
    long long bytesBeforeFailure = -1;   // the write that would pass this many bytes fails (torn)
    int renamesBeforeFailure = -1;       // this many renames succeed, the next fails
};

class ScopedFaults {
public:
    explicit ScopedFaults(Faults f);
    ~ScopedFaults();
    ScopedFaults(const ScopedFaults&) = delete;
    ScopedFaults& operator=(const ScopedFaults&) = delete;
    // Bytes the layer wrote under this guard, rollback excluded.
    long long bytesWritten() const;
};

} // namespace testing

} // namespace bb::io
