#include "ScannerPanel.h"

#include "FacedPicture.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

ScannerPanel* current = nullptr;

// The places of a display (row by row) and the direction each stands for.
const char* const PlaceSuffix[9] = {"NW", "N", "NE", "W", "", "E", "SW", "S", "SE"};
const char* const PlaceDirection[9] = {"NorthWest", "North", "NorthEast", "West", nullptr,
                                       "East",      "SouthWest", "South", "SouthEast"};
constexpr int Centre = 4;
// The darkening order, then the place lit by each ScanDirection code 1 to 8.
constexpr int DarkOrder[8] = {0, 3, 6, 1, 7, 2, 5, 8};
constexpr int PlaceOfCode[9] = {-1, 1, 7, 5, 3, 0, 2, 6, 8};
// The picture keys: "b" dark, "r" lit, then the direction.
const char* const PictureKeys[16] = {"bNorth", "bNorthEast", "bEast", "bSouthEast", "bSouth", "bSouthWest",
                                     "bWest",  "bNorthWest", "rNorth", "rNorthEast", "rEast", "rSouthEast",
                                     "rSouth", "rSouthWest", "rWest", "rNorthWest"};

const char* const TargetCommands[9] = {"target 'north west'", "target north",        "target 'north east'",
                                       "target west",         "target east",         "target 'south west'",
                                       "target south",        "target 'south east'", "target off"};

template <size_t... I>
std::array<Button, 9> MakePlaces(ControlHost& host, int baseId, const std::string& prefix, std::index_sequence<I...>) {
    return {{Button(host, baseId + static_cast<int>(I), prefix + PlaceSuffix[I])...}};
}

}  // namespace

ScannerDisplay::ScannerDisplay(ControlHost& host, int baseId, const std::string& prefix)
    : places(MakePlaces(host, baseId, prefix, std::make_index_sequence<9>{})) {}

ScannerPanel::ScannerPanel() : DialogPage("frmMain", IDD_SCANNER) { current = this; }

ScannerPanel::~ScannerPanel() {
    if (current == this) current = nullptr;
}

ScannerPanel* ScannerPanel::Current() { return current; }

const char* ScannerPanel::TargetCommand(int index) {
    return index >= 0 && index < 9 ? TargetCommands[index] : "";
}

bool ScannerPanel::Create(HWND parent) {
    if (!DialogPage::Create(parent)) return false;
    ShowWindow(hWnd(), SW_SHOWNA);
    for (int i = 0; i < 9; ++i) {
        auto& picture = targetPictures_[static_cast<size_t>(i)];
        const std::string name = "TARGET_" + std::to_string(i);
        picture = LoadFacedPicture(name.c_str());
        if (HWND button = cmdTarget[static_cast<size_t>(i)].hWnd()) {
            SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.Get()));
        }
    }
    for (ScannerDisplay* display : {&Bots, &PlayersShown}) {
        for (int place : DarkOrder) Show(*display, place, std::string("b") + PlaceDirection[place]);
    }
    return true;
}

HBITMAP ScannerPanel::Picture(const std::string& key) {
    for (size_t i = 0; i < pictures_.size(); ++i) {
        if (key != PictureKeys[i]) continue;
        if (!pictures_[i]) {
            pictures_[i].Reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), key.c_str(), IMAGE_BITMAP, 0, 0, 0)));
        }
        return pictures_[i].Get();
    }
    return nullptr;
}

void ScannerPanel::Show(ScannerDisplay& display, int place, const std::string& key) {
    display.shown[static_cast<size_t>(place)] = key;
    Button& button = display.places[static_cast<size_t>(place)];
    if (HWND h = button.hWnd()) SendMessageA(h, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(Picture(key)));
}

void ScannerPanel::BotScan(std::string& sDirection) {
    Guard("frmMain", "BotScan", [&] { Scan(Bots, sDirection); });
}

void ScannerPanel::PlayerScan(std::string& sDirection) {
    Guard("frmMain", "PlayerScan", [&] { Scan(PlayersShown, sDirection); });
}

void ScannerPanel::Scan(ScannerDisplay& display, const std::string& sDirection) {
    for (int place : DarkOrder) Show(display, place, std::string("b") + PlaceDirection[place]);
    const int code = CInt(sDirection);
    if (code < 1 || code > 8) return;
    const int place = PlaceOfCode[code];
    Show(display, place, std::string("r") + PlaceDirection[place]);
}

}  // namespace skx
