// Naming a Windows version in words from the platform's version records (no platform calls;
// clsOpSys reads the records).
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// The basic version record.
struct OsVersionRecord {
    uint32_t Major = 0;
    uint32_t Minor = 0;
    uint32_t Build = 0;
    uint32_t Platform = 0;  // 1 Windows 9x, 2 Windows NT
    std::string CSDVersion;  // the service-pack text as the platform returns it
};

// The extra fields of the extended version record.
struct OsVersionExtras {
    uint16_t ServicePackMajor = 0;
    uint16_t ServicePackMinor = 0;
    uint16_t SuiteMask = 0;
    uint8_t ProductType = 0;  // 1 workstation, 2 domain controller, 3 server
};

struct OsDescription {
    std::string OS_Name;
    std::string OS_Version;
    std::string OS_Build;
    std::string OS_Additional;
    std::string OS_ServicePack;
    std::string OS_Suite;
    std::string OS_ProductType;
};

// Fills name, version, build and service-pack text; returns true when the system is one
// whose extended record is to be read.
bool DescribeOsVersion(const OsVersionRecord& record, OsDescription& out);
// Fills service pack, suite and product type from the extended record.
void DescribeOsExtras(const OsVersionRecord& record, const OsVersionExtras& extras, OsDescription& out);

}  // namespace skx
