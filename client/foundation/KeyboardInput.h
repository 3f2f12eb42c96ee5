// The keyboard through DirectInput 8: a buffered (10 key events), non-exclusive background
// device whose notification event wakes the GUI thread; each notification reaches the owner
// window as the message KeyboardInput::NotifyMessage, on which the window reads the buffered
// key events.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

struct IDirectInput8A;
struct IDirectInputDevice8A;

namespace skx {

struct KeyEvent {
    uint32_t ScanCode;  // DIK_ code
    bool Down;
};

class KeyboardInput {
public:
    static constexpr UINT NotifyMessage = WM_APP + 0x101;
    static constexpr int BufferSize = 10;

    KeyboardInput() = default;
    ~KeyboardInput() { Release(); }
    KeyboardInput(const KeyboardInput&) = delete;
    KeyboardInput& operator=(const KeyboardInput&) = delete;

    // Creates, configures and acquires the keyboard for the window; raises the failing step's
    // result as a run-time error (the steps after it do not run).
    void SetUp(HWND window);
    // Destroys the notification event, then releases the device and the DirectInput object.
    void Release();

    bool HasEvent() const { return event_ != nullptr; }
    bool Acquired() const { return acquired_; }
    bool HasDevice() const { return device_ != nullptr; }
    // Reads the buffered key events (re-acquiring once when the device was lost).
    std::vector<KeyEvent> ReadEvents();
    // The immediate state of every key, one byte per DIK_ code (0x80 held); all zero when the
    // device cannot be read.
    std::array<uint8_t, 256> ReadState();

private:
    static void CALLBACK Signalled(void* context, BOOLEAN timedOut);

    IDirectInput8A* input_ = nullptr;
    IDirectInputDevice8A* device_ = nullptr;
    HANDLE event_ = nullptr;
    HANDLE wait_ = nullptr;
    HWND window_ = nullptr;
    bool acquired_ = false;
};

}  // namespace skx
