#include "roster_work.h"

namespace bb::roster {

void ResetFlags(Session& s, RosterWork& work, int T)
{
    if (T < 0 || T > 1)
        return;
    auto& players = s.Players[static_cast<std::size_t>(T)];
    for (std::size_t i = 0; i < RosterSize; ++i) {
        PlayerRec& p = players[i];
        const int injury = p.Sts % 100;
        if (injury > 0) {
            const auto scratched = static_cast<std::uint8_t>(100 + injury);
            work.RosterStatus[i] = scratched;
            if (p.Sts < 100)
                p.Sts = scratched;
            if (p.Con < 10)
                p.Con = 100;
        } else {
            work.RosterStatus[i] = p.Sts;
        }
        work.SavedStatus[i] = p.Sts;
    }
}

} // namespace bb::roster
