#include "demo_league.h"

#include "core/records.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <fstream>
#include <span>
#include <string_view>
#include <system_error>
#include <vector>

namespace bb::demo {

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// splitmix64: tiny, fast, and the same sequence with every compiler and standard library.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A whole number in lo..hi, both included.
    int range(int lo, int hi)
    {
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    bool chance(int percent) { return range(0, 99) < percent; }
    std::uint8_t byte() { return static_cast<std::uint8_t>(next() & 0xFF); }
    // A byte that is never zero, so that kept bytes are visible in a round trip.
    std::uint8_t junk() { return static_cast<std::uint8_t>(range(1, 255)); }
    template <typename C> const auto& pick(const C& items)
    {
        return items[static_cast<std::size_t>(range(0, static_cast<int>(items.size()) - 1))];
    }
    template <typename T> void shuffle(std::vector<T>& v)
    {
        for (std::size_t i = v.size(); i > 1; --i)
            std::swap(v[i - 1], v[static_cast<std::size_t>(range(0, static_cast<int>(i) - 1))]);
    }

  private:
    std::uint64_t state_;
};

// Names are stored as Windows-1252 bytes, a few with accented letters.
constexpr std::array<std::string_view, 44> kFirstNames = {
    "Anton", "Bram",  "Carl",  "Dario",  "Emil",  "Felix",   "Gus",   "Henrik",  "Ivo",
    "Jonas", "Karl",  "Lukas", "Marek",  "Niko",  "Oskar",   "Pavel", "Quinn",   "Rasmus",
    "Sven",  "Tomas", "Ulf",   "Viktor", "Wade",  "Yannick", "Zane",  "Aaron",   "Brody",
    "Cole",  "Dane",  "Eli",   "Finn",   "Grant", "Hugo",    "Jari",  "Kyle",    "J\xE9r\xF4me",
    "Milo",  "Nate",  "Owen",  "Reid",   "Seth",  "Troy",    "Vince", "Andr\xE9"};

constexpr std::array<std::string_view, 26> kSurnameHeads = {
    "Ander", "Bjork", "Carl", "Dahl",  "Eng", "Falk", "Gran", "Holm", "Lind", "Nord", "Sand", "Berg", "Mac",
    "Ost",   "Val",   "Kaj",  "Brenn", "Dro", "Hal",  "Kor",  "Mar",  "Pel",  "Rud",  "Stra", "Tor",  "Wik"};

constexpr std::array<std::string_view, 16> kSurnameTails = {
    "son", "berg", "str\xF6m", "ski",  "ov",    "ek",  "man", "er",
    "ley", "ton",  "ard",      "holm", "quist", "ney", "ik",  "\xE4nen"};

constexpr std::array<std::string_view, 20> kTownHeads = {
    "Ash",  "Bel",  "Cold",  "Dun", "Elm",  "Fern",  "Glen",  "Hart",  "Iron", "Kess",
    "Lark", "Mill", "North", "Oak", "Pine", "Raven", "Stone", "Thorn", "Wolf", "Frost"};
constexpr std::array<std::string_view, 10> kTownTails = {"ford", "vale", "mont", "bury",  "haven",
                                                         "wick", "port", "dale", "ridge", "ton"};

constexpr std::array<std::string_view, 6> kArenaKinds = {"Arena",  "Coliseum", "Gardens",
                                                         "Centre", "Forum",    "Ice Palace"};
constexpr std::array<std::string_view, 8> kBirthplaces = {"CAN", "USA", "SWE", "FIN",
                                                          "CZE", "RUS", "SVK", "GER"};

constexpr std::array<std::string_view, 2> kConfNames = {"Lakeshore", "Highland"};
constexpr std::array<std::array<std::string_view, 4>, 2> kDivNames = {
    {{"Harbour", "Summit", "Prairie", "Coastal"}, {"Frontier", "Valley", "Timber", "Canyon"}}};

constexpr std::string_view kLeagueName = "Benchboss Demo League";
constexpr int kSeasonDay = 12;
constexpr int kGamesPerTeam = 82;

struct Record {
    int wins = 0;
    int losses = 0;
    int ties = 0;
};

// Game by game: wins and losses about equally likely, a tie now and then.
Record results(int games, Rng& rng)
{
    Record r;
    for (int g = 0; g < games; ++g) {
        const int roll = rng.range(0, 99);
        (roll < 45 ? r.wins : roll < 90 ? r.losses : r.ties) += 1;
    }
    return r;
}

std::string personName(Rng& rng)
{
    std::string surname = std::string(rng.pick(kSurnameHeads)) + std::string(rng.pick(kSurnameTails));
    return std::string(rng.pick(kFirstNames)) + " " + surname;
}

// Fills the bytes of [from, to) that no field covers with deterministic junk.
void fillJunk(std::span<std::uint8_t> raw, std::size_t from, std::size_t to, Rng& rng)
{
    for (std::size_t i = from; i < to; ++i)
        raw[i] = rng.junk();
}

// What one roster slot is meant to hold before it is filled with a player.
struct SlotPlan {
    enum Kind { Dressed, Scratch, Farm, Empty };
    Kind kind = Empty;
    std::uint8_t pos = PosC;
    int injury = 0; // 0 healthy, 1..6
    int susp = 0;   // games of suspension left
    bool released = false;
};

// The kind of faulty game roster a team is given, if any.
enum class Fault { None, NineteenDressed, TwentyOneDressed, InjuredDressed };

Fault faultOf(int team)
{
    if (team % 5 != 3)
        return Fault::None;
    static constexpr std::array<Fault, 3> kinds = {Fault::NineteenDressed, Fault::TwentyOneDressed,
                                                   Fault::InjuredDressed};
    return kinds[static_cast<std::size_t>((team / 5) % 3)];
}

std::vector<SlotPlan> planRoster(int team, int teams, Rng& rng)
{
    std::vector<SlotPlan> plan;
    const auto add = [&plan](SlotPlan::Kind kind, std::uint8_t pos, int count) {
        for (int i = 0; i < count; ++i)
            plan.push_back(SlotPlan{kind, pos, 0, 0, false});
    };
    // The dressed twenty first: 4 C, 4 LW, 4 RW, 6 D, 2 G.
    add(SlotPlan::Dressed, PosC, 4);
    add(SlotPlan::Dressed, PosLW, 4);
    add(SlotPlan::Dressed, PosRW, 4);
    add(SlotPlan::Dressed, PosD, 6);
    add(SlotPlan::Dressed, PosG, 2);
    // Four scratches: two healthy, two injured.
    const std::size_t scratches = plan.size();
    add(SlotPlan::Scratch, PosLW, 1);
    add(SlotPlan::Scratch, PosD, 1);
    add(SlotPlan::Scratch, PosC, 1);
    add(SlotPlan::Scratch, PosRW, 1);
    // The farm.
    const std::size_t farm = plan.size();
    add(SlotPlan::Farm, PosC, 4);
    add(SlotPlan::Farm, PosLW, 3);
    add(SlotPlan::Farm, PosRW, 3);
    add(SlotPlan::Farm, PosD, 6);
    add(SlotPlan::Farm, PosG, 2);
    add(SlotPlan::Farm, static_cast<std::uint8_t>(rng.range(PosC, PosD)), 1);
    while (plan.size() < RosterSize)
        plan.push_back(SlotPlan{});

    // Three injuries per team, so that two teams already show every injury code.
    plan[scratches + 2].injury = (3 * team) % 6 + 1;
    plan[scratches + 3].injury = (3 * team + 1) % 6 + 1;
    plan[farm + 5].injury = (3 * team + 2) % 6 + 1;
    // A healthy scratch serving a short suspension; one farm player per few teams is out for good.
    plan[scratches + 1].susp = rng.range(1, 4);
    if (team % 4 == (teams > 1 ? 1 : 0))
        plan[farm + 8].susp = 99;
    // One released player per team, now and then among the scratches.
    if (team % 6 == 4)
        plan[scratches + 0].released = true;
    else
        plan[farm + 2].released = true;

    switch (faultOf(team)) {
    case Fault::None:
        break;
    case Fault::NineteenDressed:
        plan[17].kind = SlotPlan::Scratch; // a defenceman short
        break;
    case Fault::TwentyOneDressed:
        plan[scratches].kind = SlotPlan::Dressed; // an extra left wing
        plan[scratches].released = false;
        break;
    case Fault::InjuredDressed:
        plan[10].injury = rng.range(1, 6); // a right wing dressed while injured
        break;
    }
    return plan;
}

// Skill bias per position (C, LW, RW, D, G) for skills 0..13.
constexpr std::array<std::array<int, 14>, 5> kBias = {{
    {0, 2, -2, 2, 0, 0, 3, 6, 5, -2, 4, 0, 0, 0},
    {0, 4, 0, 0, 0, 0, 4, 2, 3, -3, 6, 0, 0, 0},
    {0, 4, 0, 0, 0, 0, 4, 2, 3, -3, 6, 0, 0, 0},
    {2, -2, 6, 2, 2, 0, 0, -2, -2, 8, -6, 0, 0, 0},
    {2, 6, 0, 0, 0, 0, 2, -6, 2, 0, 0, 0, 0, 0},
}};

void fillPlayer(PlayerRec& p, const SlotPlan& plan, std::uint8_t number, Rng& rng)
{
    const bool goalie = plan.pos == PosG;
    const std::string name = personName(rng);
    p.Name.assign(name);
    // Real league data pads some names with NULs instead of spaces.
    if (rng.chance(15))
        for (std::size_t i = name.size(); i < p.Name.size(); ++i)
            p.Name.b[i] = '\0';
    p.Pos = plan.pos;
    p.Num = number;
    p.Shoots = static_cast<std::uint8_t>(rng.chance(40) ? 1 : 0);
    p.Hgt = static_cast<std::uint8_t>(rng.range(68, 77));
    p.Wgt = static_cast<std::uint8_t>(rng.range(170, 230));
    p.Age = static_cast<std::uint8_t>(plan.kind == SlotPlan::Farm ? rng.range(18, 31) : rng.range(20, 37));
    if (p.Age <= 21)
        p.Rookie.raw = rng.chance(25) ? std::int16_t{1} : std::int16_t{-1};
    const int rosterClass = plan.kind == SlotPlan::Dressed ? 2 : plan.kind == SlotPlan::Scratch ? 1 : 0;
    p.Sts = static_cast<std::uint8_t>(rosterClass * 100 + plan.injury);
    p.Con = static_cast<std::uint8_t>(plan.injury ? rng.range(40, 80) : rng.range(85, 100));

    const int base = plan.kind == SlotPlan::Dressed   ? rng.range(62, 84)
                     : plan.kind == SlotPlan::Scratch ? rng.range(55, 74)
                                                      : rng.range(42, 66);
    for (std::size_t k = 0; k < p.Skill.size(); ++k)
        p.Skill[k] =
            static_cast<std::uint8_t>(std::clamp(base + kBias[plan.pos][k] + rng.range(-10, 10), 40, 95));
    if (goalie) {
        const bool notApplicable = rng.chance(50);
        p.Skill[9] = notApplicable ? 255 : static_cast<std::uint8_t>(rng.range(40, 55));
        p.Skill[10] = notApplicable ? 255 : static_cast<std::uint8_t>(rng.range(40, 55));
    }
    if (rng.chance(10))
        p.Skill[13] = 255;

    p.Salary = plan.kind == SlotPlan::Farm ? rng.range(9, 80) * 5000 : rng.range(120, 1300) * 5000;
    p.Contract = static_cast<std::uint8_t>(rng.range(1, 5));
    p.Susp = static_cast<std::uint8_t>(plan.susp);

    const int gp = plan.kind == SlotPlan::Dressed   ? rng.range(kSeasonDay - 4, kSeasonDay)
                   : plan.kind == SlotPlan::Scratch ? rng.range(0, kSeasonDay - 3)
                                                    : rng.range(0, 7);
    p.GP = static_cast<std::uint8_t>(gp);
    if (goalie) {
        const Record rec = results(gp, rng);
        p.G = static_cast<std::uint8_t>(rng.range(0, 4)); // penalty minutes
        p.A = static_cast<std::uint8_t>(rng.range(0, 1));
        p.PIM = static_cast<std::int16_t>(gp * rng.range(20, 38) / 10);  // goals against
        p.Shots = static_cast<std::int16_t>(gp * rng.range(26, 34));     // shots against
        p.PPG = static_cast<std::uint8_t>(gp > 3 ? rng.range(0, 1) : 0); // shutouts
        p.SHG = static_cast<std::uint8_t>(rec.wins);
        p.GW = static_cast<std::uint8_t>(rec.losses);
        p.GT = static_cast<std::uint8_t>(rec.ties);
    } else {
        const int goals = gp ? rng.range(0, gp * (plan.pos == PosD ? 1 : 2) / 2 + 1) : 0;
        p.G = static_cast<std::uint8_t>(goals);
        p.A = static_cast<std::uint8_t>(gp ? rng.range(0, gp) : 0);
        p.PlusMinus = static_cast<std::int16_t>(gp ? rng.range(-6, 8) : 0);
        p.PIM = static_cast<std::int16_t>(gp ? rng.range(0, 20) * 2 : 0);
        p.Shots = static_cast<std::int16_t>(goals + (gp ? rng.range(0, gp * 3) : 0));
        p.PPG = static_cast<std::uint8_t>(goals ? rng.range(0, goals) : 0);
        p.SHG = static_cast<std::uint8_t>(goals - p.PPG ? rng.range(0, 1) : 0);
        p.GW = static_cast<std::uint8_t>(goals ? rng.range(0, std::min(goals, 2)) : 0);
        p.GT = static_cast<std::uint8_t>(goals && rng.chance(20) ? 1 : 0);
    }
    if (rng.chance(18))
        p.Protected.raw = rng.chance(30) ? std::int16_t{1} : std::int16_t{-1};
    p.Released = plan.released ? 1 : 0;
    p.Birthplace.assign(rng.pick(kBirthplaces));

    fillJunk(p.raw, 65, 67, rng);
    fillJunk(p.raw, 69, 75, rng);
    fillJunk(p.raw, 79, PlayerRec::Size, rng);
}

// An empty slot left behind by an earlier player: NUL first, then what was there before.
void fillStrayEmpty(PlayerRec& p, Rng& rng)
{
    p.Name.assign("Old Departed");
    p.Name.b[0] = '\0';
    p.Pos = static_cast<std::uint8_t>(rng.range(0, 4));
    p.Num = static_cast<std::uint8_t>(rng.range(1, 98));
    p.Sts = 200;
    p.Age = static_cast<std::uint8_t>(rng.range(20, 35));
    for (auto& sk : p.Skill)
        sk = static_cast<std::uint8_t>(rng.range(40, 95));
    p.Salary = rng.range(100, 900) * 5000;
    fillJunk(p.raw, 65, 67, rng);
    fillJunk(p.raw, 79, PlayerRec::Size, rng);
}

// A complete, valid line table from the healthy dressed players of a team with a valid mix.
LineTable validLines(const std::vector<PlayerRec>& roster)
{
    std::array<std::vector<std::uint8_t>, 5> byPos;
    for (std::size_t i = 0; i < roster.size(); ++i)
        if (!roster[i].isEmpty() && roster[i].Sts == 200 && roster[i].Pos <= PosG)
            byPos[roster[i].Pos].push_back(static_cast<std::uint8_t>(i));
    LineTable t;
    for (auto& line : t)
        line.fill(NoPlayer);
    const auto& c = byPos[PosC];
    const auto& l = byPos[PosLW];
    const auto& r = byPos[PosRW];
    const auto& d = byPos[PosD];
    const auto& g = byPos[PosG];
    if (c.size() < 4 || l.size() < 4 || r.size() < 4 || d.size() < 6 || g.empty())
        return t;
    for (std::size_t x = 0; x < 4; ++x)
        t[x] = {c[x], l[x], r[x], d[2 * (x % 3)], d[2 * (x % 3) + 1]};
    t[4] = {c[0], l[0], r[0], d[0], d[1]};
    t[5] = {c[1], l[1], r[1], d[2], d[3]};
    t[6] = {c[0], l[0], d[0], d[1], NoPlayer};
    t[7] = {c[1], r[1], d[2], d[3], NoPlayer};
    t[8] = {c[2], l[2], d[4], d[5], NoPlayer};
    t[9] = {c[3], r[3], d[0], d[2], NoPlayer};
    t[10] = {c[2], d[4], d[5], NoPlayer, NoPlayer};
    t[11] = {c[3], d[1], d[3], NoPlayer, NoPlayer};
    t[12] = {g[0], c[0], l[0], NoPlayer, NoPlayer};
    return t;
}

std::vector<PlayerRec> makeRoster(int team, int teams, Rng& rng)
{
    std::vector<SlotPlan> plan = planRoster(team, teams, rng);
    rng.shuffle(plan);
    std::vector<std::uint8_t> numbers;
    for (int n = 1; n <= 98; ++n)
        numbers.push_back(static_cast<std::uint8_t>(n));
    rng.shuffle(numbers);

    std::vector<PlayerRec> roster(RosterSize);
    bool strayDone = team % 2 == 1; // every other team keeps one stale empty slot
    for (std::size_t s = 0; s < RosterSize; ++s) {
        if (plan[s].kind == SlotPlan::Empty) {
            if (!strayDone) {
                fillStrayEmpty(roster[s], rng);
                strayDone = true;
            }
        } else {
            fillPlayer(roster[s], plan[s], numbers[s], rng);
        }
    }
    return roster;
}

struct Town {
    std::string_view head;
    std::string_view tail;
    std::string name() const { return std::string(head) + std::string(tail); }
    // Heads differ in their first two letters and tails in their first, so abbreviations are unique.
    std::string abbrev() const
    {
        std::string a{head[0], head[1], tail[0]};
        for (auto& ch : a)
            ch = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
        return a;
    }
};

Town townOf(int team, const std::vector<std::size_t>& heads, const std::vector<std::size_t>& tails)
{
    // Each team number gets its own head/tail pair: teams sharing a head differ in the tail.
    const auto t = static_cast<std::size_t>(team);
    return {kTownHeads[heads[t % heads.size()]],
            kTownTails[tails[(t % heads.size() * 7 + t / heads.size()) % tails.size()]]};
}

TeamRec makeTeam(int team, bool allDivisions, const Town& town, const std::vector<PlayerRec>& roster,
                 Rng& rng)
{
    TeamRec r;
    r.Name.assign(town.name());
    r.Owner.assign(personName(rng));
    r.ICQ.assign(std::to_string(rng.range(10000000, 99999999)));
    r.Password.assign("pass" + std::to_string(team));
    r.Abbrev.assign(town.abbrev());
    r.Arena.assign(town.name() + " " + std::string(rng.pick(kArenaKinds)));
    r.Seats = static_cast<std::int16_t>(rng.range(140, 210) * 100);
    r.Ticket = static_cast<std::uint8_t>(rng.range(30, 95));
    r.Conf = static_cast<std::uint8_t>(team % 2);
    r.Div = static_cast<std::uint8_t>((team / 2) % (allDivisions ? 4 : 2));
    r.Cash = team % 9 == 4 ? -rng.range(50, 900) * 1000 : rng.range(500, 12000) * 1000;
    r.Coach.Name.assign(personName(rng));
    r.Coach.Pay = rng.range(50, 300) * 5000;

    const int gp = rng.range(kSeasonDay - 1, kSeasonDay + 1);
    const Record rec = results(gp, rng);
    // Only the first element counts; the others hold what the simulator left there.
    r.Wins = {static_cast<std::uint8_t>(rec.wins), static_cast<std::uint8_t>(rng.range(20, 50)), rng.byte()};
    r.Losses = {static_cast<std::uint8_t>(rec.losses), static_cast<std::uint8_t>(rng.range(20, 50)),
                rng.byte()};
    r.Ties = {static_cast<std::uint8_t>(rec.ties), static_cast<std::uint8_t>(rng.range(0, 12)), rng.byte()};
    r.GF = static_cast<std::int16_t>(gp * rng.range(22, 38) / 10);
    r.GA = static_cast<std::int16_t>(gp * rng.range(22, 38) / 10);
    r.PPOpp = static_cast<std::int16_t>(gp * rng.range(3, 6));
    r.PPGoals = static_cast<std::uint8_t>(r.PPOpp * rng.range(10, 25) / 100);
    r.TimesSH = static_cast<std::int16_t>(gp * rng.range(3, 6));
    r.PPGA = static_cast<std::uint8_t>(r.TimesSH * rng.range(10, 25) / 100);
    // Season totals; now and then with a fraction, as the simulator's averaging leaves them.
    r.SF = static_cast<float>(gp * rng.range(25, 36)) + (team % 7 == 5 ? 0.5f : 0.0f);
    r.SA = static_cast<float>(gp * rng.range(25, 36));
    r.PIM = static_cast<float>(gp * rng.range(8, 20)) + (team % 7 == 5 ? 0.25f : 0.0f);
    for (auto& line : r.LineSlots)
        line.fill(NoPlayer);
    if (team == 0)
        r.LineSlots = validLines(roster);
    r.HomeGP = static_cast<std::uint8_t>(gp / 2 + rng.range(0, 1));
    r.GateRev = r.Seats * r.Ticket * rng.range(80, 100) / 100;

    fillJunk(r.raw, 35, 36, rng);
    fillJunk(r.raw, 58, 61, rng);
    fillJunk(r.Coach.raw, 26, 27, rng);
    fillJunk(r.raw, 130, 132, rng);
    fillJunk(r.raw, 145, 156, rng);
    fillJunk(r.raw, 239, 241, rng);
    fillJunk(r.raw, 246, 252, rng);
    return r;
}

LeagueRec makeHeader(int teams, Rng& rng)
{
    LeagueRec h;
    h.Name.assign(kLeagueName);
    h.MaxTeam = static_cast<std::uint8_t>(teams - 1);
    for (std::size_t k = 0; k < h.Conf.size(); ++k) {
        ConfRec& c = h.Conf[k];
        c.Name.assign(kConfNames[k]);
        fillJunk(c.raw, 12, 13, rng);
        for (std::size_t d = 0; d < c.Div.size(); ++d) {
            c.Div[d].Name.assign(kDivNames[k][d]);
            fillJunk(c.Div[d].raw, 10, DivRec::Size, rng);
        }
    }
    h.SeasonDay = kSeasonDay;
    // The schedule counts every game once; each game involves two teams.
    h.SchedGames = static_cast<std::int16_t>(kGamesPerTeam * teams / 2);
    h.WaiversOn = 1;
    h.WaiversOff = 0;
    h.WaiverGP = 10;
    h.WaiverAge = 25;
    h.FarmPayGP = 5;
    fillJunk(h.raw, 222, 231, rng);
    fillJunk(h.raw, 233, 274, rng);
    fillJunk(h.raw, 276, 394, rng);
    fillJunk(h.raw, 397, 419, rng);
    fillJunk(h.raw, 421, LeagueRec::Size, rng);
    return h;
}

Status writeFile(const fs::path& name, const Bytes& bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    if (!out)
        return Status::failure("Cannot create " + name.string());
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        return Status::failure("Cannot write " + name.string());
    return Status::success();
}

template <typename Rec> void append(Bytes& out, const Rec& rec)
{
    const auto bytes = rec.encoded();
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace

Status writeDemoLeague(const std::filesystem::path& folder, const Options& options)
{
    if (options.teams < 1 || options.teams > MaxTeams)
        return Status::failure("The number of teams must be 1 to 50");
    if (options.name.empty())
        return Status::failure("The league needs a name");
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        return Status::failure("Cannot create " + folder.string() + ": " + ec.message());

    // Each team draws from its own stream, so a team's data does not depend on the team count.
    const std::uint64_t seed = (static_cast<std::uint64_t>(options.seed) << 32) ^ 0x6A09E667F3BCC909ULL;
    Rng leagueRng(seed);
    std::vector<std::size_t> heads(kTownHeads.size()), tails(kTownTails.size());
    for (std::size_t i = 0; i < heads.size(); ++i)
        heads[i] = i;
    for (std::size_t i = 0; i < tails.size(); ++i)
        tails[i] = i;
    leagueRng.shuffle(heads);
    leagueRng.shuffle(tails);

    Bytes lge, tms, ros;
    append(lge, makeHeader(options.teams, leagueRng));
    for (int t = 0; t < options.teams; ++t) {
        Rng rng(seed + 0x100000001B3ULL * static_cast<std::uint64_t>(t + 1));
        const std::vector<PlayerRec> roster = makeRoster(t, options.teams, rng);
        append(tms, makeTeam(t, options.allDivisions, townOf(t, heads, tails), roster, rng));
        for (const PlayerRec& p : roster)
            append(ros, p);
    }

    const fs::path base = folder / options.name;
    for (auto [ext, bytes] : {std::pair{".lge", &lge}, std::pair{".tms", &tms}, std::pair{".ros", &ros}})
        if (Status st = writeFile(fs::path(base.string() + ext), *bytes); !st)
            return st;
    return Status::success();
}

} // namespace bb::demo
