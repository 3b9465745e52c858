// Hand-made player records and tables for the line logic tests.
#pragma once

#include "core/records.h"

namespace bb::test {

// Every skill at base except DF (skill 9) and SC (skill 10), which set a player's leaning.
inline PlayerRec makePlayer(std::uint8_t pos, std::uint8_t base, std::uint8_t df, std::uint8_t sc,
                            std::uint8_t sts = 200, std::uint8_t con = 50)
{
    PlayerRec p;
    p.Pos = pos;
    p.Sts = sts;
    p.Con = con;
    p.Skill.fill(base);
    p.Skill[9] = df;
    p.Skill[10] = sc;
    return p;
}

// All skills equal: a skater rates level + 5 overall and by offence, level by defence.
inline PlayerRec evenPlayer(std::uint8_t pos, std::uint8_t level, std::uint8_t sts = 200,
                            std::uint8_t con = 50)
{
    return makePlayer(pos, level, level, level, sts, con);
}

inline LineTable filledTable(std::uint8_t value)
{
    LineTable t;
    for (auto& line : t)
        line.fill(value);
    return t;
}

} // namespace bb::test
