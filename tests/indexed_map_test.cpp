// The document's indexed object type behaves like the library's insertion-ordered one: same
// members, same order, same answers, whatever mix of inserts, lookups and erases.
#include <gtest/gtest.h>

#include <random>

#include "config/config.h"

namespace {

TEST(IndexedOrderedMapTest, RandomOperationsMatchTheLibrarysOrderedObject) {
    std::mt19937 random(2024);
    for (int round = 0; round < 20; ++round) {
        Json indexed = Json::object();
        nlohmann::ordered_json reference = nlohmann::ordered_json::object();
        for (int step = 0; step < 400; ++step) {
            const std::string key = "k" + std::to_string(random() % 60);
            switch (random() % 6) {
                case 0: case 1:
                    indexed[key] = step;
                    reference[key] = step;
                    break;
                case 2:
                    EXPECT_EQ(indexed.contains(key), reference.contains(key));
                    if (reference.contains(key)) EXPECT_EQ(indexed.at(key).dump(), reference.at(key).dump());
                    break;
                case 3:
                    EXPECT_EQ(indexed.erase(key), reference.erase(key));
                    break;
                case 4:
                    indexed.emplace(key, -step);
                    reference.emplace(key, -step);
                    break;
                case 5:
                    (void)indexed[key];  // key indexing enters a missing member as null
                    (void)reference[key];
                    break;
            }
            ASSERT_EQ(indexed.dump(), reference.dump()) << "round " << round << " step " << step;
        }
        Json copy = indexed;
        EXPECT_EQ(copy.dump(), indexed.dump());
        if (!copy.empty()) {
            const std::string last = copy.items().begin().key();
            EXPECT_TRUE(copy.contains(last));
        }
        indexed.clear();
        EXPECT_FALSE(indexed.contains("k1"));
    }
}

TEST(IndexedOrderedMapTest, ParsingKeepsTheFirstPlaceOfARepeatedKeyInLargeObjects) {
    std::string text = "{";
    for (int i = 0; i < 100; ++i) text += "\"k" + std::to_string(i) + "\": " + std::to_string(i) + ",";
    text += "\"k5\": \"again\"}";
    const Json parsed = Json::parse(text);
    const nlohmann::ordered_json reference = nlohmann::ordered_json::parse(text);
    EXPECT_EQ(parsed.dump(), reference.dump());
    EXPECT_EQ(parsed.size(), 100u);
    EXPECT_EQ(parsed["k5"], "again");
    EXPECT_THROW((void)parsed.at("missing"), Json::out_of_range);
}

}  // namespace
