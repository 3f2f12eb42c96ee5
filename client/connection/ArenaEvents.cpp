// The handlers of the arena commands: outlines, objects, splats, the target, other players and
// the own player, the view centring, players logging in and out, light and weather, and the
// two direction scanners. The map announcement is in MapAnnouncement.cpp.
#include <algorithm>
#include <string>
#include <vector>

#include "AccountState.h"
#include "ArenaHooks.h"
#include "ArenaModel.h"
#include "ConnectionState.h"
#include "MapFiles.h"
#include "OptionMenuItems.h"
#include "ProtocolFrame.h"
#include "ServerTextBoxes.h"
#include "TextUtilities.h"
#include "ViewServices.h"
#include "modEvents.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr const char* Module = "modEvents";

std::vector<std::string> Fields(const std::string& data) { return SplitB2(data, FieldSeparator); }

// A field read as a number, in single precision.
float Number(const std::string& text) { return CSng(Val(text)); }

// A coordinate of C, E, G, F and R: the number when it is 0 or more, else -1.
float Coordinate(const std::string& text) {
    const float value = Number(text);
    return value >= 0 ? value : -1.0f;
}

bool Asked(const std::function<bool()>& hook) { return hook && hook(); }

// E, G, F and R: another player's square, index and level.
void OtherPlayer(const char* procedure, const std::string& data, int32_t kind) {
    Guard(Module, procedure, [&] {
        const std::vector<std::string> f = Fields(data);
        if (f.size() != 4) return;
        MapPoint pos{Coordinate(f[0]), Coordinate(f[1])};
        if (pos.x <= -1 || pos.y <= -1) return;
        const int16_t index = CInt(f[2]);
        const int16_t level = CInt(f[3]);
        DrawPlayer(pos, index, kind, level);
    });
}

// The step sound of the terrain under the own square.
int16_t StepSound() {
    const int32_t x = CLng(static_cast<double>(OwnPosition.x));
    const int32_t y = CLng(static_cast<double>(OwnPosition.y));
    if (IsTerrain(x, y, 3) || IsTerrain(x, y, 4)) return 6;  // WATER
    if (IsTerrain(x, y, 1)) return 11;                       // SNOW
    return 5;                                                // STEP
}

// True on the secret store's square (and on none of the other four) for an account that sees it.
bool OnSecretStore() {
    auto on = [](const StoreRecord& store) { return OwnPosition.x == store.X && OwnPosition.y == store.Y; };
    for (size_t i = 0; i < 4; ++i) {
        if (on(Stores[i])) return false;
    }
    return AccessLevel >= 95 && on(Stores[4]);
}

}  // namespace

void EventLB(std::string&) {
    Guard(Module, "EventLB", [] { MapOutline.Fill(0); });
}

void EventLG(std::string& data) {
    Guard(Module, "EventLG", [&] {
        const std::vector<std::string> f = Fields(data);
        if (f.size() != 4) return;
        const int16_t x = CInt(Val(f[0])), y = CInt(Val(f[1]));
        const int16_t width = CInt(Val(f[2])), height = CInt(Val(f[3]));
        // Sixteen-bit sums, as the corners are kept.
        const int16_t right = CInt(x + width), bottom = CInt(y + height);
        // The border, round the map's edges; a negative remainder is outside the grid (error 9).
        // A side longer than the arena wraps onto squares already set: each loop stops after
        // one round (where a negative start fails, it fails within its first two steps).
        const int32_t lastColumn = std::min<int32_t>(right, x + ArenaSize - 1);
        const int32_t lastRow = std::min<int32_t>(bottom, y + ArenaSize - 1);
        for (int32_t i = x; i <= lastColumn; ++i) {
            MapOutline(i % ArenaSize, y % ArenaSize) = -1;
            MapOutline(i % ArenaSize, bottom % ArenaSize) = -1;
        }
        for (int32_t j = y; j <= lastRow; ++j) {
            MapOutline(x % ArenaSize, j % ArenaSize) = -1;
            MapOutline(right % ArenaSize, j % ArenaSize) = -1;
        }
    });
}

void EventUC(std::string& data) {
    Guard(Module, "EventUC", [&] {
        const std::vector<std::string> f = Fields(data);
        if (f.size() < 3) return;
        const float x = Coordinate(f[0]), y = Coordinate(f[1]);
        if (x <= -1 || y <= -1) return;
        int16_t cx = CInt(static_cast<double>(x)), cy = CInt(static_cast<double>(y));
        Clear_Square(cx, cy);
    });
}

