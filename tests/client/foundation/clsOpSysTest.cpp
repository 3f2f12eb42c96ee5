#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "OsDescription.h"
#include "WinTestSupport.h"
#include "clsOpSys.h"

using namespace skx;

namespace {

OsDescription Describe(uint32_t major, uint32_t minor, uint32_t platform, const std::string& csd,
                       const OsVersionExtras* extras = nullptr, bool* extended = nullptr) {
    OsVersionRecord r;
    r.Major = major;
    r.Minor = minor;
    r.Build = 1234;
    r.Platform = platform;
    r.CSDVersion = csd;
    OsDescription d;
    const bool ext = DescribeOsVersion(r, d);
    if (extended) *extended = ext;
    if (ext && extras) DescribeOsExtras(r, *extras, d);
    return d;
}

OsVersionExtras Extras(uint16_t spMajor, uint16_t spMinor, uint16_t suite, uint8_t type) {
    OsVersionExtras x;
    x.ServicePackMajor = spMajor;
    x.ServicePackMinor = spMinor;
    x.SuiteMask = suite;
    x.ProductType = type;
    return x;
}

std::string ExpectedName(const OSVERSIONINFOA& v) {
    if (v.dwMajorVersion == 5 && v.dwMinorVersion == 0) return "Windows 2000";
    if (v.dwMajorVersion == 5 && v.dwMinorVersion == 1) return "Windows XP";
    if (v.dwMajorVersion == 5 && v.dwMinorVersion == 2) return "Windows .NET";
    return "Unknown OS Version " + std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion);
}

}  // namespace

TEST(clsOpSys, DescribesTheVersionThePlatformReports) {
    OSVERSIONINFOEXA v{};
    v.dwOSVersionInfoSize = sizeof v;
    ASSERT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v)));
    const clsOpSys os;
    EXPECT_EQ(os.OS_Name, ExpectedName(reinterpret_cast<OSVERSIONINFOA&>(v)));
    EXPECT_EQ(os.OS_Version, std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion));
    EXPECT_EQ(os.OS_Build, std::to_string(v.dwBuildNumber));
    EXPECT_EQ(os.OS_Additional, std::string(v.szCSDVersion));
    if (v.dwMajorVersion >= 6) {
        // Systems after the .NET server get no extended fields.
        EXPECT_EQ(os.OS_ServicePack, "");
        EXPECT_EQ(os.OS_Suite, "");
        EXPECT_EQ(os.OS_ProductType, "");
    }
}

TEST(OsDescription, NamesEveryRowOfTheTable) {
    bool ext = true;
    EXPECT_EQ(Describe(3, 51, 2, "").OS_Name, "Windows NT 3.51");
    EXPECT_EQ(Describe(3, 10, 1, "", nullptr, &ext).OS_Name, "Unknown OS Version 3.10");
    EXPECT_FALSE(ext);
    EXPECT_EQ(Describe(4, 0, 1, " B").OS_Name, "Windows 95 OSR2");
    EXPECT_EQ(Describe(4, 0, 1, " c").OS_Name, "Windows 95 OSR2");
    EXPECT_EQ(Describe(4, 0, 1, "").OS_Name, "Windows 95");
    EXPECT_EQ(Describe(4, 0, 3, "").OS_Name, "Unknown OS Version 4.0 Platform 3");
    EXPECT_EQ(Describe(4, 10, 1, " A ").OS_Name, "Windows 98 SE");
    EXPECT_EQ(Describe(4, 10, 1, "").OS_Name, "Windows 98");
    EXPECT_EQ(Describe(4, 90, 1, "").OS_Name, "Windows ME");
    EXPECT_EQ(Describe(4, 3, 2, "").OS_Name, "Unknown OS Version 4.3");
    EXPECT_EQ(Describe(5, 0, 2, "", nullptr, &ext).OS_Name, "Windows 2000");
    EXPECT_TRUE(ext);
    EXPECT_EQ(Describe(5, 1, 2, "").OS_Name, "Windows XP");
    EXPECT_EQ(Describe(5, 2, 2, "").OS_Name, "Windows .NET");
    EXPECT_EQ(Describe(5, 7, 2, "", nullptr, &ext).OS_Name, "Unknown OS Version 5.7");
    EXPECT_TRUE(ext);
    EXPECT_EQ(Describe(6, 1, 2, "Service Pack 1", nullptr, &ext).OS_Name, "Unknown OS Version 6.1");
    EXPECT_FALSE(ext);
    EXPECT_EQ(Describe(10, 0, 2, "").OS_Name, "Unknown OS Version 10.0");
}

TEST(OsDescription, XpServicePackTwo) {
    const OsVersionExtras x = Extras(2, 0, 0x100, 1);
    const OsDescription d = Describe(5, 1, 2, std::string("Service Pack 2\0\0", 16), &x);
    EXPECT_EQ(d.OS_Name, "Windows XP");
    EXPECT_EQ(d.OS_Version, "5.1");
    EXPECT_EQ(d.OS_Build, "1234");
    EXPECT_EQ(d.OS_Additional, "Service Pack 2");
    EXPECT_EQ(d.OS_ServicePack, "Service Pack 2.0");
    EXPECT_EQ(d.OS_Suite, "Single User ");
    EXPECT_EQ(d.OS_ProductType, "Professional");
    const OsVersionExtras home = Extras(0, 0, 0x200, 1);
    const OsDescription h = Describe(5, 1, 2, "", &home);
    EXPECT_EQ(h.OS_ServicePack, "");
    EXPECT_EQ(h.OS_Suite, "");
    EXPECT_EQ(h.OS_ProductType, "Home Edition");
}

