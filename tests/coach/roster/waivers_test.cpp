// The waiver rule: when it applies, what it asks, what it writes and where.
#include "coach/roster/waivers.h"
#include "file_bytes.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>

namespace {

namespace fs = std::filesystem;
using bb::test::Bytes;
using bb::test::bytesOf;
using bb::test::readBytes;
using bb::test::writeBytes;

struct Waivers : ::testing::Test {
    bb::test::TempDir home;
    bb::roster::RosterFiles files = bb::roster::RosterFiles::in(home.path());
    bb::Session s;
    bb::test::ScriptedPrompter prompter;

    // Team 4 "Hawks" of ten; three skaters who need waivers when sent down.
    void SetUp() override
    {
        s.init(home.path());
        s.CurTeam = 4;
        s.Teams[4].Name.assign("Hawks");
        s.Teams[7].Name.assign("Owls");
        std::tie(s.League.MaxTeam, s.League.WaiversOn, s.League.WaiverGP, s.League.WaiverAge) =
            std::tuple(9, 1, 10, 25);
        for (int i = 0; i < 3; ++i) {
            s.Players[0][i].Name.assign("Skater " + std::to_string(i));
            std::tie(s.Players[0][i].GP, s.Players[0][i].Age) = std::tuple(10, 26);
        }
    }
    // Sends player ply down, answering the question with yes; 46362.5 is 6 December 2026, noon.
    bb::roster::WaiverOutcome check(int ply, bool yes = true, int byTeam = 99)
    {
        prompter.yesNo = {yes};
        return bb::roster::CheckWaiversNow(s, prompter, 0, ply, byTeam, files, [] { return 46362.5; });
    }
};

TEST_F(Waivers, WhenTheRuleApplies)
{
    struct Case {
        int gp, age, on, off;
        bool needed;
    };
    const Case cases[] = {
        {10, 26, 1, 0, true},  // games equal to the threshold count
        {9, 26, 1, 0, false},  // too few games
        {10, 25, 1, 0, false}, // age equal to the threshold does not
        {10, 26, 0, 0, false}, // rule not in force
        {10, 26, 1, 1, false}, // rule in force but suspended
    };
    for (const Case& c : cases) {
        bb::PlayerRec& p = s.Players[0][0];
        std::tie(p.GP, p.Age, p.Sts) = std::tuple(c.gp, c.age, 200);
        std::tie(s.League.WaiversOn, s.League.WaiversOff) = std::tuple(c.on, c.off);
        const auto r = check(0, false); // No: back to the scratches
        EXPECT_EQ(r.noWaiversNeeded, !c.needed) << c.gp << " " << c.age << " " << c.on << " " << c.off;
        EXPECT_EQ(prompter.take(), c.needed ? "? Put Skater 0 on waivers? [Keep changes?] " : "");
        EXPECT_EQ(p.Sts, c.needed ? 100 : 200);
    }
    EXPECT_FALSE(fs::exists(files.waivers) || fs::exists(files.log));
}

TEST_F(Waivers, YesPlacesThePlayerOnFileAndInTheLog)
{
    s.Players[0][1].Sts = 103; // an injured scratch sent down through a lines file keeps his injury
    ASSERT_TRUE(check(1).status.ok());
    EXPECT_EQ(s.Players[0][1].Sts, 3);
    // Name, slot, team, the date as a little-endian double, 255, the team again, a set flag for
    // each of the nine other teams, -1.
    Bytes rec = bytesOf("Skater 1" + std::string(14, ' '));
    for (int b : {1, 4, 0, 0, 0, 0, 0x50, 0xA3, 0xE6, 0x40, 255, 4})
        rec.push_back(static_cast<std::uint8_t>(b));
    rec.resize(134);
    std::fill_n(rec.begin() + 34, 18, 0xFF);
    rec[132] = rec[133] = 0xFF;
    EXPECT_EQ(readBytes(files.waivers), rec);
    EXPECT_EQ(readBytes(files.log), bytesOf("Hawks place Skater 1 on waivers<BR><BR>\r\n"));

    // The same name again, placed by team 7: refused under that team's name as stored.
    s.Players[0][1].Sts = 200;
    prompter.take();
    EXPECT_FALSE(check(1, true, 7).noWaiversNeeded);
    EXPECT_EQ(prompter.take(), "? Put Skater 1 on waivers? [Owls      ] "
                               "! Player must clear waivers first [Owls      , info] ");
    EXPECT_EQ(s.Players[0][1].Sts, 100);
    EXPECT_EQ(readBytes(files.waivers).size(), 134u);

    // Padding counts: the name padded with NULs is another name. The log names the placing team,
    // the record the current one.
    s.Players[0][2].Name.b.fill('\0');
    std::copy_n("Skater 1", 8, s.Players[0][2].Name.b.begin());
    EXPECT_TRUE(check(2, true, 7).status.ok());
    ASSERT_EQ(readBytes(files.waivers).size(), 268u);
    EXPECT_EQ(readBytes(files.waivers)[134 + 23], 4);
    EXPECT_EQ(readBytes(files.log), bytesOf("Hawks place Skater 1 on waivers<BR><BR>\r\n"
                                            "Owls place Skater 1 on waivers<BR><BR>\r\n"));
}

TEST_F(Waivers, RecordNumbersAndTeamFlags)
{
    // The record goes at (length / 134) rounded, halves to even, plus one; it holds a set flag for
    // each team but one.
    const std::tuple<std::size_t, std::size_t, int> cases[] = {
        {0, 0, 0}, {67, 0, 49}, {200, 134, 9}, {201, 268, 9}, {335, 268, 9}};
    for (auto [length, offset, maxTeam] : cases) {
        writeBytes(files.waivers, Bytes(length, 'z'));
        std::tie(s.League.MaxTeam, s.Players[0][0].Sts) = std::tuple(maxTeam, 100);
        ASSERT_TRUE(check(0).status.ok());
        const Bytes file = readBytes(files.waivers);
        ASSERT_EQ(file.size(), std::max(length, offset + 134)) << length;
        EXPECT_EQ(file[offset], 'S') << length;
        EXPECT_EQ(std::count(file.begin() + long(offset) + 34, file.begin() + long(offset) + 132, 0xFF),
                  2 * maxTeam);
    }

    // A folder where the waiver file should be: reported by name, the player left where he was.
    fs::remove(files.waivers);
    fs::create_directory(files.waivers);
    s.Players[0][0].Sts = 200;
    const auto r = check(0);
    EXPECT_NE(r.status.error().find(files.waivers.string()), std::string::npos);
    EXPECT_EQ(s.Players[0][0].Sts, 200);
}

} // namespace
