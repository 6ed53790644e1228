#include "core/stored_text.h"
#include <gtest/gtest.h>
#include <random>

using namespace hv;

TEST(ParseVbLong, AcceptsWhatVbConvertsToALong) {
    EXPECT_EQ(ParseVbLong("16777215"), 16777215);
    EXPECT_EQ(ParseVbLong("-2147483643"), -2147483643);
    EXPECT_EQ(ParseVbLong("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseVbLong("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseVbLong("  255\t"), 255);
    EXPECT_EQ(ParseVbLong("+7"), 7);
    EXPECT_EQ(ParseVbLong("&HFF"), 255);
    EXPECT_EQ(ParseVbLong("&h80000005"), static_cast<std::int32_t>(0x80000005));
    EXPECT_EQ(ParseVbLong("&HFFFFFFFF"), -1);
    EXPECT_EQ(ParseVbLong("&O17"), 15);
    // Fractions round half to even, as VB's CLng does.
    EXPECT_EQ(ParseVbLong("2.5"), 2);
    EXPECT_EQ(ParseVbLong("3.5"), 4);
    EXPECT_EQ(ParseVbLong("2.51"), 3);
    EXPECT_EQ(ParseVbLong("-0.4"), 0);
}

TEST(ParseVbLong, RejectsTextsThatAreNoNumberOrDoNotFit) {
    for (const char* bad :
         {"", " ", "abc", "12abc", "1 2", "-", "+", ".", "&H", "&HG1", "&H100000000", "2147483648",
          "-2147483649", "99999999999999999999", "&X10", "1e3", "--1", "&O8"})
        EXPECT_FALSE(ParseVbLong(bad).has_value()) << '"' << bad << '"';
}

// Random inputs, a million natively under the sanitizers (a short run under Wine, which
// finds nothing the native run does not): no crash, no read outside the input, and every
// accepted decimal text means what it says.
TEST(StoredTextFuzz, RandomInputs) {
#ifdef _WIN32
    constexpr int kInputs = 20000;
#else
    constexpr int kInputs = 1000000;
#endif
    std::mt19937 rng(20261207);
    const char alphabet[] = "0123456789+-. \t&HhOoAaFfxZ\x01\xff";
    std::size_t accepted = 0;
    for (int i = 0; i < kInputs; ++i) {
        const std::size_t len = rng() % 24;
        std::vector<std::uint8_t> bytes(len);
        for (auto& b : bytes)
            b = (rng() % 4 == 0) ? static_cast<std::uint8_t>(rng()) : alphabet[rng() % (sizeof alphabet - 1)];
        // Exactly sized heap buffer, so ASan sees any read past it.
        auto* heap = new std::uint8_t[len ? len : 1];
        std::copy(bytes.begin(), bytes.end(), heap);
        const std::string_view text(reinterpret_cast<const char*>(heap), len);
        const auto v = ParseVbLong(text);
        if (v) ++accepted;
        if (v && text.find_first_of(".&") == std::string::npos) {
            ASSERT_EQ(ParseVbLong(std::to_string(*v)), v) << text;
        }
        delete[] heap;
    }
    EXPECT_GT(accepted, kInputs / 1000u); // the alphabet does reach the accepting paths
    for (int i = 0; i < kInputs / 10; ++i) {
        const auto v = static_cast<std::int32_t>(rng());
        ASSERT_EQ(ParseVbLong(std::to_string(v)), v);
    }
}
