// The waiver rule: when it applies, what it asks, what it writes and where.
#include "coach/roster/waivers.h"
#include "file_bytes.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <tuple>

namespace bb::roster {
namespace {

using namespace bb::test;

struct Waivers : ::testing::Test {
    TempDir home;
    RosterFiles files = RosterFiles::in(home.path());
    Session s;
    ScriptedPrompter prompter;

    // Team 4 "Hawks" of ten; three dressed skaters who need waivers when sent down.
    void SetUp() override
    {
        s.CurTeam = 4;
        s.Teams[4].Name.assign("Hawks");
        s.Teams[7].Name.assign("Owls");
        std::tie(s.League.MaxTeam, s.League.WaiversOn, s.League.WaiverGP, s.League.WaiverAge) =
            std::tuple(9, 1, 10, 25);
        for (int i = 0; i < 3; ++i) {
            PlayerRec& p = s.Players[0][i];
            p.Name.assign("Skater " + std::to_string(i)), p.GP = 10, p.Age = 26, p.Sts = 200;
        }
    }
    // Sends player ply down, answering the question; 46362.5 is 6 December 2026, noon.
    WaiverOutcome check(int ply, bool yes = true, int byTeam = 99)
    {
        prompter.yesNo = {yes};
        return CheckWaiversNow(s, prompter, 0, ply, byTeam, files, [] { return 46362.5; });
    }
};

TEST_F(Waivers, WhenTheRuleApplies)
{
    // Games, age, rule in force, rule suspended; whether waivers are needed. Games equal to the
    // threshold count, an age equal to it does not.
    const std::array<int, 5> cases[] = {
        {10, 26, 1, 0, 1}, {9, 26, 1, 0, 0}, {10, 25, 1, 0, 0}, {10, 26, 0, 0, 0}, {10, 26, 1, 1, 0}};
    PlayerRec& p = s.Players[0][0];
    for (const auto& [gp, age, on, off, needed] : cases) {
        std::tie(p.GP, p.Age, s.League.WaiversOn, s.League.WaiversOff) = std::tuple(gp, age, on, off);
        EXPECT_EQ(check(0, false).noWaiversNeeded, !needed) << gp << " " << age << " " << on << " " << off;
        EXPECT_EQ(prompter.take(), needed ? "? Put Skater 0 on waivers? [Keep changes?] " : "");
    }
    EXPECT_EQ(p.Sts, 100) << "No sends him to the scratches";
}

TEST_F(Waivers, YesWritesTheRecordAndTheLogLine)
{
    // Placed by team 7 (as a lines file does); an injured scratch keeps his injury on the farm.
    s.Players[0][1].Sts = 103;
    ASSERT_TRUE(check(1, true, 7).status.ok());
    EXPECT_EQ(s.Players[0][1].Sts, 3);
    // Name, slot, the current team, the date as a little-endian double, 255, the team again, a
    // set flag for each of the nine other teams, -1.
    const Bytes head = join({bytesOf("Skater 1" + std::string(14, ' ')), {1, 4, 0, 0, 0, 0, 0x50, 0xA3}});
    EXPECT_EQ(readBytes(files.waivers),
              join({head, {0xE6, 0x40, 255, 4}, Bytes(18, 0xFF), Bytes(80, 0), {255, 255}}));

    // The same name again is refused, under the current team's name as stored; padded with NULs
    // it is another name.
    s.Players[0][2].Name.assign("Skater 1" + std::string(14, '\0'));
    EXPECT_TRUE(check(1).status.ok() && check(2).status.ok());
    EXPECT_EQ(prompter.take(),
              "? Put Skater 1 on waivers? [Owls      ] ? Put Skater 1 on waivers? [Keep changes?] "
              "! Player must clear waivers first [Hawks     , info] "
              "? Put Skater 1 on waivers? [Keep changes?] ");
    EXPECT_TRUE(s.Players[0][1].Sts == 103 && readBytes(files.waivers).size() == 268);
    EXPECT_EQ(readBytes(files.log), bytesOf("Owls place Skater 1 on waivers<BR><BR>\r\n"
                                            "Hawks place Skater 1 on waivers<BR><BR>\r\n"));

    // The record goes at (length / 134) rounded, halves to even, plus one; it holds a set flag for
    // each team but one.
    const std::tuple<std::size_t, std::size_t, int> at[] = {
        {0, 0, 0}, {67, 0, 49}, {200, 134, 9}, {201, 268, 9}, {335, 268, 9}};
    for (auto [length, offset, maxTeam] : at) {
        writeBytes(files.waivers, Bytes(length, 'z'));
        s.League.MaxTeam = std::uint8_t(maxTeam);
        ASSERT_TRUE(check(0).status.ok());
        const Bytes file = readBytes(files.waivers);
        ASSERT_TRUE(file.size() == std::max(length, offset + 134) && file[offset] == 'S') << length;
        EXPECT_EQ(std::count(file.begin() + long(offset) + 34, file.begin() + long(offset) + 132, 0xFF),
                  2 * maxTeam);
    }
    // Placed now: the local date and time as days since 30 December 1899 (1 January 1970 is 25569).
    const std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    EXPECT_NEAR(oleDateNow(), double(timegm(&local)) / 86400 + 25569, 2.0 / 86400);
}

} // namespace
} // namespace bb::roster
