#include "SettingsFiles.h"

#include <windows.h>

#include "AccessCode.h"
#include "FileServices.h"
#include "LetterPairCipher.h"
#include "ProgramSettings.h"
#include "ServerSettings.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
// A read buffer one longer than the longest value, so a 255-character value reads whole.
constexpr DWORD ReadBufferSize = MaxIniValue + 1;
}  // namespace

std::string MachinePassword() { return Left(AccessCodeText(AccessCode), 4); }

std::string mfncGetFromIni(const std::string& File, const std::string& Section, const std::string& Key,
                           bool Encrypted, const std::string& Default, const std::string& Password) {
    std::string result;
    Guard("modFileControl", "mfncGetFromIni", [&] {
        // A value the server set that waits for its write is the current one.
        if (!Encrypted) {
            if (std::optional<std::string> waiting = WaitingServerSetting(File, Section, Key)) {
                result = Trim(*waiting).empty() ? Default : *waiting;
                return;
            }
        }
        if (!FileExist(File, 0)) {
            result = Default;
            return;
        }
        char buffer[ReadBufferSize] = {};
        DWORD n = GetPrivateProfileStringA(Section.c_str(), Key.c_str(), "", buffer, ReadBufferSize,
                                           File.c_str());
        std::string raw(buffer, n < ReadBufferSize ? n : ReadBufferSize - 1);
        if (Encrypted) {
            clsHighEnc cipher;
            cipher.SetDataIn(raw);
            cipher.SetPassword(Password.empty() ? MachinePassword() : Password);
            cipher.Decrypt();
            result = Trim(cipher.DataOut()).empty() ? Default : cipher.DataOut();
        } else {
            result = Trim(raw).empty() ? Default : raw;
        }
        if (Trim(result).empty()) result = Default;
    });
    return result;
}

int16_t mfncWriteIni(const std::string& File, const std::string& Section, const std::string& Key,
                     const std::string& Value, bool Encrypted, const std::optional<std::string>& Password) {
    int16_t result = 0;
    Guard("modFileControl", "mfncWriteIni", [&] {
        std::string text;
        if (Encrypted) {
            clsHighEnc cipher;
            cipher.SetDataIn(Value);
            cipher.SetPassword(Password ? *Password : MachinePassword());
            cipher.Crypt();
            text = cipher.DataOut();
            // A cut cipher text would decipher into something else: store nothing instead.
            if (text.size() > static_cast<size_t>(MaxIniValue)) return;
        } else {
            text = Left(Value, MaxIniValue);
        }
        DropWaitingServerSetting(File, Section, Key);
        BOOL written = WritePrivateProfileStringA(Section.c_str(), Key.c_str(), text.c_str(), File.c_str());
        result = written ? 1 : 0;
    });
    return result;
}

std::vector<std::string> IniKeys(const std::string& File, const std::string& Section) {
    std::vector<std::string> keys;
    Guard("modFileControl", "IniKeys", [&] {
        if (!FileExist(File, 0)) return;
        // The names, each ended by a null character; the buffer grows until they all fit.
        for (DWORD size = 4096;; size *= 2) {
            std::string buffer(size, '\0');
            const DWORD n = GetPrivateProfileStringA(Section.c_str(), nullptr, "", buffer.data(), size, File.c_str());
            if (n + 2 < size || size >= (1u << 24)) {
                for (size_t at = 0; at < n;) {
                    const size_t end = buffer.find('\0', at);
                    if (end == std::string::npos || end > n) break;
                    if (end > at) keys.push_back(buffer.substr(at, end - at));
                    at = end + 1;
                }
                return;
            }
        }
    });
    // Keys whose first value still waits for its write count as well.
    for (const std::string& key : WaitingServerSettingKeys(File, Section)) {
        bool known = false;
        for (const std::string& k : keys) known = known || LCase(Trim(k)) == LCase(Trim(key));
        if (!known) keys.push_back(key);
    }
    return keys;
}

std::string ReadWholeIniValue(const std::string& File, const std::string& Section, const std::string& Key) {
    std::string result;
    Guard("modFileControl", "mfncGetFromIni", [&] {
        if (!FileExist(File, 0)) return;
        // The buffer grows until the value fits (the platform fills it to size - 1 when cut).
        for (DWORD size = 1024;; size *= 2) {
            std::string buffer(size, '\0');
            const DWORD n = GetPrivateProfileStringA(Section.c_str(), Key.c_str(), "", buffer.data(), size, File.c_str());
            if (n < size - 1 || size >= (1u << 24)) {
                result.assign(buffer.data(), n < size ? n : size - 1);
                return;
            }
        }
    });
    return result;
}

int16_t WriteWholeIniValue(const std::string& File, const std::string& Section, const std::string& Key,
                           const std::string& Value) {
    int16_t result = 0;
    Guard("modFileControl", "mfncWriteIni", [&] {
        result = WritePrivateProfileStringA(Section.c_str(), Key.c_str(), Value.c_str(), File.c_str()) ? 1 : 0;
    });
    return result;
}

}  // namespace skx
