#include "core/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(Condense, TrimsPaddingAndCutsAtNul)
{
    EXPECT_EQ(bb::Condense("Ashfo     "), "Ashfo");
    EXPECT_EQ(bb::Condense("Jan Nova"s + std::string(14, '\0')), "Jan Nova");
    EXPECT_EQ(bb::Condense("ab\0cd  "s), "ab");
    EXPECT_EQ(bb::Condense("ab \0 \0 "s), "ab"); // spaces and NULs in any mix
    EXPECT_EQ(bb::Condense("          "), "");
    EXPECT_EQ(bb::Condense(std::string(22, '\0')), "");
    EXPECT_EQ(bb::Condense(""), "");
    EXPECT_EQ(bb::Condense("  lead  "), "  lead");
}

TEST(Condense, TextEndingInALetterIsKeptWhole)
{
    EXPECT_EQ(bb::Condense("ab\0cd"s), "ab\0cd"s);
    EXPECT_EQ(bb::Condense("  x"), "  x");
    EXPECT_EQ(bb::Condense("Full width"), "Full width");
}

TEST(CodePage, RoundTripAndUnmappable)
{
    // e acute, euro sign, right single quotation mark, o umlaut.
    const std::string bytes = "Caf\xE9 \x80 it\x92s Str\xF6m";
    const std::string utf8 = "Caf\u00E9 \u20AC it\u2019s Str\u00F6m";
    EXPECT_EQ(bb::cp1252ToUtf8(bytes), utf8);
    EXPECT_EQ(bb::utf8ToCp1252(utf8), bytes);
    EXPECT_EQ(bb::cp1252ToUtf8("plain"), "plain");

    // Characters the code page lacks, and broken UTF-8, become '?'; the width stays one byte each.
    EXPECT_EQ(bb::utf8ToCp1252("\u4E2D\u6587 \U0001F600"), "?? ?");
    EXPECT_EQ(bb::utf8ToCp1252("a\xC3"), "a?");
    EXPECT_EQ(bb::utf8ToCp1252("\xFF"
                               "b"),
              "?b");
}

} // namespace
