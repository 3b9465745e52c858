// The write layer: all-or-nothing batches, no write through a link, nothing torn by a failure.
#include "core/file_io.h"
#include "core/home_lock.h"
#include "file_bytes.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using bb::io::Edit;
using bb::test::bytesOf;
using bb::test::readBytes;
using Guard = bb::io::testing::ScopedFaults;
using Files = std::map<std::string, std::string>;

struct FileIo : ::testing::Test {
    static void write(const fs::path& p, const std::string& s) { bb::test::writeBytes(p, bytesOf(s)); }
    // The folder's files by name (a link's marked "@") with what they hold.
    Files files() const
    {
        Files out;
        for (const auto& e : fs::directory_iterator(dir.path())) {
            const bb::test::Bytes b = readBytes(e.path());
            out[e.path().filename().string() + (e.is_symlink() ? "@" : "")] = std::string(b.begin(), b.end());
        }
        return out;
    }
    bb::test::TempDir dir;
    fs::path a = dir / "a", b = dir / "b", c = dir / "c", d = dir / "d";
};

TEST_F(FileIo, ABatchIsAppliedWholeOrNotAtAllAndNeverThroughALink)
{
    write(a, "0123456789");
    write(dir / "l", "old b");
    fs::create_symlink(dir / "l", b);
    fs::create_directory(d);
    // A record write refuses a link and anything but an ordinary file, an append a link, a
    // replacement a folder; a record write makes a missing file only when asked to. Each refusal
    // names the file.
    const bb::test::Bytes x = bytesOf("X");
    for (const Edit& e : {Edit::writeAt(b, 0, x), Edit::writeAt(d, 0, x), Edit::append(b, x),
                          Edit::replace(d, x), Edit::writeAt(c, 0, x)}) {
        const bb::Status st = bb::io::apply({e});
        EXPECT_TRUE(!st.ok() && st.error().find(e.file.string()) != std::string::npos) << e.file;
    }
    // A whole-file replacement replaces the link b itself, and a failed one puts it back. Failing
    // at every byte and at the rename: each time all the files are as they were, no c, no
    // temporaries; a whole batch grows a, replaces the link b, makes c.
    const std::vector<Edit> batch = {Edit::writeAt(a, 2, bytesOf("xy")), Edit::replace(b, bytesOf("new b!")),
                                     Edit::append(c, bytesOf("log\r\n")),
                                     Edit::writeAt(a, 8, bytesOf("XYZ"))};
    for (long long n = -1; n < 16; ++n) {
        Guard g({n, n < 0 ? 0 : -1}); // n = -1: the rename fails
        EXPECT_FALSE(bb::io::apply(batch).ok()) << n;
        EXPECT_EQ(files(), (Files{{"a", "0123456789"}, {"b@", "old b"}, {"d", ""}, {"l", "old b"}})) << n;
    }
    Guard g({16, -1});
    ASSERT_TRUE(bb::io::apply(batch).ok());
    EXPECT_EQ(g.bytesWritten(), 16);
    EXPECT_EQ(files(),
              (Files{{"a", "01xy4567XYZ"}, {"b", "new b!"}, {"c", "log\r\n"}, {"d", ""}, {"l", "old b"}}));
}

TEST_F(FileIo, LeftoversOfACrashedRunAndItsLock)
{
    // What a crashed run left beside its targets goes; a leftover link is removed, not followed.
    // A link in the lock file's place is not followed either.
    write(a, "abc");
    write(dir / (std::string(".swp.t") + bb::io::TemporaryMarker + "k3j2"), "half");
    fs::create_symlink(a, dir / (std::string(".swp.r") + bb::io::TemporaryMarker + "x"));
    const fs::path lock = bb::HomeLock::lockFilePath(dir.path());
    fs::create_symlink(a, lock);
    EXPECT_EQ(bb::HomeLock().acquire(dir.path()), bb::HomeLock::Result::Failed);
    bb::io::removeStaleTemporaries(dir.path());
    EXPECT_EQ(files(), (Files{{"a", "abc"}, {lock.filename().string() + "@", "abc"}}));

    // A run that crashes holding its folder's lock (a child that takes it and dies without letting
    // go) leaves nothing that stops the next one.
    fs::remove(lock);
    if (fork() == 0) {
        bb::HomeLock dying;
        _exit(dying.acquire(dir.path()) == bb::HomeLock::Result::Acquired ? 0 : 1);
    }
    int status = 0;
    ASSERT_TRUE(wait(&status) > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(bb::HomeLock().acquire(dir.path()), bb::HomeLock::Result::Acquired);
}

} // namespace
