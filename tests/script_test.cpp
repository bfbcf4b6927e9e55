// Splitting scenario script lines into words, and the words' values.
#include "script.h"

#include <gtest/gtest.h>

#include "session.h"
#include "values.h"

namespace {

using tools::ParseScriptLine;
using Words = std::vector<std::string>;

TEST(ScriptLineTest, WordsSplitAtBlanksAndQuotesKeepThemTogether) {
    EXPECT_EQ(ParseScriptLine("  dino  Rex\t/Game/Rex_C  speed=2 ").words,
              (Words{"dino", "Rex", "/Game/Rex_C", "speed=2"}));
    EXPECT_EQ(ParseScriptLine(R"(player "Big Al" groups=VIP)").words,
              (Words{"player", "Big Al", "groups=VIP"}));
    EXPECT_EQ(ParseScriptLine(R"(buff "say \"hi\" \\ \n" "")").words,
              (Words{"buff", R"(say "hi" \ \n)", ""}));
}

TEST(ScriptLineTest, CommentsBlankLinesAndLineEndsGiveNoWords) {
    EXPECT_TRUE(ParseScriptLine("   # a comment \"unclosed").Empty());
    EXPECT_TRUE(ParseScriptLine("").Empty());
    EXPECT_TRUE(ParseScriptLine(" \t \r\n").Empty());
    EXPECT_EQ(ParseScriptLine("load\r\n").words, Words{"load"});
    // A # inside a line is an ordinary character.
    EXPECT_EQ(ParseScriptLine("chat Al #1").words, (Words{"chat", "Al", "#1"}));
}

TEST(ScriptLineTest, BrokenQuotesAreErrorsNotGuesses) {
    EXPECT_NE(ParseScriptLine(R"(player "Al)").error, "");
    EXPECT_NE(ParseScriptLine(R"(player "Al"x)").error, "");
    EXPECT_NE(ParseScriptLine(R"(player "Al\")").error, "");
}

TEST(ScriptLineTest, TheRestOfTheLineStaysAsItStands) {
    const auto line = ParseScriptLine(R"(config-text   {"Dinos":  {"All": {}}}  )");
    EXPECT_EQ(line.RestAfter(0), R"({"Dinos":  {"All": {}}}  )");
    const auto chat = ParseScriptLine(R"(chat Al "/speed"  now)");
    EXPECT_EQ(chat.RestAfter(1), R"("/speed"  now)");
    EXPECT_EQ(ParseScriptLine("config-text").RestAfter(0), "");
    // With a word limit, quotes after the last word are text, not words.
    const auto limited = ParseScriptLine(R"(config-text {"Msg": "a \"b\""}x)", 1);
    EXPECT_EQ(limited.error, "");
    EXPECT_EQ(limited.words, Words{"config-text"});
    EXPECT_EQ(limited.RestAfter(0), R"({"Msg": "a \"b\""}x)");
}

TEST(ValuesTest, NumbersSwitchesAndListsMustBeWhole) {
    EXPECT_EQ(tools::ParseFloat("1.5", "speed"), 1.5f);
    EXPECT_EQ(tools::ParseFloat("-2e3", "speed"), -2000.0f);
    for (const char* bad : {"", "1.5x", " 1", "fast"}) {
        EXPECT_THROW(tools::ParseFloat(bad, "speed"), tools::CommandError) << bad;
    }
    EXPECT_EQ(tools::ParseUnsigned("18446744073709551615", "id"), 18446744073709551615ull);
    EXPECT_THROW(tools::ParseUnsigned("-1", "id"), tools::CommandError);
    EXPECT_THROW(tools::ParseInt32("2147483648", "id"), tools::CommandError);
    EXPECT_TRUE(tools::ParseZeroOne("1", "flag"));
    EXPECT_THROW(tools::ParseZeroOne("true", "flag"), tools::CommandError);
    EXPECT_THROW(tools::ParseOnOff("yes", "cave-flyers"), tools::CommandError);
    EXPECT_EQ(tools::SplitList("A,,B,"), (Words{"A", "B"}));
    EXPECT_TRUE(tools::SplitList("").empty());
}

}  // namespace
