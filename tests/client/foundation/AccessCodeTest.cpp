// The access code from the volume serial of the program's drive.
#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include <climits>
#include <cstring>
#include <tuple>

#include "AccessCode.h"
#include "WinTestSupport.h"
#include "runtime/App.h"

using namespace skx;

namespace {

// The mount manager's request that maps a drive letter to a Unix folder (the Wine extension
// its drive configuration uses). The drive's serial is then read from ".windows-serial" in
// that folder.
struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset;
    USHORT device_offset;
    USHORT label_offset;
};
constexpr DWORD DefineUnixDrive = CTL_CODE(static_cast<DWORD>('m'), 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool DefineDrive(wchar_t letter, const std::string& unixPath) {
    std::string buffer(sizeof(UnixDriveRequest) + unixPath.size() + 1, '\0');
    UnixDriveRequest request{};
    request.size = static_cast<ULONG>(buffer.size());
    request.type = unixPath.empty() ? 0 : DRIVE_FIXED;
    request.letter = letter;
    request.mount_point_offset = unixPath.empty() ? 0 : static_cast<USHORT>(sizeof request);
    std::memcpy(buffer.data(), &request, sizeof request);
    std::memcpy(buffer.data() + sizeof request, unixPath.c_str(), unixPath.size());
    HANDLE mgr = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    if (mgr == INVALID_HANDLE_VALUE) return false;
    DWORD got = 0;
    BOOL ok = DeviceIoControl(mgr, DefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, 0, &got, nullptr);
    CloseHandle(mgr);
    return ok != 0;
}

// A drive R: on a scratch folder whose ".windows-serial" holds the given serial.
class SerialDrive {
public:
    explicit SerialDrive(const std::string& hex) : dir_("serialdrive") {
        if (!testsupport::WriteFileBytes(dir_.File(".windows-serial"), hex + "\n")) return;
        const std::string unix = testsupport::UnixPath(dir_.Path());
        defined_ = !unix.empty() && DefineDrive(L'r', unix);
    }
    ~SerialDrive() {
        if (defined_) DefineDrive(L'r', {});
    }
    bool Defined() const { return defined_; }

private:
    testsupport::ScratchDir dir_;
    bool defined_ = false;
};

}  // namespace

TEST(AccessCode, IsTheSerialOfTheProgramDrive) {
    const std::string root = App::Path().substr(0, 3);
    DWORD serial = 0;
    ASSERT_TRUE(GetVolumeInformationA(root.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(GetDriveInformation(), static_cast<int32_t>(serial));
}

// Drive C's code: the decimal text of its serial taken as a signed 32-bit number, without the sign.
TEST(AccessCode, TextOfDriveCsSerial) {
    DWORD read = 0;
    ASSERT_TRUE(GetVolumeInformationA("C:\\", nullptr, 0, &read, nullptr, nullptr, nullptr, 0));
    ASSERT_EQ(VolumeSerialNumber("C:\\"), std::optional<uint32_t>(read));
    const int64_t value = static_cast<int32_t>(read);
    EXPECT_EQ(AccessCodeText(static_cast<int32_t>(read)), std::to_string(value < 0 ? -value : value));
}

TEST(AccessCode, SerialsFromTheHighHalf) {
    for (const auto& [hex, value, text] : {std::tuple{"80000000", 0x80000000u, "2147483648"},
                                           std::tuple{"FFFFFFFE", 0xFFFFFFFEu, "2"},
                                           std::tuple{"7FFFFFFF", 0x7FFFFFFFu, "2147483647"}}) {
        SerialDrive drive(hex);
        ASSERT_TRUE(drive.Defined());
        const auto serial = VolumeSerialNumber("R:\\");
        ASSERT_TRUE(serial.has_value()) << hex;
        EXPECT_EQ(*serial, value);
        EXPECT_EQ(AccessCodeText(static_cast<int32_t>(*serial)), text);
    }
}

TEST(AccessCode, TextIsTheAbsoluteValue) {
    EXPECT_EQ(AccessCodeText(1124073472), "1124073472");
    EXPECT_EQ(AccessCodeText(INT32_MIN), "2147483648");
    EXPECT_EQ(AccessCodeText(INT32_MAX), "2147483647");
    EXPECT_EQ(AccessCodeText(-5), "5");
    EXPECT_EQ(AccessCodeText(0), "0");
}

TEST(AccessCode, NoVolumeGivesNothing) {
    EXPECT_FALSE(VolumeSerialNumber("Q:\\").has_value());
}
