#include "core/stored_text.h"
#include <gtest/gtest.h>
#include <random>

using namespace hv;

TEST(ParseLong, AcceptsWhatVbConvertsToALong) {
    EXPECT_EQ(ParseLong("16777215"), 16777215);
    EXPECT_EQ(ParseLong("-2147483643"), -2147483643);
    EXPECT_EQ(ParseLong("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseLong("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseLong("  255\t"), 255);
    EXPECT_EQ(ParseLong("+7"), 7);
    EXPECT_EQ(ParseLong("&HFF"), 255);
    EXPECT_EQ(ParseLong("&h80000005"), static_cast<std::int32_t>(0x80000005));
    EXPECT_EQ(ParseLong("&HFFFFFFFF"), -1);
    EXPECT_EQ(ParseLong("&O17"), 15);
    // Fractions round half to even, as VB's CLng does.
    EXPECT_EQ(ParseLong("2.5"), 2);
    EXPECT_EQ(ParseLong("3.5"), 4);
    EXPECT_EQ(ParseLong("2.51"), 3);
    EXPECT_EQ(ParseLong("-0.4"), 0);
}

TEST(ParseLong, RejectsTextsThatAreNoNumberOrDoNotFit) {
    for (const char* bad : {"", " ", "abc", "12abc", "1 2", "-", "+", ".", "&H", "&HG1", "&H100000000",
                            "2147483648", "-2147483649", "99999999999999999999", "&X10", "1e3", "--1",
                            "&O8"})
        EXPECT_FALSE(ParseLong(bad).has_value()) << '"' << bad << '"';
}

TEST(RegistryBytesToText, StopsAtTheFirstZeroOrTheEnd) {
    const std::uint8_t withZero[] = {'2', '5', '5', 0, '9'};
    EXPECT_EQ(RegistryBytesToText(withZero, 5), "255");
    const std::uint8_t noZero[] = {'1', '2', '8'};
    EXPECT_EQ(RegistryBytesToText(noZero, 3), "128");
    EXPECT_EQ(RegistryBytesToText(noZero, 0), "");
}

// A million random inputs through both conversions, natively under the sanitizers: no crash,
// no read outside the input, and every accepted decimal text means what it says.
TEST(StoredTextFuzz, MillionRandomInputs) {
    std::mt19937 rng(20261207);
    const char alphabet[] = "0123456789+-. \t&HhOoAaFfxZ\x01\xff";
    std::size_t accepted = 0;
    for (int i = 0; i < 1000000; ++i) {
        const std::size_t len = rng() % 24;
        std::vector<std::uint8_t> bytes(len);
        for (auto& b : bytes)
            b = (rng() % 4 == 0) ? static_cast<std::uint8_t>(rng()) : alphabet[rng() % (sizeof alphabet - 1)];
        // Exactly sized heap buffer, so ASan sees any read past it.
        auto* heap = new std::uint8_t[len ? len : 1];
        std::copy(bytes.begin(), bytes.end(), heap);
        const std::string text = RegistryBytesToText(heap, len);
        ASSERT_LE(text.size(), len);
        ASSERT_EQ(text.find('\0'), std::string::npos);
        const auto v = ParseLong(text);
        delete[] heap;
        if (v) ++accepted;
        if (v && text.find_first_of(".&") == std::string::npos) {
            ASSERT_EQ(ParseLong(std::to_string(*v)), v) << text;
        }
    }
    EXPECT_GT(accepted, 1000u); // the alphabet does reach the accepting paths
    for (int i = 0; i < 100000; ++i) {
        const auto v = static_cast<std::int32_t>(rng());
        ASSERT_EQ(ParseLong(std::to_string(v)), v);
    }
}
