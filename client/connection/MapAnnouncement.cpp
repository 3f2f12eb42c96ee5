// The map announcement ("?"): the map the arena is played on, loaded from the Map folder when
// the file there has the announced size, else fetched from the game's web host first.
#include <windows.h>
#include <wininet.h>

#include <optional>

#include "ArenaHooks.h"
#include "ChatTimeStamp.h"
#include "ConnectionState.h"
#include "ReceiveTurns.h"
#include "FileServices.h"
#include "InternetFile.h"
#include "MainWindowLinks.h"
#include "MapFiles.h"
#include "MapRequest.h"
#include "ProgramSettings.h"
#include "ProtocolFrame.h"
#include "ReceiveBuffer.h"
#include "SettingsFiles.h"
#include "TextUtilities.h"
#include "WirelatchDispids.h"
#include "modEvents.h"
#include "runtime/Conversions.h"
#include "runtime/DispatchObject.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

// The length in bytes of an existing file; nothing when there is none.
std::optional<int64_t> ExistingFileLength(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!FileExist(path) || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool HasLength(const std::string& path, int32_t size) {
    const std::optional<int64_t> length = ExistingFileLength(path);
    return length && *length == size;
}

// The downloads of the present connection.
MapDownloadBudget& Downloads() {
    static MapDownloadBudget budget;
    return budget;
}

void MapFailed(const std::string& name) {
    if (ArenaHooks().GameLine) ArenaHooks().GameLine(ChatTimeStamp() + "Receiving Map '" + name + "' FAILED!", 255);
}

// The fetch's end, on the GUI thread: the map is loaded (or has failed) and the frames after its
// announcement go on, all only while the connection is still the one that asked for it (a
// Clean_Up since then has let the frames go and the fetch as well).
void MapFetched(uint64_t generation, const std::string& name, const std::string& path, int32_t size, bool saved) {
    if (generation != ConnectionGeneration()) return;
    ProcLine line;
    Guard("modEvents", "EventMAP", [&] {
        line.Line = 6;
        const ArenaHookTable& hooks = ArenaHooks();
        if (!saved && hooks.MapTransfer && hooks.MapTransfer().LastError() == ERROR_INTERNET_TIMEOUT) {
            Downloads().RanOutOfTime(GetTickCount());
        }
        if (saved && HasLength(path, size)) {
            LoadMap(name);
            return;
        }
        line.Line = 5;
        MapFailed(name);
    }, &line);
    // The frames behind the announcement go on once the map is in (a box inside the load keeps
    // them waiting), and only for the connection that asked.
    if (generation != ConnectionGeneration()) return;
    HoldFrames(false);
    ProcessData();
}

// Starts downloading the map into path, the frames held until it ends; false when no download
// may start (too large, the connection's budget spent, a transfer still running).
bool FetchMap(const std::string& name, const std::string& path, int32_t size) {
    const ArenaHookTable& hooks = ArenaHooks();
    if (size < 0 || size > MaxMapDownload || !hooks.MapTransfer || !Downloads().Allows(GetTickCount())) return false;
    // The settings may name the web host's map folder; else it is the game server's own host.
    std::string base = Trim(mfncGetFromIni(DatPath + GameDat, "LASTSERVER", "MapURL", false, ""));
    if (base.empty()) base = "http://" + MainSocket().PropertyGet(wl::HostName).ToString() + "/maps/";
    const uint64_t generation = ConnectionGeneration();
    const bool started = GetInternetFile(hooks.MapTransfer(), base + PercentEncode(name) + ".map", path,
                                         static_cast<uint32_t>(size), [generation, name, path, size](bool saved) {
                                             MapFetched(generation, name, path, size, saved);
                                         });
    if (!started) return false;
    Downloads().Started();
    HoldFrames(true);
    return true;
}

}  // namespace

void NewMapDownloads() {
    Downloads() = MapDownloadBudget{};
    // A fetch of the connection before is let go: its result is never loaded, and the next
    // connection's map is asked for afresh.
    if (ArenaHooks().MapTransfer) ArenaHooks().MapTransfer().Abandon();
}

void EventMAP(std::string& data) {
    ProcLine line;
    Guard("modEvents", "EventMAP", [&] {
        line.Line = 1;
        const std::vector<std::string> f = SplitB2(data, FieldSeparator);
        if (f.size() < 3 || f[0] != "ID") return;
        const std::string& name = f[1];
        // A name that could leave the Map folder or name a device touches no file.
        if (!IsAcceptableMapName(name)) {
            MapFailed(name);
            return;
        }
        line.Line = 2;
        MapName = name;
        const int32_t size = CLng(f[2]);
        line.Line = 3;
        const std::string path = MapPath + name + ".map";
        if (HasLength(path, size)) {
            LoadMap(name);
            return;
        }
        line.Line = 4;
        // The download ends on its own (MapFetched); the frames after this one wait for it.
        if (FetchMap(name, path, size)) return;
        line.Line = 5;
        MapFailed(name);
    }, &line);
}

}  // namespace skx
