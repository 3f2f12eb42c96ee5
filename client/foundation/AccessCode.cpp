#include "AccessCode.h"

#include <windows.h>

#include <cstdlib>

#include "MessageBox.h"
#include "runtime/App.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

std::optional<uint32_t> VolumeSerialNumber(const std::string& root) {
    char volumeName[256] = {};
    char fileSystem[256] = {};
    DWORD serial = 0, maxComponent = 0, flags = 0;
    if (!GetVolumeInformationA(root.c_str(), volumeName, sizeof volumeName, &serial, &maxComponent, &flags,
                               fileSystem, sizeof fileSystem))
        return std::nullopt;
    return static_cast<uint32_t>(serial);
}

int32_t GetDriveInformation() {
    int32_t result = 0;
    Guard("modMiscFunctionsOne", "GetDriveInformation", [&] {
        std::optional<uint32_t> serial = VolumeSerialNumber(UCase(Left(App::Path(), 3)));
        if (serial) {
            result = static_cast<int32_t>(*serial);
        } else {
            CSendMessage("An error occured while retrieving client access code.", 22,
                         "Program Error: Access Code Retrieval", 0, true, true, -1, "Tahoma", nullptr);
            result = 0;
        }
    });
    return result;
}

std::string AccessCodeText(int32_t accessCode) {
    return std::to_string(std::llabs(static_cast<long long>(accessCode)));
}

}  // namespace skx
