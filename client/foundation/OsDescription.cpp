#include "OsDescription.h"

#include "runtime/Conversions.h"

namespace skx {

namespace {

std::string Num(uint32_t n) { return std::to_string(n); }

std::string WithoutNul(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\0') out += c;
    return out;
}

std::string Unknown(uint32_t major, uint32_t minor) {
    return "Unknown OS Version " + Num(major) + "." + Num(minor);
}

}  // namespace

bool DescribeOsVersion(const OsVersionRecord& r, OsDescription& out) {
    const std::string csd = WithoutNul(r.CSDVersion);
    const std::string upper = UCase(csd);
    bool extended = false;
    switch (r.Major) {
        case 3:
            out.OS_Name = (r.Platform == 2 ? "Windows NT 3." + Num(r.Minor) : Unknown(3, r.Minor));
            break;
        case 4:
            if (r.Minor == 0) {
                if (r.Platform == 1) {
                    out.OS_Name = (upper.find('B') != std::string::npos || upper.find('C') != std::string::npos)
                                      ? "Windows 95 OSR2"
                                      : "Windows 95";
                } else if (r.Platform == 2) {
                    out.OS_Name = "Windows NT 4.0";
                    extended = StrComp(Trim(upper), "SERVICE PACK 6", Compare::Text) >= 0;
                } else {
                    out.OS_Name = Unknown(4, 0) + " Platform " + Num(r.Platform);
                }
            } else if (r.Minor == 10) {
                out.OS_Name = upper.find('A') != std::string::npos ? "Windows 98 SE" : "Windows 98";
            } else if (r.Minor == 90) {
                out.OS_Name = "Windows ME";
            } else {
                out.OS_Name = Unknown(4, r.Minor);
            }
            break;
        case 5:
            extended = true;
            switch (r.Minor) {
                case 0: out.OS_Name = "Windows 2000"; break;
                case 1: out.OS_Name = "Windows XP"; break;
                case 2: out.OS_Name = "Windows .NET"; break;
                default: out.OS_Name = Unknown(5, r.Minor); break;
            }
            break;
        default:
            out.OS_Name = Unknown(r.Major, r.Minor);
            break;
    }
    out.OS_Version = Num(r.Major) + "." + Num(r.Minor);
    // Windows 95, 98 and ME keep the major and minor version in the high word of the build.
    out.OS_Build = Num(r.Platform == 1 ? (r.Build & 0xFFFFu) : r.Build);
    out.OS_Additional = csd;
    return extended;
}

void DescribeOsExtras(const OsVersionRecord& r, const OsVersionExtras& x, OsDescription& out) {
    out.OS_ServicePack.clear();
    if (x.ServicePackMajor != 0 || x.ServicePackMinor != 0)
        out.OS_ServicePack = "Service Pack " + Num(x.ServicePackMajor) + "." + Num(x.ServicePackMinor);

    static const struct {
        uint16_t bit;
        const char* text;
    } kSuites[] = {
        {0x4, "Microsoft BackOffice components are installed ,"},
        {0x8, "Communications Server installed ,"},
        {0x80, "Datacenter Server is installed ,"},
        {0x40, "Embedded NT installed ,"},
        {0x100, "Single User ,"},
        {0x1, "Microsoft Small Business Server is installed ,"},
        {0x20, "Microsoft Small Business Server is installed with the restrictive client license in force ,"},
        {0x10, "Terminal Services is installed ,"},
    };
    std::string suite;
    for (const auto& s : kSuites)
        if (x.SuiteMask & s.bit) suite += s.text;
    if (suite.size() > 2) suite.pop_back();
    out.OS_Suite = suite;

    const bool enterprise = (x.SuiteMask & 0x2) != 0;
    std::string type;
    if (r.Major == 4 || (r.Major == 5 && r.Minor == 0)) {
        switch (x.ProductType) {
            case 1: type = r.Major == 4 ? "Workstation" : "Professional"; break;
            case 2: type = "Domain Controller"; break;
            case 3: type = enterprise ? "Advanced Server" : "Server"; break;
            default: break;
        }
    } else if (r.Major == 5 && r.Minor == 1) {
        switch (x.ProductType) {
            case 1: type = (x.SuiteMask & 0x200) ? "Home Edition" : "Professional"; break;
            case 2: type = "Domain Controller"; break;
            case 3: type = "Server"; break;
            default: break;
        }
    } else if (r.Major == 5 && r.Minor == 2) {
        switch (x.ProductType) {
            case 2: type = "Domain Controller"; break;
            case 3:
                type = (x.SuiteMask & 0x80)   ? "DataCenter Server"
                       : enterprise           ? "Enterprise Server"
                       : (x.SuiteMask & 0x400) ? "Web Server"
                                              : "Server";
                break;
            default: break;
        }
    }
    out.OS_ProductType = type;
}

}  // namespace skx
