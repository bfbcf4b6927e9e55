// FString and TArray: the slack rule, the text conversions, and storage on the game's heap.
#include "host/fstring.h"

#include "host/tarray.h"
#include "host/text.h"
#include "test_support.h"

namespace {

using StringTest = test::HostTest;

FString Make(const std::string& ascii) { return FStringFromAnsi(ascii); }

TEST_F(StringTest, CapacityFollowsTheGameSlackRule) {
    EXPECT_EQ(Make("abc").Count(), 4);
    EXPECT_EQ(Make("abc").Capacity(), 4);
    EXPECT_EQ(Make("abcd").Capacity(), 22);
    EXPECT_EQ(Make(std::string(100, 'x')).Count(), 101);
    EXPECT_EQ(Make(std::string(100, 'x')).Capacity(), 154);
    EXPECT_EQ(GrowCapacity(0, INT32_MAX - 1), INT32_MAX);
}

TEST_F(StringTest, CopyIsSizedExactly) {
    FString source = Make("abcd");
    FString copy(source);
    EXPECT_EQ(copy.Count(), 5);
    EXPECT_EQ(copy.Capacity(), 5);
    EXPECT_EQ(FStringToUtf8(copy), "abcd");
}

TEST_F(StringTest, EmptyTextsHaveNoStorage) {
    FString empty;
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_EQ(FStringToUtf8(empty), "");
    EXPECT_EQ(FStringFromAnsi("").Data(), nullptr);
    EXPECT_EQ(FStringFromUtf8("").Data(), nullptr);
    EXPECT_EQ(host_.heap.Blocks(), 0u);
}

TEST_F(StringTest, AnsiTurnsHighBytesIntoQuestionMarksWhileUtf8Decodes) {
    const std::string e_acute = "\xC3\xA9";
    FString ansi = FStringFromAnsi(e_acute);
    EXPECT_EQ(ansi.Length(), 2);
    EXPECT_EQ(FStringToUtf8(ansi), "??");
    FString decoded = FStringFromUtf8(e_acute);
    EXPECT_EQ(decoded.Length(), 1);
    EXPECT_EQ(decoded.Data()[0], 0xE9);
    EXPECT_EQ(FStringToUtf8(decoded), e_acute);
}

TEST_F(StringTest, Utf8RoundTripsOutsideTheBasicPlane) {
    const std::string text = "Reiter \xF0\x9F\x90\x8E \xE4\xB8\xAD";
    FString wide = FStringFromUtf8(text);
    EXPECT_EQ(wide.Length(), 11);  // the horse takes two code units
    EXPECT_EQ(FStringToUtf8(wide), text);
}

TEST_F(StringTest, ConcatTakesOverTheLeftStorageAndSizesItExactly) {
    FString left = Make("Blueprint'");
    const FString::Char* storage = left.Data();
    FString result = FStringConcat(std::move(left), Make("/Game/X"));
    EXPECT_EQ(result.Data(), storage);
    EXPECT_EQ(left.Data(), nullptr);
    EXPECT_EQ(FStringToUtf8(result), "Blueprint'/Game/X");
    EXPECT_EQ(result.Count(), 18);
    EXPECT_EQ(result.Capacity(), 31);  // the slack was enough

    FString grown = FStringConcat(Make("abc"), Make("de"));
    EXPECT_EQ(FStringToUtf8(grown), "abcde");
    EXPECT_EQ(grown.Capacity(), 6);  // exactly what the text needs
}

TEST_F(StringTest, ConcatWithAnEmptySideKeepsTheOtherStorage) {
    FString right = Make("abc");
    const FString::Char* storage = right.Data();
    FString result = FStringConcat(FString(), std::move(right));
    EXPECT_EQ(result.Data(), storage);
    EXPECT_EQ(right.Data(), nullptr);

    FString left = Make("abcd");
    const FString::Char* left_storage = left.Data();
    FString unchanged = FStringConcat(std::move(left), FString());
    EXPECT_EQ(unchanged.Data(), left_storage);
    EXPECT_EQ(unchanged.Capacity(), 22);
    EXPECT_EQ(FStringToUtf8(unchanged), "abcd");
}

TEST_F(StringTest, EveryBufferLivesOnTheGameHeapAndIsReturned) {
    {
        FString a = Make("abc");
        FString b = FStringFromUtf8("\xC3\xA9t\xC3\xA9");
        TArray<FString> list;
        for (int i = 0; i < 20; ++i) list.Add(Make("group" + std::to_string(i)));
        EXPECT_TRUE(host_.heap.Owns(a.Data()));
        EXPECT_TRUE(host_.heap.Owns(list.Data()));
        EXPECT_EQ(list.Num(), 20);
        EXPECT_EQ(list.Max(), 22);  // 4, then 5 + 1 + 16
    }
    EXPECT_EQ(host_.heap.Blocks(), 0u);
    EXPECT_TRUE(host_.heap.Errors().empty());
}

TEST_F(StringTest, TheHeapReportsDoubleAndForeignFrees) {
    void* block = GameRealloc(nullptr, 8);
    GameFree(block);
    GameFree(block);
    int local = 0;
    GameFree(&local);
    EXPECT_EQ(host_.heap.Errors().size(), 2u);
}

}  // namespace
