#include "core/output_formats.h"
#include <gtest/gtest.h>

using namespace hv;

TEST(FormatComponents, BuildsTheSixTextsVerbatim) {
    const auto f = [](ComponentFormat k, const char* r, const char* g, const char* b) {
        return FormatComponents(k, r, g, b);
    };
    EXPECT_EQ(f(ComponentFormat::Red, "255", "128", "0"), "255");
    EXPECT_EQ(f(ComponentFormat::Green, "255", "128", "0"), "128");
    EXPECT_EQ(f(ComponentFormat::Blue, "255", "128", "0"), "0");
    EXPECT_EQ(f(ComponentFormat::Joined, "255", "128", "0"), "2551280");
    EXPECT_EQ(f(ComponentFormat::CommaList, "255", "128", "0"), "255, 128, 0");
    EXPECT_EQ(f(ComponentFormat::RgbCall, "255", "128", "0"), "RGB(255, 128, 0)");
    // The joined format hides where a component ends.
    EXPECT_EQ(f(ComponentFormat::Joined, "25", "51", "28"), f(ComponentFormat::Joined, "255", "12", "8"));
    // Fields as they stand: empty, leading zeros, anything typed.
    EXPECT_EQ(f(ComponentFormat::Red, "", "128", "0"), "");
    EXPECT_EQ(f(ComponentFormat::Joined, "", "128", "0"), "1280");
    EXPECT_EQ(f(ComponentFormat::CommaList, "", "128", "0"), ", 128, 0");
    EXPECT_EQ(f(ComponentFormat::RgbCall, "", "128", "0"), "RGB(, 128, 0)");
    EXPECT_EQ(f(ComponentFormat::Red, "007", "", ""), "007");
}

TEST(Hints, NameTheCode) {
    EXPECT_EQ(CopyHint("&H00FF&"), "Copy [&H00FF&] to clipboard.");
    EXPECT_EQ(InsertHint("&H00FF&"), "Insert [&H00FF&] to codepane.");
}
