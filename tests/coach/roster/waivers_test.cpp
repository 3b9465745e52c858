// The waiver rule: when it applies, what it asks, what it writes and where.
#include "file_bytes.h"
#include "coach/roster/waivers.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using bb::test::readBytes;

namespace fs = std::filesystem;
using bb::io::Bytes;
using bb::roster::RosterFiles;
using bb::roster::WaiverRec;


constexpr double kPlaced = 46362.5; // 6 December 2026, noon

struct Waivers : ::testing::Test {
    bb::test::TempDir home;
    RosterFiles files = RosterFiles::in(home.path());
    bb::Session s;
    bb::test::ScriptedPrompter prompter;

    void SetUp() override
    {
        s.init(home.path());
        s.CurTeam = 4;
        s.Teams[4].Name.assign("Hawks");
        s.Teams[7].Name.assign("Owls");
        s.League.MaxTeam = 9;
        s.League.WaiversOn = 1;
        s.League.WaiverGP = 10;
        s.League.WaiverAge = 25;
        for (int i = 0; i < 3; ++i) {
            bb::PlayerRec& p = s.Players[0][i];
            p.Name.assign("Skater " + std::to_string(i));
            p.GP = 10;
            p.Age = 26;
        }
    }
    bb::roster::WaiverOutcome check(int ply, int byTeam = 99)
    {
        return bb::roster::CheckWaiversNow(s, prompter, 0, ply, byTeam, files, [] { return kPlaced; });
    }
};

TEST_F(Waivers, WhenTheRuleApplies)
{
    struct Case {
        int gp, age, on, off;
        bool needed;
    };
    const Case cases[] = {
        {10, 26, 1, 0, true},   // games equal to the threshold count
        {9, 26, 1, 0, false},   // too few games
        {10, 25, 1, 0, false},  // age equal to the threshold does not
        {10, 26, 0, 0, false},  // rule not in force
        {10, 26, 1, 1, false},  // rule in force but suspended
        {10, 26, -3, 0, true},  // any non-zero switch
    };
    for (const Case& c : cases) {
        s.Players[0][0].GP = static_cast<std::uint8_t>(c.gp);
        s.Players[0][0].Age = static_cast<std::uint8_t>(c.age);
        s.League.WaiversOn = static_cast<std::int16_t>(c.on);
        s.League.WaiversOff = static_cast<std::int16_t>(c.off);
        s.Players[0][0].Sts = 200;
        prompter.asked.clear();
        const auto r = check(0); // No: back to the scratches
        EXPECT_TRUE(r.status.ok());
        EXPECT_EQ(r.noWaiversNeeded, !c.needed) << c.gp << " " << c.age << " " << c.on << " " << c.off;
        EXPECT_EQ(prompter.asked.size(), c.needed ? 1u : 0u);
        EXPECT_EQ(s.Players[0][0].Sts, c.needed ? 100 : 200);
    }
    EXPECT_FALSE(fs::exists(files.waivers) || fs::exists(files.log));
}

