#include "KeyboardMovement.h"

#include "TextUtilities.h"

namespace skx {

namespace {

struct MoveKey {
    int code;
    const char* steps;  // null: keypad 5, which re-centres the view
};

constexpr MoveKey KeypadKeys[] = {{71, "&north&west&"}, {72, "&north&"},       {73, "&north&east&"},
                                  {75, "&west&"},       {GameKey::Keypad5, nullptr}, {77, "&east&"},
                                  {79, "&south&west&"}, {80, "&south&"},       {81, "&south&east&"}};
constexpr MoveKey WasdKeys[] = {
    {GameKey::W, "&north&"}, {GameKey::A, "&west&"}, {GameKey::S, "&south&"}, {GameKey::D, "&east&"}};

template <size_t N>
const MoveKey* Find(const MoveKey (&keys)[N], int code) {
    for (const MoveKey& k : keys) {
        if (k.code == code) return &k;
    }
    return nullptr;
}

}  // namespace

std::vector<KeyAction> KeyActions(const std::array<uint8_t, 256>& state, const std::vector<uint32_t>& wentDown,
                                  MovementKeys mode) {
    std::vector<KeyAction> actions;
    if (wentDown.empty()) return actions;
    // Each key acts once: when it is down, or went down in the batch and was let go before
    // the state was read.
    std::array<bool, 256> acts{};
    for (uint32_t code : wentDown) {
        if (code < acts.size()) acts[code] = true;
    }
    for (size_t code = 0; code < state.size(); ++code) {
        if (state[code] == 0x80) acts[code] = true;
    }
    for (int code = 0; code < static_cast<int>(acts.size()); ++code) {
        if (!acts[static_cast<size_t>(code)]) continue;
        const MoveKey* key = mode == MovementKeys::Keypad ? Find(KeypadKeys, code)
                             : mode == MovementKeys::WASD ? Find(WasdKeys, code)
                                                          : nullptr;
        if (key) {
            if (key->steps) actions.push_back({KeyAction::Kind::Move, key->steps});
            else actions.push_back({KeyAction::Kind::Center, {}});
        } else if (code == GameKey::Enter) {
            actions.push_back({KeyAction::Kind::SendEntryLine, {}});
        }
    }
    return actions;
}

std::optional<EntryLineSend> EntryLineCommand(const std::string& text, bool autoChat) {
    const std::string line = Compress2(text, " ", 0);
    if (line.empty()) return std::nullopt;
    EntryLineSend send{line, {}, CleanString(line)};
    if (line[0] == '/' || line[0] == '\\') {
        send.command = CleanString(line.substr(1));
    } else if (autoChat) {
        send.command = "c " + CleanString(line);
    } else {
        send.command = CleanString(line);
    }
    return send;
}

std::string EntryLineText(const std::string& text) {
    std::string cleaned = CleanString(text);
    if (cleaned.size() > MaxEntryLength) cleaned.resize(MaxEntryLength);
    return cleaned;
}

}  // namespace skx
