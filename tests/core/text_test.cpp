// Condense, the code page shown on screen, and paths shown readably.
#include "core/text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using namespace std::string_literals;
using Convert = std::string (*)(std::string_view);

TEST(Text, CondenseCodePageAndPaths)
{
    const Convert condense = bb::Condense, toUtf8 = bb::cp1252ToUtf8, toCp = bb::utf8ToCp1252,
                  path = bb::pathToUtf8;
    const std::tuple<Convert, std::string, std::string> cases[] = {
        {condense, "Ashfo     ", "Ashfo"},
        {condense, "Jan Nova"s + std::string(14, '\0'), "Jan Nova"},
        {condense, "ab\0cd  "s, "ab"},    // trimmed, then cut at the first NUL
        {condense, "ab \0 \0 "s, "ab"},   // spaces and NULs in any mix
        {condense, "ab\0cd"s, "ab\0cd"s}, // ending in a letter: kept whole, NUL and all
        {condense, "          ", ""},
        {condense, "", ""},
        {condense, "  lead  ", "  lead"}, // leading spaces stay
        // e acute, euro sign, right single quotation mark, o umlaut, Y diaeresis.
        {toUtf8, "Caf\xE9 \x80 it\x92s Str\xF6m \x9F", "Caf\u00E9 \u20AC it\u2019s Str\u00F6m \u0178"},
        {toCp, "Caf\u00E9 \u20AC it\u2019s Str\u00F6m \u0178", "Caf\xE9 \x80 it\x92s Str\xF6m \x9F"},
        {toCp, "\u03A9 \U0001F3D2 \u0100", "? ? ?"}, // not in the code page
        {toCp, "\u0081\u008D\u0080", "\x81\x8D?"},   // undefined bytes come back; U+0080 is not one
        {toCp, "\xC3 \xE9 \xC0\xAF \xED\xA0\x80", "? ? ?? ???"}, // malformed: a mark per byte
        {toCp, "\u00A0\u00FF", "\xA0\xFF"},
        {path, "/srv/ligue d\xC3\xA9", "/srv/ligue d\u00E9"}, // UTF-8 stays as it is
        {path, "/srv/ligue d\xE9/x", "/srv/ligue d\u00E9/x"}, // a Latin-1 byte reads as its letter
        {path, "\xC3", "\u00C3"},                             // a sequence cut short
        {path, "\xC0\xAF \xED\xA0\x80", "\u00C0\u00AF \u00ED\u00A0\u20AC"}, // overlong form, surrogate
        {path, "\xF0\x9F\x8F\x92", "\U0001F3D2"},                           // four bytes
    };
    for (const auto& [convert, in, want] : cases)
        EXPECT_EQ(convert(in), want) << '"' << in << '"';
    // Every byte the code page defines comes back from its display form.
    for (int b = 1; b < 256; ++b)
        EXPECT_EQ(toCp(toUtf8(std::string(1, char(b)))), std::string(1, char(b))) << b;
}

} // namespace