TEST_F(Waivers, YesPlacesThePlayerOnFileAndInTheLog)
{
    s.Players[0][1].Sts = 103; // injured scratch sent down through a lines file keeps his injury
    prompter.yesNo = {true};
    const auto r = check(1);
    ASSERT_TRUE(r.status.ok());
    EXPECT_FALSE(r.noWaiversNeeded);
    EXPECT_EQ(s.Players[0][1].Sts, 3);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "Put Skater 1 on waivers?");
    EXPECT_EQ(prompter.asked[0].title, "Keep changes?");

    // The record, byte by byte at its documented offsets.
    const Bytes file = readBytes(files.waivers);
    ASSERT_EQ(file.size(), 134u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 22), "Skater 1" + std::string(14, ' '));
    EXPECT_EQ(file[22], 1);
    EXPECT_EQ(file[23], 4);
    const std::uint8_t placed[8] = {0, 0, 0, 0, 0x50, 0xA3, 0xE6, 0x40}; // 46362.5 as a little-endian double
    EXPECT_TRUE(std::equal(placed, placed + 8, file.begin() + 24));
    EXPECT_EQ(file[32], 255);
    EXPECT_EQ(file[33], 4);
    for (int k = 0; k < 49; ++k) // one set entry for each team but one: MaxTeam 9 gives nine
        EXPECT_EQ(file[34 + 2 * k] | file[35 + 2 * k] << 8, k < 9 ? 0xFFFF : 0) << k;
    EXPECT_TRUE(file[132] == 0xFF && file[133] == 0xFF);
    EXPECT_EQ(readBytes(files.log), Bytes({'H', 'a', 'w', 'k', 's', ' ', 'p', 'l', 'a', 'c', 'e', ' ', 'S', 'k', 'a', 't',
                                      'e', 'r', ' ', '1', ' ', 'o', 'n', ' ', 'w', 'a', 'i', 'v', 'e', 'r', 's', '<',
                                      'B', 'R', '>', '<', 'B', 'R', '>', '\r', '\n'}));

    // The same name again: "Player must clear waivers first" under the placing team's name, as stored.
    s.Players[0][1].Sts = 200;
    prompter = {};
    prompter.yesNo = {true};
    EXPECT_FALSE(check(1, 7).noWaiversNeeded);
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].title, "Owls      ");
    EXPECT_EQ(prompter.asked[1].text, "Player must clear waivers first");
    EXPECT_EQ(prompter.asked[1].icon, bb::MsgIcon::Information);
    EXPECT_EQ(prompter.asked[1].title, "Owls      ");
    EXPECT_EQ(s.Players[0][1].Sts, 100);
    EXPECT_EQ(readBytes(files.waivers).size(), 134u);

    // Padding counts: the name padded with NULs is another name. Placed by team 7, logged under it.
    s.Players[0][2].Name.b.fill('\0');
    std::copy_n("Skater 1", 8, s.Players[0][2].Name.b.begin());
    prompter.yesNo = {true};
    EXPECT_TRUE(check(2, 7).status.ok());
    EXPECT_EQ(readBytes(files.waivers).size(), 268u);
    EXPECT_EQ(readBytes(files.waivers)[134 + 23], 4) << "Team always holds the current team";
    const Bytes log = readBytes(files.log);
    EXPECT_EQ(std::string(log.begin() + 41, log.end()), "Owls place Skater 1 on waivers<BR><BR>\r\n");
}

TEST_F(Waivers, RecordNumbersAndTeamFlags)
{
    // The record goes at (length / 134) rounded, halves to even, plus one.
    const std::pair<std::size_t, std::size_t> lengths[] = {{0, 0}, {134, 134}, {200, 134}, {201, 268}, {268, 268}};
    for (auto [length, offset] : lengths) {
        std::ofstream(files.waivers, std::ios::binary | std::ios::trunc) << std::string(length, 'z');
        s.Players[0][0].Sts = 100;
        prompter.yesNo = {true};
        ASSERT_TRUE(check(0).status.ok());
        const Bytes file = readBytes(files.waivers);
        ASSERT_EQ(file.size(), offset + 134) << length;
        EXPECT_EQ(file[offset], 'S') << length;
        EXPECT_EQ(std::count(file.begin(), file.begin() + std::min(length, offset), 'z'), std::min(length, offset));
        fs::remove(files.waivers);
    }
    for (int maxTeam : {0, 49}) {
        s.League.MaxTeam = static_cast<std::uint8_t>(maxTeam);
        s.Players[0][0].Sts = 100;
        prompter.yesNo = {true};
        ASSERT_TRUE(check(0).status.ok());
        const auto rec = WaiverRec::decode(std::span<const std::uint8_t, 134>(readBytes(files.waivers).data(), 134));
        for (std::int16_t f : rec.TeamFlags)
            EXPECT_EQ(f, maxTeam == 0 ? 0 : -1);
        fs::remove(files.waivers);
    }
}

TEST_F(Waivers, APlacementThatCannotBeWrittenChangesNothing)
{
    std::ofstream(files.log) << "earlier line\r\n";
    const Bytes log = readBytes(files.log);
    for (long long n = 0; n < 134 + 41; n += 9) {
        s.Players[0][0].Sts = 200;
        prompter.yesNo = {true};
        bb::io::testing::ScopedFaults f({n, -1});
        const auto r = check(0);
        EXPECT_FALSE(r.status.ok()) << n;
        EXPECT_EQ(s.Players[0][0].Sts, 200) << n;
        EXPECT_FALSE(fs::exists(files.waivers)) << n;
        EXPECT_EQ(readBytes(files.log), log) << n;
    }
    // A folder where the waiver file should be: reported, nothing asked of the file.
    fs::create_directory(files.waivers);
    prompter.yesNo = {true};
    const auto r = check(0);
    EXPECT_FALSE(r.status.ok());
    EXPECT_NE(r.status.error().find(files.waivers.string()), std::string::npos);
    EXPECT_EQ(s.Players[0][0].Sts, 200);
}

} // namespace
