// Feeds arbitrary bytes as the waiver file and the release file to a roster commit that releases
// a player and sends a veteran down (answering the waiver question Yes), so that both scans and
// the writes after them see every kind of file: cut records, odd lengths, matching names.
#include "coach/roster/roster_commit.h"
#include "fuzz_support.h"
#include "scripted_prompter.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct Fixture {
    bb::fuzz::ScratchDir dir;
    bb::Session team;
    bb::roster::RosterWork work;
    Fixture()
    {
        if (!bb::fuzz::loadLinesTeam(team, dir.path))
            std::abort();
        bb::roster::ResetFlags(team, work, 0);
        // Everybody dressed goes down; the generated team has a released player of its own.
        for (std::size_t i = 0; i < bb::RosterSize; ++i)
            if (work.RosterStatus[i] == 200)
                work.RosterStatus[i] = 0;
    }
};

const Fixture& fixture()
{
    static const Fixture f;
    return f;
}

void put(const fs::path& name, const std::uint8_t* data, std::size_t size)
{
    std::ofstream(name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A 16-bit length splits the input into the waiver file and the release file.
    if (size < 2)
        return 0;
    const Fixture& f = fixture();
    const std::size_t rest = size - 2;
    const std::size_t split = std::min<std::size_t>(rest, data[0] | (data[1] << 8));
    const bb::roster::RosterFiles files = bb::roster::RosterFiles::in(f.dir.path);
    put(files.waivers, data + 2, split);
    put(files.releases, data + 2 + split, rest - split);
    std::error_code ec;
    fs::remove(files.log, ec);

    auto s = std::make_unique<bb::Session>(f.team);
    bb::test::ScriptedPrompter prompter;
    for (int i = 0; i < bb::RosterSize; ++i)
        prompter.yesNo.push_back(i % 3 != 2);
    (void)bb::roster::TransferBuffer(*s, prompter, f.work, 0, files, [] { return 46000.0; });
    return 0;
}
