#include "league_text.h"

#include "core/text.h"

namespace bb::ui {

QString leagueText(std::string_view stored)
{
    const std::size_t nul = stored.find('\0');
    if (nul != std::string_view::npos)
        stored = stored.substr(0, nul);
    return QString::fromStdString(cp1252ToUtf8(stored));
}

} // namespace bb::ui
