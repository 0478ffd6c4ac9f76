#include "platform/win/registry_preset_storage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/windows/preset_registry.h"

namespace {
using namespace preset_registry;

// Each test starts from a profile that has never seen the program.
struct RegistryPresetStorageTest : ::testing::Test {
    void SetUp() override { Forget(); }
    void TearDown() override { Forget(); }

    RegistryPresetStorage storage;
};

TEST_F(RegistryPresetStorageTest, FirstReadCreatesTheEmptyKey) {
    ASSERT_FALSE(KeyExists("Software\\Kestrin"));
    EXPECT_EQ(storage.Read("DEF_REVERSE"), "");
    ASSERT_TRUE(KeyExists(kKey));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD values = 99;
    DWORD subkeys = 99;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(values, 0u);
    EXPECT_EQ(subkeys, 0u);
}

TEST_F(RegistryPresetStorageTest, WritesCountedTextsWithoutTerminator) {
    storage.Write("DEF_REVERSE", "101");
    DWORD type = 0;
    EXPECT_TRUE(IsCountedText(Raw("DEF_REVERSE", &type), "101"));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(storage.Read("DEF_REVERSE"), "101");

    storage.Write("DEF_SUB_NUMBER_01", "007");
    storage.Write("DEF_REVERSE", "010");
    EXPECT_EQ(storage.Read("DEF_SUB_NUMBER_01"), "007");
    EXPECT_EQ(storage.Read("DEF_REVERSE"), "010");
}

TEST_F(RegistryPresetStorageTest, EmptyTextIsAValueWithZeroBytes) {
    storage.Write("DEF_NUMBERLEN_02", "");
    DWORD type = 0;
    EXPECT_EQ(Raw("DEF_NUMBERLEN_02", &type), "");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(storage.Read("DEF_NUMBERLEN_02"), "");
}

TEST_F(RegistryPresetStorageTest, OversizedValuesReadAsEmpty) {
    SetRaw("DEF_LONG", REG_SZ, std::string(300, '1'));
    EXPECT_EQ(storage.Read("DEF_LONG"), "");
    SetRaw("DEF_BINARY_256", REG_BINARY, std::string(256, '1'));
    EXPECT_EQ(storage.Read("DEF_BINARY_256"), "");
    // 255 bytes still fit, terminated by the reader itself.
    SetRaw("DEF_BINARY_255", REG_BINARY, std::string(255, '1'));
    EXPECT_EQ(storage.Read("DEF_BINARY_255"), std::string(255, '1'));
}

TEST_F(RegistryPresetStorageTest, OtherTypesReadAsTheirBytesUpToTheFirstNul) {
    SetRaw("DEF_BINARY", REG_BINARY, "1x1");
    EXPECT_EQ(storage.Read("DEF_BINARY"), "1x1");
    const DWORD number = 0x00313031;  // the bytes '1' '0' '1' 0
    SetRaw("DEF_DWORD", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number));
    EXPECT_EQ(storage.Read("DEF_DWORD"), "101");
    SetRaw("DEF_MULTI", REG_MULTI_SZ, std::string("12\0ab\0\0", 7));
    EXPECT_EQ(storage.Read("DEF_MULTI"), "12");
}
}  // namespace
