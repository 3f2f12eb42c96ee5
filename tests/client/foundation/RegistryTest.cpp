#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Registry.h"
#include "WinTestSupport.h"
#include "runtime/ErrorGuard.h"

using namespace skx;

namespace {

const char kTestKey[] = "Software\\SkirmoraTests\\Registry";

struct Report {
    std::string module, proc;
    int32_t number;
};
std::vector<Report> g_reports;
void Capture(const std::string& m, const std::string& p, int16_t, int32_t n, const std::string&) {
    g_reports.push_back({m, p, n});
}

class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::RegDeleteTree(HKEY_CURRENT_USER, kTestKey);
        g_reports.clear();
        oldHook_ = GetReportErrorHook();
        SetReportErrorHook(&Capture);
    }
    void TearDown() override {
        SetReportErrorHook(oldHook_);
        testsupport::RegDeleteTree(HKEY_CURRENT_USER, kTestKey);
    }
    // The raw bytes and type of a value, read past the functions under test.
    static bool RawValue(const std::string& name, DWORD& type, std::string& bytes) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
        char buffer[256];
        DWORD size = sizeof buffer;
        const LONG r = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        if (r != ERROR_SUCCESS) return false;
        bytes.assign(buffer, size);
        return true;
    }
    static void SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), 0);
        ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), 0);
        RegCloseKey(key);
    }
    static bool KeyExists() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

private:
    ReportErrorHook oldHook_ = nullptr;
};

// The handle value the next opened key gets: handles freed are given out again, so a key
// left open anywhere in between shows as a different value.
HANDLE NextKeyHandle() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    RegCloseKey(key);
    return key;
}

}  // namespace