void EventLO(std::string& data) {
    Guard(Module, "EventLO", [&] {
        const std::vector<std::string> f = Fields(data);
        if (f.size() < 4) return;
        MapPoint pos{Number(f[0]), Number(f[1])};
        // A new object clears its square first, unless the second field reads as 2.
        if (Val(f[1]) != 2) {
            int16_t cx = CInt(static_cast<double>(pos.x)), cy = CInt(static_cast<double>(pos.y));
            Clear_Square(cx, cy);
        }
        const int32_t layer = CLng(Val(f[2]));
        const int16_t value = CInt(Val(f[3]));
        DrawObject(pos, layer, value);
    });
}

void EventLD(std::string& data) {
    Guard(Module, "EventLD", [&] {
        const std::vector<std::string> pieces = SplitB2(data, ";");
        if (pieces.size() != 2) return;
        TargetPosition.x = Number(pieces[0]);
        TargetPosition.y = Number(pieces[1]);
        Clear_Targets();
        if (TargetPosition.x != -1 && TargetPosition.y != -1) DrawObject(TargetPosition, DrawObjectKind::Target, 1);
    });
}

void EventUS(std::string&) { Clear_Splats(); }

void EventUB(std::string& data) {
    Guard(Module, "EventUB", [&] { BotSplats = CLng(Val(data)); });
}

void EventUE(std::string& data) { OtherPlayer("EventUE", data, 1); }
void EventUG(std::string& data) { OtherPlayer("EventUG", data, 2); }
void EventUF(std::string& data) { OtherPlayer("EventUF", data, 3); }
void EventUR(std::string& data) { OtherPlayer("EventUR", data, 4); }

void EventUP(std::string& data) {
    ProcLine line;
    Guard(Module, "EventUP", [&] {
        line.Line = 1;
        const std::vector<std::string> f = Fields(data);
        if (f.size() < 4) {
            ServerTextPlainBox("EventUP", "< 3");
            return;
        }
        line.Line = 2;
        const float x = Number(f[0]), y = Number(f[1]);
        // A square off the map moves nothing: not the target, the position, the sprite or the view.
        const int16_t column = CInt(static_cast<double>(x)), row = CInt(static_cast<double>(y));
        if (column < 0 || column >= ArenaSize || row < 0 || row >= ArenaSize) Raise(errSubscriptOutOfRange);
        if (MoveTarget.x == OwnPosition.x) MoveTarget.x = x;
        if (MoveTarget.y == OwnPosition.y) MoveTarget.y = y;
        line.Line = 3;
        OwnPosition = MapPoint{x, y};
        line.Line = 4;
        const int16_t index = CInt(f[2]);
        const int16_t level = CInt(f[3]);
        DrawPlayer(OwnPosition, index, 0, level);
        line.Line = 5;
        View().PlaySound(StepSound());
        line.Line = 6;
        if (OnSecretStore()) return;
        line.Line = 7;
        if (MenuChecked(MenuOption::AutoCenter)) {
            bool announce = false;
            Screen_Center(announce);
        }
    }, &line);
}

void EventUU(std::string&) {
    bool announce = true;
    Screen_Center(announce);
}

void EventUL(std::string& data) {
    Guard(Module, "EventUL", [&] {
        const std::vector<std::string> f = Fields(data);
        if (f[0] == "0") {
            if (f.size() == 2) Logged_Out(CInt(f[1]));
        } else if (f.size() == 4) {
            Logged_In(f[2], f[3], CInt(f[1]));
        }
    });
}

void EventLR(std::string& data) {
    Guard(Module, "EventLR", [&] {
        const std::vector<std::string> f = Fields(data);
        if (f.size() < 3) return;
        const std::string sw = UCase(f[0]);
        if (sw == "L") {
            View().SetAtmosphere(CByte(f[1]));
        } else if (sw == "W") {
            const std::string& weather = f[1];
            if (weather == "0" || weather == "1" || weather == "2" || weather == "3") {
                if (SnowOn) View().UninitSnow();
                if (RainOn) View().UninitRain();
                if (LightningOn) View().UninitLightning();
                if (weather == "1") {
                    View().InitRain();
                    View().InitLightning();
                } else if (weather == "2") {
                    View().InitSnow();
                }
            }
            if (f.size() < 4) Raise(errSubscriptOutOfRange);
            if (ArenaHooks().SetMapCaption) ArenaHooks().SetMapCaption("Map Display [" + f[3] + "]");
        }
    });
}

void EventLY(std::string& data) {
    Guard(Module, "EventLY", [&] {
        if (Asked(ArenaHooks().ScannerVisible)) View().BotScan(data);
    });
}

void EventLZ(std::string& data) {
    Guard(Module, "EventLZ", [&] {
        if (Asked(ArenaHooks().ScannerVisible)) View().PlayerScan(data);
    });
}

}  // namespace skx
