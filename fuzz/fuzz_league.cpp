// Feeds arbitrary bytes to the league loaders and to everything that reads a loaded team:
// league files are untrusted input, so no byte pattern may crash or read out of bounds.
#include "coach/lines/auto_lines.h"
#include "coach/lines/line_averages.h"
#include "coach/lines/line_table.h"
#include "core/league_io.h"
#include "core/ratings.h"
#include "core/text.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

// One scratch folder for the whole run, removed when the fuzzer exits.
const fs::path& workDir()
{
    static const bb::fuzz::ScratchDir dir;
    return dir.path;
}

void writeFile(const fs::path& name, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Two little-endian 16-bit lengths split the rest between the header, team and roster files.
    if (size < 4)
        return 0;
    const std::size_t rest = size - 4;
    const std::size_t a = std::min<std::size_t>(rest, data[0] | (data[1] << 8));
    const std::size_t b = std::min<std::size_t>(rest, a + (data[2] | (data[3] << 8)));
    const std::uint8_t* body = data + 4;

    const fs::path dir = workDir();
    const std::string league = (dir / "lg").string();
    writeFile(league + ".lge", body, a);
    writeFile(league + ".tms", body + a, b - a);
    writeFile(league + ".ros", body + b, rest - b);

    auto s = std::make_unique<bb::Session>();
    s->init(dir);
    if (!bb::LoadLg(*s, league))
        return 0;

    for (int tm = 0; tm <= s->League.MaxTeam; ++tm) {
        s->CurTeam = static_cast<std::uint8_t>(tm);
        if (!bb::LoadTeam(*s, tm, 0))
            continue;
        for (int p = 0; p < bb::RosterSize; ++p) {
            (void)bb::Overall(*s, 0, p);
            (void)bb::OffenseRating(*s, p, 0);
            (void)bb::DefenseRating(*s, p, 0);
            (void)s->posName(s->Players[0][static_cast<std::size_t>(p)].Pos);
            (void)s->injCode(s->Players[0][static_cast<std::size_t>(p)].Sts);
            (void)bb::Condense(s->Players[0][static_cast<std::size_t>(p)].Name.str());
        }
        const bb::LineTable& stored = s->Teams[static_cast<std::size_t>(tm)].LineSlots;
        (void)bb::lines::ReadLineAssgts(stored);
        (void)bb::lines::LinesIncomplete(stored);
        for (int x = 0; x < 12; ++x)
            (void)bb::lines::lineAverages(*s, stored, x);

        bb::lines::LineWork work(stored);
        for (int i = 0; i < 23; ++i)
            for (std::uint8_t p = 0; p < bb::RosterSize; p = static_cast<std::uint8_t>(p + 7))
                (void)work.place(i, p, s->Players[0][p], bb::lines::Mode::PK);
        bb::lines::AutoLines(*s, work.LineSlots, 0, 0);
        (void)bb::lines::ReadLineAssgts(work.LineSlots);
        (void)bb::SaveTeam(*s, tm, 0);
    }
    return 0;
}
