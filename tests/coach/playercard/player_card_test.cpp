// The player card's texts, checked against values worked out by hand.
#include "coach/playercard/player_card.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

namespace {

using namespace bb;
using namespace bb::card;
using Edit = std::function<void(PlayerRec&)>;

const Separators English{",", "."};
const Separators German{".", ","};

// Team 3 "Hawks"; FarmPayGP 5.
CardContext context(Separators sep = English)
{
    Session s;
    s.init("/nonexistent-benchboss-home");
    s.CurTeam = 3;
    s.Teams[3].Name.assign("Hawks");
    s.League.FarmPayGP = 5;
    return cardContext(s, sep);
}

// A healthy dressed veteran centre, every skill 50; then the edit.
CardTexts card(const Edit& edit, const CardContext& ctx = context())
{
    PlayerRec p;
    p.Name.assign("Jan Novak");
    p.Sts = 200;
    p.Skill.fill(50);
    edit(p);
    return fillCard(p, ctx);
}

TEST(PlayerCard, IdentityAndHeight)
{
    CardTexts t = card([](PlayerRec& p) { p.Num = 250, p.Rookie.raw = 1, p.Shoots = 7, p.Con = 0; });
    EXPECT_EQ(std::tie(t.Label1, t.lblPos, t.lblNum, t.lblExp, t.lblHD, t.lblCon),
              std::tuple("Jan Novak (Hawks)", "C", "250", "Rookie", "R", "100"));
    // A NUL inside a name that fills its field must not hide the team; unknown positions show "?".
    t = card([](PlayerRec& p) {
        p.Name.assign(std::string("Ann\0", 4) + std::string(18, 'x')), p.Pos = 5, p.Con = 37;
    });
    EXPECT_EQ(std::tie(t.Label1, t.lblPos, t.lblExp, t.lblHD, t.lblCon),
              std::tuple("Ann (Hawks)", "?", "Veteran", "L", "37"));

    // Below 66 inches the feet form is always 5 ft 6; centimetres are the true height times 2.5.
    const std::tuple<std::uint8_t, const char*, const char*> heights[] = {{60, "5 ft 6", "150 cm"},
                                                                          {65, "5 ft 6", "162.5 cm"},
                                                                          {72, "6 ft 0", "180 cm"},
                                                                          {73, "6 ft 1", "182.5 cm"}};
    for (const auto& [hgt, feet, cm] : heights) {
        t = card([h = hgt](PlayerRec& p) { p.Hgt = h; });
        EXPECT_EQ(std::tie(t.lblHgt(true), t.lblHgt(false)), std::tuple(feet, cm)) << int(hgt);
    }
}

TEST(PlayerCard, StatusAndSalary)
{
    const std::tuple<std::uint8_t, std::uint8_t, const char*> status[] = {
        {6, 0, "Injured IN"}, {102, 3, "Injured 1W"}, {200, 2, "Suspended 2 games"},
        {0, 0, "Healthy"},    {208, 0, "Injured ?"},
    };
    for (const auto& [sts, susp, text] : status)
        EXPECT_EQ(card([sts = sts, susp = susp](PlayerRec& p) { p.Sts = sts, p.Susp = susp; }).lblSts, text)
            << int(sts);

    // A healthy farm player below FarmPayGP games draws a tenth, floored.
    const std::tuple<std::uint8_t, std::uint8_t, std::int32_t, const char*> salary[] = {
        {0, 4, 45009, "4,500"}, {0, 5, 45000, "45,000"},  {3, 0, 45000, "45,000"}, // injured farm player
        {100, 0, 950, "0,950"}, {0, 0, -45001, "-4,501"},
    };
    for (const auto& [sts, gp, amount, text] : salary)
        EXPECT_EQ(card([sts = sts, gp = gp, amount = amount](PlayerRec& p) {
                      p.Sts = sts, p.GP = gp, p.Salary = amount;
                  }).lblSalary,
                  text)
            << int(sts) << " " << int(gp);
}

TEST(PlayerCard, Ratings)
{
    // Overall, not the stored skill 13: a centre with every counted skill 50 except EN 255.
    // (50 * 65 + 3 * 255) / 68 = 59.04, + 5.
    CardTexts t = card([](PlayerRec& p) { p.Skill[3] = 255, p.Skill[13] = 77; });
    EXPECT_EQ(std::tie(t.lblSkill[3], t.lblSkill[9], t.lblSkill[13]), std::tuple("n/a", "50", "64"));
    t = card([](PlayerRec& p) { p.Pos = PosG, p.Skill[9] = 255, p.Skill[10] = 12; });
    EXPECT_EQ(std::tie(t.lblSkill[9], t.lblSkill[10], t.lblSkill[13]), std::tuple("N/A", "N/A", "48"));
}

TEST(PlayerCard, SkaterStatistics)
{
    const CardTexts t = card([](PlayerRec& p) { p.G = 200, p.A = 100, p.PlusMinus = -4, p.Shots = 1600; });
    // Goals and assists do not wrap at a byte; 200 on 1600 shots is 12.5 %.
    EXPECT_EQ(
        std::tie(t.statValue[lblP], t.statValue[lblPlus], t.statValue[lblShoot], t.statCaption[lblShoot]),
        std::tuple("300", "-4", "12.5", "Sh%"));
    EXPECT_TRUE(t.lblGTVisible);

    // Halves round away from zero: 1 on 16 is 6.25 %.
    const std::tuple<std::int16_t, std::uint8_t, const char*> shooting[] = {
        {0, 0, "0.0"}, {-3, 2, "0.0"}, {16, 1, "6.3"}, {3, 4, "133.3"}};
    for (const auto& [shots, goals, text] : shooting)
        EXPECT_EQ(card([shots = shots, goals = goals](PlayerRec& p) {
                      p.Shots = shots, p.G = goals;
                  }).statValue[lblShoot],
                  text)
            << shots;
}

TEST(PlayerCard, GoalieStatistics)
{
    const auto goalie = [](std::uint8_t gp, std::int16_t shots, std::int16_t ga) {
        return card([=](PlayerRec& p) {
            p.Pos = PosG, p.GP = gp, p.Shots = shots, p.PIM = ga;
            p.G = 4, p.A = 1, p.PPG = 2, p.SHG = 9, p.GW = 7, p.GT = 3;
        });
    };
    const CardTexts t = goalie(20, 300, 50);
    EXPECT_EQ(t.statCaption, (std::array<std::string, StatCount>{"GP", "W", "L", "T", "GA", "GAA", "PIM",
                                                                 "As", "SO", "", "Shots", "Sv%"}));
    EXPECT_EQ(t.statValue, (std::array<std::string, StatCount>{"20", "9", "7", "3", "50", "2.50", "4", "1",
                                                               "2", "", "300", "0.833"}));
    EXPECT_FALSE(t.lblGTVisible);

    // No game played keeps the design texts; no shot against saves everything.
    const std::tuple<std::uint8_t, std::int16_t, std::int16_t, const char*, const char*> cases[] = {
        {0, 300, 20, "0", "N/A"}, {3, 0, 0, "0.00", "1.000"}, {200, 1000, 201, "1.01", "0.799"}};
    for (const auto& [gp, shots, ga, gaa, sv] : cases) {
        const CardTexts c = goalie(gp, shots, ga);
        EXPECT_EQ(std::tie(c.statValue[lblPlus], c.statValue[lblShoot]), std::tuple(gaa, sv)) << int(gp);
    }
}

TEST(PlayerCard, GermanSeparators)
{
    const CardTexts t =
        card([](PlayerRec& p) { p.Salary = 45000, p.G = 10, p.Shots = 80, p.Hgt = 73; }, context(German));
    EXPECT_EQ(std::tie(t.lblSalary, t.statValue[lblShoot], t.lblHgtCm),
              std::tuple("45.000", "12,5", "182,5 cm"));
}

} // namespace
