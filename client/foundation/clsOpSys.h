// The running Windows version in words, read once when the object is created.
#pragma once
#include <string>

#include "OsDescription.h"

namespace skx {

class clsOpSys {
public:
    clsOpSys();  // empties the fields and reads the version

    std::string OS_Name;
    std::string OS_Version;
    std::string OS_Build;
    std::string OS_Additional;
    std::string OS_ServicePack;  // "Service Pack 2.0"; empty without one
    std::string OS_Suite;
    std::string OS_ProductType;

private:
    void GetOSVersionInfo();
};

}  // namespace skx
