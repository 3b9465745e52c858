// League text fields turned into display text.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace bb::ui {

// A stored text at its full width, trailing spaces kept, in the Windows-1252 code page.
// Like the native controls the league data was made for, the text ends at its first NUL.
QString leagueText(std::string_view stored);

// Program text (UTF-8) to QString.
inline QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }

} // namespace bb::ui
