// Writes small generated leagues in the fuzz target's input form: the header and team file
// lengths as 16-bit numbers, then the header, team and roster files back to back.
#include "demo_league.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;


int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_seed CORPUS_DIR\n";
        return 2;
    }
    const fs::path corpus = argv[1];
    fs::create_directories(corpus);
    const fs::path work = corpus / ".." / "seed-leagues";
    for (int teams : {1, 2}) {
        bb::demo::Options o;
        o.name = "seed" + std::to_string(teams);
        o.teams = teams;
        o.seed = static_cast<std::uint32_t>(teams);
        if (!bb::demo::writeDemoLeague(work, o)) {
            std::cerr << "cannot write the seed league\n";
            return 1;
        }
        const auto lge = bb::fuzz::slurp(work / (o.name + ".lge"));
        const auto tms = bb::fuzz::slurp(work / (o.name + ".tms"));
        const auto ros = bb::fuzz::slurp(work / (o.name + ".ros"));
        std::ofstream out(corpus / (o.name + ".bin"), std::ios::binary | std::ios::trunc);
        for (std::size_t len : {lge.size(), tms.size()})
            out.put(static_cast<char>(len & 0xFF)).put(static_cast<char>((len >> 8) & 0xFF));
        out.write(lge.data(), static_cast<std::streamsize>(lge.size()));
        out.write(tms.data(), static_cast<std::streamsize>(tms.size()));
        out.write(ros.data(), static_cast<std::streamsize>(ros.size()));
    }
    return 0;
}