TEST(OsDescription, NtFourReadsTheExtendedRecordFromServicePackSixOnly) {
    bool ext = true;
    Describe(4, 0, 2, "Service Pack 5", nullptr, &ext);
    EXPECT_FALSE(ext);
    Describe(4, 0, 2, "  service pack 6a ", nullptr, &ext);
    EXPECT_TRUE(ext);
    const OsVersionExtras x = Extras(6, 0, 0x2, 3);
    const OsDescription d = Describe(4, 0, 2, "Service Pack 6", &x);
    EXPECT_EQ(d.OS_Name, "Windows NT 4.0");
    EXPECT_EQ(d.OS_ServicePack, "Service Pack 6.0");
    EXPECT_EQ(d.OS_ProductType, "Advanced Server");
}

TEST(OsDescription, SuiteTextsInTheirOrderAndProductTypes) {
    const OsVersionExtras all = Extras(1, 0, 0x4 | 0x8 | 0x80 | 0x40 | 0x100 | 0x1 | 0x20 | 0x10, 3);
    const OsDescription d = Describe(5, 2, 2, "", &all);
    EXPECT_EQ(d.OS_Suite,
              "Microsoft BackOffice components are installed ,Communications Server installed ,"
              "Datacenter Server is installed ,Embedded NT installed ,Single User ,"
              "Microsoft Small Business Server is installed ,Microsoft Small Business Server is "
              "installed with the restrictive client license in force ,Terminal Services is installed ");
    EXPECT_EQ(d.OS_ProductType, "DataCenter Server");
    auto type = [](uint32_t major, uint32_t minor, uint16_t suite, uint8_t t) {
        const OsVersionExtras x = Extras(0, 0, suite, t);
        return Describe(major, minor, 2, "Service Pack 6", &x).OS_ProductType;
    };
    EXPECT_EQ(type(5, 2, 0x2, 3), "Enterprise Server");
    EXPECT_EQ(type(5, 2, 0x400, 3), "Web Server");
    EXPECT_EQ(type(5, 2, 0, 3), "Server");
    EXPECT_EQ(type(5, 2, 0, 1), "");
    EXPECT_EQ(type(5, 2, 0, 2), "Domain Controller");
    EXPECT_EQ(type(5, 0, 0, 1), "Professional");
    EXPECT_EQ(type(5, 0, 0x2, 3), "Advanced Server");
    EXPECT_EQ(type(5, 0, 0, 3), "Server");
    EXPECT_EQ(type(5, 1, 0x2, 3), "Server");
    EXPECT_EQ(type(4, 0, 0, 1), "Workstation");
    EXPECT_EQ(type(4, 0, 0, 2), "Domain Controller");
    EXPECT_EQ(type(5, 1, 0, 7), "");
}

// Run in a child process whose reported Windows version the prefix sets: writes the
// description to the file named by SKX_OSPROBE_OUT.
TEST(clsOpSysProbe, DISABLED_WriteDescription) {
    const char* out = std::getenv("SKX_OSPROBE_OUT");
    ASSERT_NE(out, nullptr);
    const clsOpSys os;
    ASSERT_TRUE(testsupport::WriteFileBytes(out, os.OS_Name + "|" + os.OS_Version + "|" + os.OS_ServicePack + "|" +
                                                     os.OS_ProductType));
}

namespace {

// The description a copy of this program gives when Wine reports the named version to it.
std::string DescriptionUnder(const testsupport::ScratchDir& dir, const std::string& wineVersion) {
    const std::string exe = "osprobe_" + wineVersion + ".exe";
    const std::string key = "Software\\Wine\\AppDefaults\\" + exe;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (!CopyFileA(self, dir.File(exe).c_str(), FALSE)) return "no copy";
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) != 0)
        return "no key";
    RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(wineVersion.c_str()),
                   static_cast<DWORD>(wineVersion.size() + 1));
    RegCloseKey(k);
    const std::string outFile = dir.File("os-" + wineVersion + ".txt");
    SetEnvironmentVariableA("SKX_OSPROBE_OUT", outFile.c_str());
    testsupport::ChildProcess child;
    std::string result = "no run";
    if (child.Start("\"" + dir.File(exe) + "\" --gtest_also_run_disabled_tests "
                    "--gtest_filter=clsOpSysProbe.DISABLED_WriteDescription") &&
        child.Wait(60000)) {
        result = testsupport::ReadFileBytes(outFile).value_or("no output");
    }
    SetEnvironmentVariableA("SKX_OSPROBE_OUT", nullptr);
    testsupport::RegDeleteTree(HKEY_CURRENT_USER, key);
    return result;
}

}  // namespace

TEST(clsOpSys, NamesTheVersionsThePrefixReports) {
    testsupport::ScratchDir dir("osprobe");
    EXPECT_EQ(DescriptionUnder(dir, "win2k"), "Windows 2000|5.0|Service Pack 4.0|Professional");
    EXPECT_EQ(DescriptionUnder(dir, "winxp"), "Windows XP|5.1|Service Pack 3.0|Professional");
    EXPECT_EQ(DescriptionUnder(dir, "win7"), "Unknown OS Version 6.1|6.1||");
}
