// Writes the seeds of fuzz_team and fuzz_roster_files: the generated league's roster file behind
// a team byte, and the waiver and release files that a roster commit of the generated team writes.
#include "coach/roster/roster_commit.h"
#include "fuzz_support.h"
#include "scripted_prompter.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;


int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: fuzz_roster_seed TEAM_CORPUS_DIR FILES_CORPUS_DIR\n";
        return 2;
    }
    const fs::path teams = argv[1], files = argv[2];
    fs::create_directories(teams);
    fs::create_directories(files);
    bb::fuzz::ScratchDir home;
    bb::Session s;
    if (!bb::fuzz::loadLinesTeam(s, home.path)) {
        std::cerr << "cannot load the seed team\n";
        return 1;
    }
    const std::vector<char> ros = bb::fuzz::slurp(s.SwapRos);
    for (char team : {'\0', '\1'}) {
        std::ofstream out(teams / (std::string("team") + char('0' + team) + ".bin"), std::ios::binary);
        out.put(team).write(ros.data(), static_cast<std::streamsize>(ros.size()));
    }

    // A commit that sends the dressed players down and releases the released one, twice, so that
    // the second sees the files of the first.
    bb::roster::RosterWork work;
    bb::roster::ResetFlags(s, work, 0);
    for (auto& sts : work.RosterStatus)
        if (sts == 200)
            sts = 0;
    const bb::roster::RosterFiles written = bb::roster::RosterFiles::in(home.path);
    for (int round = 0; round < 2; ++round) {
        bb::Session copy = s;
        bb::test::ScriptedPrompter prompter;
        prompter.yesNo.assign(bb::RosterSize, true);
        if (!bb::roster::TransferBuffer(copy, prompter, work, 0, written, [] { return 46000.0; })) {
            std::cerr << "cannot write the seed files\n";
            return 1;
        }
        const std::vector<char> w = bb::fuzz::slurp(written.waivers), r = bb::fuzz::slurp(written.releases);
        std::ofstream out(files / ("commit" + std::to_string(round) + ".bin"), std::ios::binary);
        out.put(static_cast<char>(w.size() & 0xFF)).put(static_cast<char>((w.size() >> 8) & 0xFF));
        out.write(w.data(), static_cast<std::streamsize>(w.size()));
        out.write(r.data(), static_cast<std::streamsize>(r.size()));
    }
    return 0;
}
