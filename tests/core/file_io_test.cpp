// The write layer: all-or-nothing batches, no write through a link, nothing torn by a failure.
#include "core/file_io.h"
#include "core/home_lock.h"
#include "file_bytes.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using bb::io::Bytes;
using bb::io::Edit;
using bb::test::readBytes;
using Faults = bb::io::testing::Faults;
using Guard = bb::io::testing::ScopedFaults;

Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }
void write(const fs::path& p, const std::string& s) { bb::test::writeBytes(p, bytes(s)); }

std::set<std::string> listing(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string() + (fs::is_symlink(e.symlink_status()) ? "@" : ""));
    return names;
}

struct FileIo : ::testing::Test {
    bb::test::TempDir dir;
    fs::path a = dir / "a", b = dir / "b", c = dir / "c";
};

TEST_F(FileIo, ABatchIsAppliedWholeOrNotAtAll)
{
    write(a, "0123456789");
    write(b, "old b");
    const std::vector<Edit> batch = {Edit::writeAt(a, 2, bytes("xy")), Edit::replace(b, bytes("new b!")),
                                     Edit::append(c, bytes("log\r\n")), Edit::writeAt(a, 8, bytes("XYZ"))};
    // Fail at every byte and at every rename: each time all three files are as they were.
    for (long long n = -1; n < 16; ++n) {
        Guard g(Faults{n, n < 0 ? 0 : -1}); // n = -1: the rename fails
        EXPECT_FALSE(bb::io::apply(batch).ok()) << n;
        EXPECT_EQ(readBytes(a), bytes("0123456789")) << n;
        EXPECT_EQ(readBytes(b), bytes("old b")) << n;
        EXPECT_EQ(listing(dir.path()), (std::set<std::string>{"a", "b"})) << n << ": c and temporaries gone";
    }
    Guard g(Faults{16, -1});
    ASSERT_TRUE(bb::io::apply(batch).ok());
    EXPECT_EQ(g.bytesWritten(), 16);
    EXPECT_EQ(readBytes(a), bytes("01xy4567XYZ")) << "a write past the end grows the file";
    EXPECT_EQ(readBytes(b), bytes("new b!"));
    EXPECT_EQ(readBytes(c), bytes("log\r\n"));
    EXPECT_EQ(listing(dir.path()), (std::set<std::string>{"a", "b", "c"}));
}

TEST_F(FileIo, NoWriteFollowsALink)
{
    const fs::path precious = dir / "league.ros";
    write(precious, "league data");
    fs::create_symlink(precious, a);
    fs::create_symlink(precious, b);
    fs::create_directory(c);

    // A record write refuses a link and anything but an ordinary file; nothing is written.
    for (const fs::path& target : {a, c}) {
        const bb::Status st = bb::io::apply({Edit::writeAt(target, 0, bytes("X"))});
        EXPECT_FALSE(st.ok());
        EXPECT_NE(st.error().find(target.string()), std::string::npos) << st.error();
    }
    EXPECT_FALSE(bb::io::apply({Edit::append(b, bytes("X"))}).ok());
    EXPECT_FALSE(bb::io::replaceFile(c, bytes("X")).ok());
    // A whole-file replacement replaces the link itself; a failed one puts the link back.
    {
        Guard g(Faults{-1, 0});
        EXPECT_FALSE(bb::io::replaceFile(a, bytes("new")).ok());
    }
    EXPECT_TRUE(fs::is_symlink(a));
    ASSERT_TRUE(bb::io::replaceFile(a, bytes("new")).ok());
    EXPECT_FALSE(fs::is_symlink(a));
    EXPECT_EQ(readBytes(a), bytes("new"));
    EXPECT_EQ(readBytes(precious), bytes("league data"));
    // A record write into a missing file makes it only when asked to.
    EXPECT_FALSE(bb::io::apply({Edit::writeAt(dir / "new", 0, bytes("X"))}).ok());
    EXPECT_FALSE(fs::exists(dir / "new"));
}

TEST_F(FileIo, ReadsAndLeftovers)
{
    write(a, "abcdef");
    Bytes out;
    ASSERT_TRUE(bb::io::readPrefix(a, 4, out).ok());
    EXPECT_EQ(out, bytes("abcd"));
    ASSERT_TRUE(bb::io::readPrefix(a, 40, out).ok());
    EXPECT_EQ(out, bytes("abcdef"));
    EXPECT_FALSE(bb::io::readFile(dir.path(), out).ok()) << "a folder is not a file";
    EXPECT_FALSE(bb::io::readFile(b, out).ok());
    ASSERT_TRUE(bb::io::readIfExists(b, out).ok());
    EXPECT_TRUE(out.empty());

    // What a crashed run left beside its targets goes; a leftover link is removed, not followed.
    write(dir / (std::string(".swp.t") + bb::io::TemporaryMarker + "k3j2"), "half");
    fs::create_symlink(a, dir / (std::string(".swp.r") + bb::io::TemporaryMarker + "x"));
    write(dir / "swp.t", "kept");
    bb::io::removeStaleTemporaries(dir.path());
    EXPECT_EQ(listing(dir.path()), (std::set<std::string>{"a", "swp.t"}));
    EXPECT_EQ(readBytes(a), bytes("abcdef"));
}

TEST_F(FileIo, OneRunPerFolder)
{
    bb::HomeLock first, second;
    ASSERT_EQ(first.acquire(dir.path()), bb::HomeLock::Result::Acquired);
    EXPECT_EQ(second.acquire(dir.path()), bb::HomeLock::Result::Busy);
    // A run that crashes holding the lock (a child that takes it and dies without letting go)
    // leaves nothing that stops the next one.
    bb::test::TempDir crashed;
    if (const pid_t child = fork(); child == 0) {
        bb::HomeLock dying;
        _exit(dying.acquire(crashed.path()) == bb::HomeLock::Result::Acquired ? 0 : 1);
    } else {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_TRUE(fs::exists(bb::HomeLock::lockFilePath(crashed.path())));
    bb::HomeLock next;
    EXPECT_EQ(next.acquire(crashed.path()), bb::HomeLock::Result::Acquired);

    // A link in the lock file's place is not followed.
    bb::test::TempDir linked;
    write(linked / "target", "x");
    fs::create_symlink(linked / "target", bb::HomeLock::lockFilePath(linked.path()));
    bb::HomeLock l;
    EXPECT_EQ(l.acquire(linked.path()), bb::HomeLock::Result::Failed);
    EXPECT_EQ(readBytes(linked / "target"), bytes("x"));
}

} // namespace
