#include "core/recent_colours.h"
#include <algorithm>
#include <gtest/gtest.h>

using namespace hv;

TEST(RecentColours, NewestFirstDistinctAndAtMostSixteen) {
    RecentColours list;
    for (ColorValue c = 1; c <= 20; ++c)
        PutFirst(list, c);
    ASSERT_EQ(list.size(), kRecentMax);
    EXPECT_EQ(list.front(), 20);
    EXPECT_EQ(list.back(), 5); // 1 to 4 went out, oldest first
    // A colour already there moves to the front and is not doubled.
    PutFirst(list, 10);
    EXPECT_EQ(list.size(), kRecentMax);
    EXPECT_EQ(list[0], 10);
    EXPECT_EQ(list[1], 20);
    EXPECT_EQ(std::count(list.begin(), list.end(), 10), 1);
    // The same colour twice in a row changes nothing; white and black are colours too.
    const RecentColours before = list;
    PutFirst(list, 10);
    EXPECT_EQ(list, before);
    PutFirst(list, 0xFFFFFF);
    PutFirst(list, 0);
    EXPECT_EQ(list[0], 0);
    EXPECT_EQ(list[1], 0xFFFFFF);
    EXPECT_EQ(list.back(), 7);
}

TEST(RecentColours, SystemColoursAndOtherValuesAreNotRemembered) {
    RecentColours list{255};
    PutFirst(list, SystemColor(5));
    PutFirst(list, 0x1000000);
    PutFirst(list, -1);
    EXPECT_EQ(list, RecentColours{255});
}

TEST(RecentColours, StoredTextRoundTrips) {
    RecentColours list;
    for (ColorValue c : {0, 255, 0xFFFFFF, 65280})
        PutFirst(list, c);
    EXPECT_EQ(RecentText(list), "65280 16777215 255 0");
    EXPECT_EQ(ParseRecent(RecentText(list)), list);
    EXPECT_EQ(RecentText({}), "");
    EXPECT_TRUE(ParseRecent("").empty());
}

TEST(RecentColours, BadStoredTextsKeepWhatIsGood) {
    // Words that are no colour are skipped, whatever surrounds them.
    EXPECT_EQ(ParseRecent("255 red -1 &HFF& 16777216 1.5 0x10  65280 "),
              (RecentColours{255, 65280}));
    EXPECT_EQ(ParseRecent("99999999999999999999 7"), RecentColours{7});
    EXPECT_EQ(ParseRecent("00000255 255 255"), RecentColours{255}); // repeats once
    // A text far too long gives its first sixteen colours.
    std::string many;
    for (int i = 0; i < 1000; ++i)
        many += std::to_string(i) + " ";
    const RecentColours first = ParseRecent(many);
    ASSERT_EQ(first.size(), kRecentMax);
    EXPECT_EQ(first.front(), 0);
    EXPECT_EQ(first.back(), 15);
    EXPECT_EQ(ParseRecent(std::string(100000, '9')), RecentColours{});
    EXPECT_EQ(ParseRecent(std::string("12\0 34", 6)), RecentColours{34});
}
