// Text helpers: trimming of fixed-width fields and the league's 8-bit code page.
#pragma once

#include <string>
#include <string_view>

namespace bb {

// Trims a fixed-width field for messages, captions and file names: trailing spaces and NULs go,
// then the text is cut at its first NUL. A text that does not end in a space or NUL is returned
// as it is, NULs inside included; leading spaces always stay.
std::string Condense(std::string_view word);

// Windows-1252 bytes to UTF-8, for display.
std::string cp1252ToUtf8(std::string_view bytes);
// UTF-8 typed by the user to Windows-1252 bytes for a record's text field: one byte per
// character, '?' for a character the code page lacks and for each byte of broken UTF-8.
// Undefined bytes that cp1252ToUtf8 showed as C1 controls come back as themselves.
std::string utf8ToCp1252(std::string_view utf8);

// A path as the file system stores it, to UTF-8 for display: valid UTF-8 stays as it is, and
// each byte that is not part of a valid sequence reads as its Windows-1252 character, the way
// the league's own texts are shown, instead of an unreadable replacement mark.
std::string pathToUtf8(std::string_view bytes);

} // namespace bb
