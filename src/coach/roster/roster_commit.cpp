#include "roster_commit.h"

#include "core/file_io.h"
#include "core/league_io.h"
#include "core/text.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace bb::roster {

ReleaseRec ReleaseRec::decode(std::span<const std::uint8_t, Size> bytes)
{
    ReleaseRec r;
    r.Fld0 = getI16(bytes.data(), 0);
    r.Player = PlayerRec::decode(bytes.subspan<NameOffset, PlayerRec::Size>());
    return r;
}

std::array<std::uint8_t, ReleaseRec::Size> ReleaseRec::encoded() const
{
    std::array<std::uint8_t, Size> out{};
    putI16(out.data(), 0, Fld0);
    Player.encode(std::span<std::uint8_t, Size>(out).subspan<NameOffset, PlayerRec::Size>());
    return out;
}

namespace {

// The release file as this commit sees it: read once, with this commit's releases already in
// place, so that a second release of one name finds the first.
class ReleaseBook {
  public:
    explicit ReleaseBook(io::Bytes file) : file_(std::move(file)) {}

    // Where a release of this name goes: over the first whole record with the same 22 bytes of
    // name, else just after the last whole record (a cut-off tail is overwritten).
    std::uint64_t offsetFor(const Text<22>& name) const
    {
        const std::size_t whole = file_.size() / ReleaseRec::Size;
        for (std::size_t r = 0; r < whole; ++r)
            if (std::memcmp(file_.data() + r * ReleaseRec::Size + ReleaseRec::NameOffset, name.b.data(),
                            name.size()) == 0)
                return r * ReleaseRec::Size;
        return whole * ReleaseRec::Size;
    }

    io::Bytes put(std::uint64_t offset, const ReleaseRec& rec)
    {
        const auto bytes = rec.encoded();
        const auto at = static_cast<std::size_t>(offset);
        file_.resize(std::max(file_.size(), at + bytes.size()));
        std::copy(bytes.begin(), bytes.end(), file_.begin() + static_cast<std::ptrdiff_t>(at));
        return io::Bytes(bytes.begin(), bytes.end());
    }

  private:
    io::Bytes file_;
};

bool sentDown(const RosterWork& work, std::size_t i)
{
    return work.RosterStatus[i] == 0 && work.SavedStatus[i] >= 100;
}

} // namespace

Status TransferBuffer(Session& s, Prompter& prompter, const RosterWork& work, int T, const RosterFiles& files,
                      const std::function<double()>& now)
{
    if (T < 0 || T > 1 || s.CurTeam >= MaxTeams)
        return Status::failure("No such team or team slot");
    auto& players = s.Players[static_cast<std::size_t>(T)];

    // Read only the files this commit needs, before anything is asked or changed.
    bool releasing = false;
    bool waiving = false;
    for (std::size_t i = 0; i < RosterSize; ++i) {
        if (players[i].Released == 1)
            releasing = true;
        else if (sentDown(work, i) && waiversNeeded(s.League, players[i]))
            waiving = true;
    }
    io::Bytes releaseFile;
    if (releasing)
        if (Status st = io::readIfExists(files.releases, releaseFile); !st)
            return st;
    ReleaseBook releases(std::move(releaseFile));
    WaiverBook waivers(files, now);
    if (waiving)
        if (Status st = waivers.load(); !st)
            return st;

    const auto playersBefore = players;
    const TeamRec teamBefore = s.Teams[s.CurTeam];
    std::vector<io::Edit> edits;
    for (std::size_t i = 0; i < RosterSize; ++i) {
        PlayerRec& p = players[i];
        if (p.Released == 1) {
            ReleaseRec rec;
            rec.Player = p;
            rec.Player.Released = 0;
            const std::uint64_t offset = releases.offsetFor(p.Name);
            edits.push_back(io::Edit::writeAt(files.releases, offset, releases.put(offset, rec), true));
            p = PlayerRec{};
            continue;
        }
        p.Sts = work.RosterStatus[i];
        if (p.Sts == 0 && work.SavedStatus[i] >= 100)
            CheckWaivers(s, prompter, T, static_cast<int>(i), 99, waivers);
    }
    for (io::Edit& e : waivers.edits())
        edits.push_back(std::move(e));
    auto save = SaveTeamEdits(s, s.CurTeam, T);
    for (io::Edit& e : *save)
        edits.push_back(std::move(e));

    if (Status st = io::apply(edits); !st) {
        // Nothing reached the files, so nothing happened: the roster is as it was, still pending.
        players = playersBefore;
        s.Teams[s.CurTeam] = teamBefore;
        return st;
    }
    return Status::success();
}

bool PruneLines(Session& s)
{
    if (s.CurTeam >= MaxTeams)
        return false;
    TeamRec& team = s.Teams[s.CurTeam];
    bool emptied = false;
    for (std::size_t i = 0; i < RosterSize; ++i) {
        if (s.Players[0][i].Sts >= 200)
            continue;
        for (std::size_t x = 0; x < team.LineSlots.size(); ++x) {
            // The goalie line has three cells; the other lines are cleared over all five.
            const std::size_t cells = x == 12 ? 3 : LineWidth;
            for (std::size_t y = 0; y < cells; ++y)
                if (team.LineSlots[x][y] == i) {
                    team.LineSlots[x][y] = NoPlayer;
                    emptied = true;
                }
        }
    }
    if (emptied)
        team.LinesSet.set(false);
    return emptied;
}

bool cmdExit(Session& s, Prompter& prompter, RosterWork& work, const RosterFiles& files,
             const std::function<double()>& now)
{
    if (work.RosterChanged && prompter.askYesNo("Keep Roster Changes?", MsgIcon::None, "Keep Changes")) {
        if (!work.RosterComplete)
            prompter.message("Roster not complete", MsgIcon::Stop, "Edit Roster");
        if (const Status st = TransferBuffer(s, prompter, work, 0, files, now); !st) {
            prompter.message("The roster could not be saved.\r" + pathToUtf8(st.error()), MsgIcon::Stop,
                             "Edit Roster");
            return false;
        }
        PruneLines(s);
    }
    work.RosterChanged = false;
    return true;
}

} // namespace bb::roster
