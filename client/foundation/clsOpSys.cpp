#include "clsOpSys.h"

#include <windows.h>

namespace skx {

clsOpSys::clsOpSys() { GetOSVersionInfo(); }

void clsOpSys::GetOSVersionInfo() {
    OSVERSIONINFOA basic{};
    basic.dwOSVersionInfoSize = sizeof basic;
    if (!GetVersionExA(&basic)) return;

    OsVersionRecord record;
    record.Major = basic.dwMajorVersion;
    record.Minor = basic.dwMinorVersion;
    record.Build = basic.dwBuildNumber;
    record.Platform = basic.dwPlatformId;
    record.CSDVersion.assign(basic.szCSDVersion, strnlen(basic.szCSDVersion, sizeof basic.szCSDVersion));

    OsDescription d;
    const bool extended = DescribeOsVersion(record, d);
    if (extended) {
        OSVERSIONINFOEXA ex{};
        ex.dwOSVersionInfoSize = sizeof ex;
        if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
            OsVersionExtras extras;
            extras.ServicePackMajor = ex.wServicePackMajor;
            extras.ServicePackMinor = ex.wServicePackMinor;
            extras.SuiteMask = ex.wSuiteMask;
            extras.ProductType = ex.wProductType;
            DescribeOsExtras(record, extras, d);
        }
    }
    OS_Name = d.OS_Name;
    OS_Version = d.OS_Version;
    OS_Build = d.OS_Build;
    OS_Additional = d.OS_Additional;
    OS_ServicePack = d.OS_ServicePack;
    OS_Suite = d.OS_Suite;
    OS_ProductType = d.OS_ProductType;
}

}  // namespace skx
