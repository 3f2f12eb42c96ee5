#include "ServerSettings.h"

#include <windows.h>

#include <map>
#include <tuple>

#include "SettingsFiles.h"
#include "runtime/Conversions.h"

namespace skx {

namespace {

struct Waiting {
    std::string file, section, key, value;
};
using Name = std::tuple<std::string, std::string, std::string>;

struct ServerWrites {
    std::map<Name, Waiting> waiting;
    DWORD lastWrite = 0;
    bool written = false;  // lastWrite holds a time
    UINT_PTR timer = 0;
};
ServerWrites& Writes() {
    static ServerWrites writes;
    return writes;
}

Name NameOf(const std::string& file, const std::string& section, const std::string& key) {
    return {LCase(file), LCase(section), LCase(Trim(key))};
}

// The stored text as it reads back ("" for a missing or blank value).
std::string Stored(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[MaxIniValue + 1] = {};
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, file.c_str());
    const std::string raw(buffer, n < sizeof buffer ? n : sizeof buffer - 1);
    return Trim(raw).empty() ? std::string() : raw;
}

void WriteNow(const std::string& file, const std::string& section, const std::string& key, const std::string& value) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

void CALLBACK TimerTick(HWND, UINT, UINT_PTR, DWORD) { FlushServerSettings(); }

// The thread's timer, due when the interval since the last write is over.
void ArmTimer() {
    ServerWrites& w = Writes();
    if (w.timer) return;
    const DWORD since = GetTickCount() - w.lastWrite;
    const UINT due = since >= ServerSettingsIntervalMs ? USER_TIMER_MINIMUM : ServerSettingsIntervalMs - since;
    w.timer = SetTimer(nullptr, 0, due, TimerTick);
}

}  // namespace

void WriteServerSetting(const std::string& File, const std::string& Section, const std::string& Key,
                        const std::string& Value) {
    ServerWrites& w = Writes();
    const std::string value = Left(Value, MaxIniValue);
    const std::string shown = Trim(value).empty() ? std::string() : value;
    const Name name = NameOf(File, Section, Key);
    const auto at = w.waiting.find(name);
    if (at != w.waiting.end() && at->second.value == value) return;
    if (shown == Stored(File, Section, Key)) {
        if (at != w.waiting.end()) w.waiting.erase(at);  // back to what the file holds
        return;
    }
    if (w.waiting.empty() && (!w.written || GetTickCount() - w.lastWrite >= ServerSettingsIntervalMs)) {
        WriteNow(File, Section, Key, value);
        w.lastWrite = GetTickCount();
        w.written = true;
        return;
    }
    w.waiting[name] = Waiting{File, Section, Key, value};
    ArmTimer();
}

void FlushServerSettings() {
    ServerWrites& w = Writes();
    if (w.timer) {
        KillTimer(nullptr, w.timer);
        w.timer = 0;
    }
    if (w.waiting.empty()) return;
    std::map<Name, Waiting> due;
    due.swap(w.waiting);
    for (const auto& [name, entry] : due) WriteNow(entry.file, entry.section, entry.key, entry.value);
    w.lastWrite = GetTickCount();
    w.written = true;
}

size_t WaitingServerSettings() { return Writes().waiting.size(); }

std::optional<std::string> WaitingServerSetting(const std::string& File, const std::string& Section,
                                                const std::string& Key) {
    const ServerWrites& w = Writes();
    if (w.waiting.empty()) return std::nullopt;
    const auto at = w.waiting.find(NameOf(File, Section, Key));
    if (at == w.waiting.end()) return std::nullopt;
    return at->second.value;
}

std::vector<std::string> WaitingServerSettingKeys(const std::string& File, const std::string& Section) {
    std::vector<std::string> keys;
    const std::string file = LCase(File), section = LCase(Section);
    for (const auto& [name, entry] : Writes().waiting) {
        if (std::get<0>(name) == file && std::get<1>(name) == section) keys.push_back(entry.key);
    }
    return keys;
}

void DropWaitingServerSetting(const std::string& File, const std::string& Section, const std::string& Key) {
    ServerWrites& w = Writes();
    if (!w.waiting.empty()) w.waiting.erase(NameOf(File, Section, Key));
}

}  // namespace skx
