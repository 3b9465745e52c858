// Condense and the code page shown on screen.
#include "core/text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using namespace std::string_literals;

TEST(Text, Condense)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Ashfo     ", "Ashfo"},
        {"Jan Nova"s + std::string(14, '\0'), "Jan Nova"},
        {"ab\0cd  "s, "ab"},    // trimmed, then cut at the first NUL
        {"ab \0 \0 "s, "ab"},   // spaces and NULs in any mix
        {"ab\0cd"s, "ab\0cd"s}, // ending in a letter: kept whole, NUL and all
        {"          ", ""},
        {"", ""},
        {"  lead  ", "  lead"}, // leading spaces stay
    };
    for (const auto& [word, want] : cases)
        EXPECT_EQ(bb::Condense(word), want) << '"' << word << '"';
}

TEST(Text, CodePageToUtf8)
{
    // e acute, euro sign, right single quotation mark, o umlaut.
    EXPECT_EQ(bb::cp1252ToUtf8("Caf\xE9 \x80 it\x92s Str\xF6m"), "Caf\u00E9 \u20AC it\u2019s Str\u00F6m");
}

TEST(Text, TypedTextToCodePage)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Caf\u00E9 \u20AC it\u2019s \u00FF", "Caf\xE9 \x80 it\x92s \xFF"},
        {"\u0141\u4E2D\U0001F3D2!", "?\?\?!"}, // not in the code page: one '?' per character
        {"\u0081\u0080", "\x81?"},             // an undefined byte comes back; U+0080 is not the euro
        {"a\xC3(b\xE2\x82", "a?(b??"},         // broken UTF-8: '?' per byte
        {"\xED\xA0\x80\xC0\xAF", "?????"},     // a surrogate, an overlong form
    };
    for (const auto& [utf8, want] : cases)
        EXPECT_EQ(bb::utf8ToCp1252(utf8), want) << utf8;
    // Every byte of the code page survives the way there and back.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(bb::utf8ToCp1252(bb::cp1252ToUtf8(all)), all);
}

TEST(Text, PathShownReadably)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/srv/ligue d\xC3\xA9" "fi/x", "/srv/ligue d\u00E9fi/x"},         // UTF-8 stays as it is
        {"/srv/ligue d\xE9" "fi/x", "/srv/ligue d\u00E9fi/x"},             // a Latin-1 byte reads as its letter
        {"\xC3", "\u00C3"},                                            // a sequence cut short
        {"\xC0\xAF \xED\xA0\x80", "\u00C0\u00AF \u00ED\u00A0\u20AC"}, // overlong form, surrogate
        {"\xF0\x9F\x8F\x92", "\U0001F3D2"},                            // four bytes
    };
    for (const auto& [bytes, want] : cases)
        EXPECT_EQ(bb::pathToUtf8(bytes), want) << bytes;
}

} // namespace
