// Writes seed lines files for fuzz_lines_file: the generated team's own lines saved under its
// password, and the same file sending every pro player to the farm, which reaches the waiver rule.
#include "coach/lines/lines_file.h"
#include "core/text.h"
#include "fuzz_support.h"
#include "scripted_prompter.h"

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_lines_seed CORPUS_DIR\n";
        return 2;
    }
    const fs::path corpus = argv[1];
    fs::create_directories(corpus);
    bb::fuzz::ScratchDir home;
    bb::Session s;
    if (!bb::fuzz::loadLinesTeam(s, home.path)) {
        std::cerr << "cannot load the seed team\n";
        return 1;
    }
    const bb::lines::LineWork work(s.Teams[0].LineSlots);
    const auto save = [&](const std::string& name) {
        bb::test::ScriptedPrompter prompter;
        prompter.texts = {bb::Condense(s.Teams[0].Password.str())};
        prompter.files = {(corpus / name).string()};
        return bb::lines::ExportLinesSub(s, prompter, work, 0) == bb::lines::ExportOutcome::Saved;
    };
    bool ok = save("own.lns");
    for (auto& p : s.Players[0])
        if (p.Sts >= 100 && p.Sts % 100 == 0)
            p.Sts = 0;
    ok = ok && save("farm.lns");
    if (!ok) {
        std::cerr << "cannot write the seed files\n";
        return 1;
    }
    return 0;
}
