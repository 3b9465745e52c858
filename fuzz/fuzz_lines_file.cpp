// Feeds arbitrary bytes to Load Lines as the chosen lines file, answering the waiver questions Yes
// and No in turn, then reads the table it leaves: a lines file is untrusted input, so no byte
// pattern may crash or read out of bounds.
#include "coach/lines/line_averages.h"
#include "coach/lines/line_table.h"
#include "coach/lines/lines_file.h"
#include "coach/roster/waivers.h"
#include "fuzz_support.h"
#include "scripted_prompter.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const bb::fuzz::TeamFixture& f = bb::fuzz::teamFixture();
    // Each input starts from no waiver placements, so that a run can be replayed.
    const bb::roster::RosterFiles files = bb::roster::RosterFiles::in(f.dir.path);
    std::error_code ec;
    fs::remove(files.waivers, ec);
    fs::remove(files.log, ec);
    const fs::path input = f.dir.path / "input.lns";
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    auto s = std::make_unique<bb::Session>(f.team);
    bb::test::ScriptedPrompter prompter;
    prompter.files = {input.string()};
    for (int i = 0; i < bb::RosterSize; ++i)
        prompter.yesNo.push_back(i % 2 == 0);
    bb::lines::LineWork work(s->Teams[0].LineSlots);
    (void)bb::lines::ImportLinesSub(*s, prompter, work, 0);

    (void)bb::lines::ReadLineAssgts(work.LineSlots);
    (void)bb::lines::LinesIncomplete(work.LineSlots);
    for (int x = 0; x < 12; ++x)
        (void)bb::lines::lineAverages(*s, work.LineSlots, x);
    (void)bb::lines::listedPlayers(s->Players[0], {true, true, true, true, true});
    (void)bb::lines::healthyDressed(s->Players[0]);
    return 0;
}
