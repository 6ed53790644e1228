// The registry store against the real registry.
#include "store/registry_stuff.h"
#include "../../shared/registry_text.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include <windows.h>

namespace hv::test {

namespace {
const char kKey[] = "Software\\HuevistaTest\\Store";
const char kParent[] = "Software\\HuevistaTest";

bool KeyExists(const char* path) {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

void RawWrite(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY k;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &k), ERROR_SUCCESS);
    RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(k);
}

// The value as the registry holds it (its native wide form): the stored size comes from a
// size query, since a read into a buffer may add a terminator.
std::vector<BYTE> RawRead(const wchar_t* name, DWORD* type) {
    std::vector<BYTE> data(1024);
    DWORD size = 0, room = 1024;
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &k) != ERROR_SUCCESS) return {};
    if (RegQueryValueExW(k, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS ||
        RegQueryValueExW(k, name, nullptr, type, data.data(), &room) != ERROR_SUCCESS)
        size = 0;
    RegCloseKey(k);
    data.resize(size);
    return data;
}
} // namespace

class RegistryStuffTest : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kParent); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kParent); }
};

TEST_F(RegistryStuffTest, MissingKeyOrValueGivesTheDefault) {
    EXPECT_EQ(colour::GetRegValue(HKEY_CURRENT_USER, kKey, "Color1", "dflt"), "dflt");
    colour::CreateRegKey(HKEY_CURRENT_USER, kKey);
    EXPECT_TRUE(KeyExists(kKey));
    EXPECT_EQ(colour::GetRegValue(HKEY_CURRENT_USER, kKey, "Color1", "dflt"), "dflt");
    colour::CreateRegKey(HKEY_CURRENT_USER, kKey); // an existing key is simply opened
    EXPECT_TRUE(KeyExists(kKey));
}

TEST_F(RegistryStuffTest, WritesTheTextWithoutTerminatorAndReadsItBack) {
    colour::CreateRegKey(HKEY_CURRENT_USER, kKey);
    colour::SetRegValue(HKEY_CURRENT_USER, kKey, "Color1", "255");
    DWORD type = 0;
    const auto raw = RawRead(L"Color1", &type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // The three characters. The registry itself adds a terminator when the byte after the
    // data we hand it is a zero (NT does; so does Wine), so accept one.
    const std::vector<BYTE> chars{'2', 0, '5', 0, '5', 0};
    ASSERT_GE(raw.size(), chars.size());
    EXPECT_TRUE(std::equal(chars.begin(), chars.end(), raw.begin()));
    EXPECT_TRUE(raw.size() == 6 || (raw.size() == 8 && raw[6] == 0 && raw[7] == 0));
    EXPECT_EQ(colour::GetRegValue(HKEY_CURRENT_USER, kKey, "Color1", ""), "255");
    colour::SetRegValue(HKEY_CURRENT_USER, kKey, "Color1", "-2147483643");
    EXPECT_EQ(colour::GetRegValue(HKEY_CURRENT_USER, kKey, "Color1", ""), "-2147483643");
}

TEST_F(RegistryStuffTest, WritingIntoAMissingKeyCreatesNothing) {
    colour::SetRegValue(HKEY_CURRENT_USER, kKey, "Color1", "1");
    EXPECT_FALSE(KeyExists(kKey));
    EXPECT_FALSE(KeyExists(kParent));
}

TEST_F(RegistryStuffTest, OddStoredValuesGiveDefinedTexts) {
    colour::CreateRegKey(HKEY_CURRENT_USER, kKey);
    const std::string full(128, '7'), over(129, '7');
    RawWrite("Full", REG_SZ, full.data(), 128);    // exactly the buffer, no terminator
    RawWrite("Over", REG_SZ, over.c_str(), 130);   // longer than the buffer
    const DWORD dword = 255;
    RawWrite("Dword", REG_DWORD, &dword, sizeof dword);
    const BYTE binary[] = {'1', '2'};
    RawWrite("Binary", REG_BINARY, binary, 2);
    RawWrite("Expand", REG_EXPAND_SZ, "42", 3);
    RawWrite("Zero", REG_SZ, "12\0" "34", 5);
    RawWrite("Empty", REG_SZ, "", 0);
    auto get = [](const char* name) { return colour::GetRegValue(HKEY_CURRENT_USER, kKey, name, "dflt"); };
    EXPECT_EQ(get("Full"), full);
    EXPECT_EQ(get("Over"), "dflt");
    EXPECT_EQ(get("Dword"), "dflt");
    EXPECT_EQ(get("Binary"), "dflt");
    EXPECT_EQ(get("Expand"), "42");
    EXPECT_EQ(get("Zero"), "12");
    EXPECT_EQ(get("Empty"), "");
    // Without a bound, a text longer than any first guess at its size comes whole.
    const std::string along(300, '8');
    RawWrite("Along", REG_SZ, along.c_str(), 301);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(reg::ReadString(key, "Along").value_or("none"), along);
    EXPECT_EQ(reg::ReadString(key, L"Full").value_or(L"none"), std::wstring(128, L'7'));
    EXPECT_EQ(reg::ReadString(key, "Along", 300).value_or("refused"), "refused");
    RegCloseKey(key);
}

// Another program writes a longer text between our size query and our read: the text is read
// again, not taken for a missing one (a list saved back from that would lose the user's).
TEST_F(RegistryStuffTest, ATextGrownBetweenTheSizeQueryAndTheReadIsReadAgain) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_QUERY_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    std::string text(200, '1');
    RawWrite("Grows", REG_SZ, text.c_str(), 201);
    int grown = 0;
    auto growing = [&](int times) {
        return [&, times](DWORD* type, BYTE* data, DWORD* size) {
            const LSTATUS s = RegQueryValueExA(key, "Grows", nullptr, type, data, size);
            if (!data && grown < times) {
                text += std::string(100, static_cast<char>('2' + grown++ % 8));
                RawWrite("Grows", REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
            }
            return s;
        };
    };
    EXPECT_EQ(reg::ReadStringWith<char>(growing(2)).value_or("lost"), text);
    EXPECT_EQ(grown, 2);
    grown = 0;
    EXPECT_FALSE(reg::ReadStringWith<char>(growing(1000))) << "given up on, not taken for empty";
    RegCloseKey(key);
}

} // namespace hv::test
