#include "session.h"

namespace bb {

void Session::init(const std::filesystem::path& homeDir)
{
    HomeDir = homeDir;
    PosName = {"C", "LW", "RW", "D", "G"};
    InjCode = {"", "DD", "1W", "3W", "1M", "3M", "IN", ""};
    SwapTms = HomeDir / "swp.t";
    SwapRos = HomeDir / "swp.r";
    SwapLge = HomeDir / "swp.l";
}

std::string Session::posName(std::uint8_t pos) const
{
    return pos < PosName.size() ? PosName[pos] : std::string("?");
}

std::string Session::injCode(std::uint8_t sts) const
{
    const int code = sts % 100;
    return code < static_cast<int>(InjCode.size()) ? InjCode[static_cast<std::size_t>(code)] : std::string();
}

} // namespace bb
