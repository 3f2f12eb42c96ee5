// The client access code: the volume serial number of the drive that holds the program.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace skx {

// The 32-bit volume serial of the program folder's drive; 0 after telling the user when the
// platform cannot say.
int32_t GetDriveInformation();

// The volume serial number of the drive whose root is given ("C:\"); nothing when the
// platform cannot say.
std::optional<uint32_t> VolumeSerialNumber(const std::string& root);

// The decimal text of the absolute value of an access code, taken in 64 bits so that
// 0x80000000 gives "2147483648".
std::string AccessCodeText(int32_t accessCode);

}  // namespace skx
