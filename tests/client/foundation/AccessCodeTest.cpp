// The access code from the volume serial of the program's drive.
#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
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

namespace {
// Drive C's serial as the command interpreter shows it ("Volume Serial Number is 1A2B-3C4D"),
// read through a path of the platform's own, not this program's. Its output comes through a
// pipe: here "vol" writes nothing into a file it is redirected to.
std::optional<uint32_t> SerialShownByVol() {
    struct Closed {
        void operator()(void* h) const { CloseHandle(h); }
    };
    using Handle = std::unique_ptr<void, Closed>;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
    Handle read(readEnd), write(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    PROCESS_INFORMATION pi{};
    std::string command = "cmd /c vol c:";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) return {};
    Handle process(pi.hProcess), thread(pi.hThread);
    write.reset();  // the pipe ends when the child's copy closes
    std::string text;
    char chunk[256];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
    WaitForSingleObject(pi.hProcess, 30000);
    const size_t at = text.find("Serial Number is ");
    unsigned high = 0, low = 0;
    if (at == std::string::npos || std::sscanf(text.c_str() + at + 17, "%4x-%4x", &high, &low) != 2) return {};
    return high << 16 | low;
}
}  // namespace

// Drive C's code: the serial read as a signed 32-bit number, written without its sign. A serial
// of 0x80000000 or more stands for serial - 2^32, whose size is 2^32 - serial.
TEST(AccessCode, TextOfDriveCsSerial) {
    const std::optional<uint32_t> shown = SerialShownByVol();
    ASSERT_TRUE(shown.has_value()) << "no serial from cmd /c vol c:";
    ASSERT_EQ(VolumeSerialNumber("C:\\"), shown);
    const uint64_t serial = *shown, size = serial < 0x80000000u ? serial : 0x100000000u - serial;
    EXPECT_EQ(AccessCodeText(static_cast<int32_t>(*shown)), std::to_string(size)) << std::hex << serial;
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