TEST(RegistryRoots, NamesInAnyLetterCase) {
    EXPECT_EQ(fTopKey("HKLM"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(fTopKey("hklm"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(fTopKey("HKCU"), HKEY_CURRENT_USER);
    EXPECT_EQ(fTopKey("hKu"), HKEY_USERS);
    EXPECT_EQ(fTopKey("HKDD"), HKEY_DYN_DATA);
    EXPECT_EQ(fTopKey("HKCC"), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(fTopKey("HKCR"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(fTopKey(""), nullptr);
    EXPECT_EQ(fTopKey("HKEY_LOCAL_MACHINE"), nullptr);
}

TEST(RegistryRoots, ClientKeyUsesTheAbsoluteValueInSixtyFourBits) {
    const std::string base = "SOFTWARE\\Microsoft\\Compatibility\\";
    EXPECT_EQ(ClientRegistryKey(static_cast<int32_t>(0x80000000u)), base + "2147483648");
    EXPECT_EQ(ClientRegistryKey(static_cast<int64_t>(0x80000000u)), base + "2147483648");
    EXPECT_EQ(ClientRegistryKey(-123456789), base + "123456789");
    EXPECT_EQ(ClientRegistryKey(2147483647), base + "2147483647");
    EXPECT_EQ(ClientRegistryKey(0), base + "0");
    EXPECT_EQ(std::string(ClientRegistryRoot), "HKLM");
}

TEST_F(RegistryTest, TextRoundTrip) {
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Initialized", "S", std::string("False")), 0);
    EXPECT_EQ(testsupport::RegReadString(HKEY_CURRENT_USER, kTestKey, "Initialized"), "False");
    RegistryValue result;
    EXPECT_EQ(fReadValue("hkcu", kTestKey, "Initialized", "s", std::string("True"), result), 0);
    EXPECT_EQ(std::get<std::string>(result), "False");
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(RawValue("Initialized", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, std::string("False\0", 6));  // the terminator counted
    // Booleans and numbers are written as their text.
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Update", "S", true), 0);
    EXPECT_EQ(testsupport::RegReadString(HKEY_CURRENT_USER, kTestKey, "Update"), "True");
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Number", "S", -42), 0);
    EXPECT_EQ(testsupport::RegReadString(HKEY_CURRENT_USER, kTestKey, "Number"), "-42");
}

TEST_F(RegistryTest, EmptyAndZeroSizeTextReadAsEmpty) {
    RegistryValue result;
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Empty", "S", std::string()), 0);
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Empty", "S", std::string("default"), result), 0);
    EXPECT_EQ(std::get<std::string>(result), "");
    SetRaw("Zero", REG_SZ, "", 0);
    result = 5;
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Zero", "S", std::string("default"), result), 0);
    EXPECT_EQ(std::get<std::string>(result), "");
}

TEST_F(RegistryTest, TextReadStripsOnlyATrailingTerminator) {
    SetRaw("NoTerminator", REG_BINARY, "abc", 3);
    RegistryValue result;
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "NoTerminator", "S", std::string(), result), 0);
    EXPECT_EQ(std::get<std::string>(result), "abc");
    SetRaw("Long", REG_SZ, std::string(300, 'x').c_str(), 301);
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Long", "S", std::string(), result), 0);
    EXPECT_EQ(std::get<std::string>(result), std::string(300, 'x'));
}

TEST_F(RegistryTest, BooleanRoundTripInTwoBytes) {
    RegistryValue result;
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Flag", "B", true), 0);
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(RawValue("Flag", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(bytes, std::string("\xFF\xFF", 2));
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Flag", "B", false, result), 0);
    EXPECT_EQ(std::get<bool>(result), true);
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Flag", "b", std::string("False")), 0);
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Flag", "B", true, result), 0);
    EXPECT_EQ(std::get<bool>(result), false);
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Flag", "B", 3), 0);
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Flag", "B", false, result), 0);
    EXPECT_EQ(std::get<bool>(result), true);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(RegistryTest, NumberRoundTripSignExtendedFromSixteenBits) {
    RegistryValue result;
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Low", "D", -32768), 0);
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "High", "D", 32767), 0);
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Text", "D", std::string("12")), 0);
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(RawValue("Low", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(bytes, std::string("\x00\x80\xFF\xFF", 4));
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Low", "D", 0, result), 0);
    EXPECT_EQ(std::get<int32_t>(result), -32768);
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "High", "d", 0, result), 0);
    EXPECT_EQ(std::get<int32_t>(result), 32767);
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Text", "D", 0, result), 0);
    EXPECT_EQ(std::get<int32_t>(result), 12);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(RegistryTest, NumberBeyondSixteenBitsWritesNothingAndReturns87) {
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Big", "D", 32768), 87);
    EXPECT_FALSE(KeyExists());  // not even the key
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0].module, "modAPIRegistry");
    EXPECT_EQ(g_reports[0].proc, "fWriteValue");
    EXPECT_EQ(g_reports[0].number, 6);
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Big", "D", -32769), 87);
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Big", "D", std::string("70000")), 87);
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Flag", "B", std::string("maybe")), 87);
    EXPECT_EQ(g_reports.back().number, 13);
    EXPECT_FALSE(KeyExists());
    // A value that was there stays as it was.
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Big", "D", 5), 0);
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Big", "D", 100000), 87);
    RegistryValue result;
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Big", "D", 0, result), 0);
    EXPECT_EQ(std::get<int32_t>(result), 5);
}

TEST_F(RegistryTest, RefusalsKeepTheDefault) {
    RegistryValue result = std::string("old");
    EXPECT_EQ(fReadValue("", kTestKey, "Initialized", "S", std::string("False"), result), 99);
    EXPECT_EQ(std::get<std::string>(result), "False");
    EXPECT_EQ(fWriteValue("HKXX", kTestKey, "Initialized", "S", std::string("True")), 99);
    EXPECT_FALSE(KeyExists());
    // Missing key, then missing value: the platform's "file not found".
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Initialized", "S", std::string("False"), result), 2);
    EXPECT_EQ(std::get<std::string>(result), "False");
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Other", "S", std::string("xyz")), 0);
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Update", "S", std::string("True"), result), 2);
    EXPECT_EQ(std::get<std::string>(result), "True");
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Update", "B", true, result), 2);
    EXPECT_EQ(std::get<bool>(result), true);
    // A value too large for its type is refused by the platform and the default stays.
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Other", "B", false, result), ERROR_MORE_DATA);
    EXPECT_EQ(std::get<bool>(result), false);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(RegistryTest, UnknownTypeReadsAndWritesNothing) {
    RegistryValue result;
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Thing", "x", std::string("value")), 0);
    EXPECT_TRUE(KeyExists());  // the key was created
    DWORD type = 0;
    std::string bytes;
    EXPECT_FALSE(RawValue("Thing", type, bytes));
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Thing", "S", std::string("value")), 0);
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Thing", "x", std::string("default"), result), 0);
    EXPECT_EQ(std::get<std::string>(result), "default");
    EXPECT_EQ(fReadValue("HKCU", kTestKey, "Thing", "SS", std::string("default"), result), 0);
    EXPECT_EQ(std::get<std::string>(result), "default");
}

TEST_F(RegistryTest, KeysAreClosedOnEveryPath) {
    RegistryValue result;
    EXPECT_EQ(fWriteValue("HKCU", kTestKey, "Text", "S", std::string("v")), 0);
    const HANDLE before = NextKeyHandle();
    ASSERT_NE(before, nullptr);
    for (int i = 0; i < 100; ++i) {
        fReadValue("HKCU", kTestKey, "Text", "S", std::string(), result);     // success
        fReadValue("HKCU", kTestKey, "Missing", "S", std::string(), result);  // missing value
        fReadValue("HKCU", kTestKey, "Text", "B", false, result);             // query refused
        fReadValue("HKCU", kTestKey, "Text", "x", false, result);             // nothing read
        fWriteValue("HKCU", kTestKey, "Text", "S", std::string("v"));         // success
        fWriteValue("HKCU", kTestKey, "Text", "x", std::string("v"));         // nothing written
        fWriteValue("HKCU", kTestKey, "Big", "D", 99999);                     // refused value
        fWriteValue("HKCU", kTestKey, "", "D", 1);                            // default value
    }
    EXPECT_EQ(NextKeyHandle(), before);
}

TEST_F(RegistryTest, ClientFlagsUnderTheMachineKey) {
    const std::string key = ClientRegistryKey(static_cast<int32_t>(0x80000000u));
    testsupport::RegDeleteTree(HKEY_LOCAL_MACHINE, key);
    RegistryValue result;
    EXPECT_EQ(fReadValue(ClientRegistryRoot, key, "Initialized", "S", std::string("False"), result), 2);
    EXPECT_EQ(std::get<std::string>(result), "False");
    EXPECT_EQ(fWriteValue(ClientRegistryRoot, key, "Initialized", "S", std::string("False")), 0);
    EXPECT_EQ(fWriteValue(ClientRegistryRoot, key, "Update", "S", std::string("True")), 0);
    EXPECT_EQ(testsupport::RegReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Compatibility\\2147483648",
                                         "Initialized"),
              "False");
    EXPECT_EQ(fReadValue(ClientRegistryRoot, key, "Update", "S", std::string("False"), result), 0);
    EXPECT_EQ(std::get<std::string>(result), "True");
    testsupport::RegDeleteTree(HKEY_LOCAL_MACHINE, key);
}
