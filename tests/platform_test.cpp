// The platform seam: on Windows the real Win32 and C runtime calls, elsewhere their equivalents;
// both give the same results (C locale), and the Permissions plugin is bound only when asked.
#include "host/platform.h"

#include "host/tarray.h"
#include "test_support.h"

namespace {

// The same UTF-16 text as the platform's wide string (wchar_t on Windows, char16_t elsewhere).
platform::WideString Wide(std::u16string_view text) { return {text.begin(), text.end()}; }

std::string Utf8(std::u16string_view text) {
    const platform::WideString wide = Wide(text);
    return platform::WideToUtf8(wide.data(), wide.size());
}

int Compare(std::u16string_view a, std::u16string_view b) {
    return platform::CompareNoCase(Wide(a).c_str(), Wide(b).c_str());
}

int CompareN(std::u16string_view a, std::u16string_view b, std::size_t n) {
    return platform::CompareNoCaseN(Wide(a).c_str(), Wide(b).c_str(), n);
}

bool ToInt(std::u16string_view text, std::int32_t* value) {
    return platform::WideToInt32(Wide(text).c_str(), value);
}

TEST(PlatformTest, WideToUtf8ConvertsEveryPlaneAndReplacesUnpairedSurrogates) {
    EXPECT_EQ(Utf8(u""), "");
    EXPECT_EQ(Utf8(u"Rex"), "Rex");
    EXPECT_EQ(Utf8(u"\u00E9\u6162"), "\xC3\xA9\xE6\x85\xA2");
    EXPECT_EQ(Utf8(u"\U0001F40E"), "\xF0\x9F\x90\x8E");
    const std::string replacement = "\xEF\xBF\xBD";  // U+FFFD
    EXPECT_EQ(Utf8(std::u16string{u'a', 0xD83D, u'b'}), "a" + replacement + "b");
    EXPECT_EQ(Utf8(std::u16string{0xDC0E}), replacement);
    const platform::WideString text = Wide(u"abc");
    EXPECT_EQ(platform::WideToUtf8(text.data(), 2), "ab");
}

TEST(PlatformTest, OnlyAsciiLettersChangeCase) {
    EXPECT_EQ(platform::ToUpper(u'a'), platform::WideChar(u'A'));
    EXPECT_EQ(platform::ToUpper(u'z'), platform::WideChar(u'Z'));
    for (char16_t unchanged : {u'A', u'1', u'[', u'\u00E9', u'\u00DF', u'\u0101', u'\u044F'}) {
        EXPECT_EQ(platform::ToUpper(unchanged), platform::WideChar(unchanged)) << int(unchanged);
    }
}

TEST(PlatformTest, CompareNoCaseFoldsAsciiLettersOnly) {
    EXPECT_EQ(Compare(u"VIP", u"vip"), 0);
    EXPECT_EQ(Compare(u"Admins", u"aDMINS"), 0);
    EXPECT_NE(Compare(u"\u00C9lite", u"\u00E9lite"), 0);
    EXPECT_NE(Compare(u"VIP", u"VIPs"), 0);
    EXPECT_LT(Compare(u"a", u"B"), 0);
    // Letters compare as lower case: '[' lies between 'Z' and 'a'.
    EXPECT_LT(Compare(u"[", u"a"), 0);
    EXPECT_GT(Compare(u"a", u"["), 0);
}

TEST(PlatformTest, CompareNoCaseNStopsAfterNUnitsOrAtTheEnd) {
    EXPECT_EQ(CompareN(u"VIPs", u"vipX", 3), 0);
    EXPECT_NE(CompareN(u"VIPs", u"vipX", 4), 0);
    EXPECT_EQ(CompareN(u"ab", u"AB", 10), 0);
    EXPECT_NE(CompareN(u"ab", u"ABC", 10), 0);
    EXPECT_EQ(CompareN(u"x", u"y", 0), 0);
}

TEST(PlatformTest, WideToInt32ReadsLikeWcstolWithin32Bits) {
    std::int32_t value = 0;
    EXPECT_TRUE(ToInt(u" \t42 knots", &value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(ToInt(u"-7", &value));
    EXPECT_EQ(value, -7);
    EXPECT_TRUE(ToInt(u"+5", &value));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(ToInt(u"2147483647", &value));
    EXPECT_EQ(value, INT32_MAX);
    EXPECT_TRUE(ToInt(u"-2147483648", &value));
    EXPECT_EQ(value, INT32_MIN);
    value = 99;
    for (std::u16string_view bad : {u"", u"knots", u"-", u"2147483648", u"-2147483649"}) {
        EXPECT_FALSE(ToInt(bad, &value)) << std::string(bad.begin(), bad.end());
    }
    EXPECT_EQ(value, 99);
}

using PermissionsBindingTest = test::ServerTest;

TEST_F(PermissionsBindingTest, BindsOnlyAPermissionsPluginThatTheServerLoaded) {
    std::string error;
    EXPECT_EQ(platform::FindPermissionsGetPlayerGroups(&error), nullptr);
    EXPECT_NE(error, "");

    ASSERT_TRUE(server_.SetPermissionsPlugin(true, &error)) << error;
    server_.world().Connect("Ada", 76561198000000001ull, {"Admins", "VIP"});
    error.clear();
    using GetPlayerGroups = TArray<FString> (*)(unsigned long long);
    auto bound =
        reinterpret_cast<GetPlayerGroups>(platform::FindPermissionsGetPlayerGroups(&error));
    ASSERT_NE(bound, nullptr) << error;
    {
        TArray<FString> groups = bound(76561198000000001ull);
        ASSERT_EQ(groups.Num(), 2);
        EXPECT_EQ(groups[0].View(), Wide(u"Admins"));
        EXPECT_EQ(groups[1].View(), Wide(u"VIP"));
    }

    ASSERT_TRUE(server_.SetPermissionsPlugin(false));
    EXPECT_EQ(platform::FindPermissionsGetPlayerGroups(&error), nullptr);
}

}  // namespace
