#define DIRECTINPUT_VERSION 0x0800
#include "KeyboardInput.h"

#include <dinput.h>

#include "runtime/RunTimeError.h"

namespace skx {

namespace {
void Check(HRESULT hr, const char* step) {
    if (FAILED(hr)) Raise(static_cast<int32_t>(hr), "DirectInput", std::string(step) + " failed");
}
}  // namespace

void KeyboardInput::SetUp(HWND window) {
    Release();
    window_ = window;
    Check(DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                             reinterpret_cast<void**>(&input_), nullptr),
          "DirectInputCreate");
    Check(input_->CreateDevice(GUID_SysKeyboard, &device_, nullptr), "CreateDevice");
    Check(device_->SetDataFormat(&c_dfDIKeyboard), "SetCommonDataFormat");
    Check(device_->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), "SetCooperativeLevel");
    event_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!event_) Raise(static_cast<int32_t>(GetLastError()), "DirectInput", "CreateEvent failed");
    // The event is waited on by the system's wait thread; the callback only posts to the window,
    // so every key event is handled on the GUI thread.
    if (!RegisterWaitForSingleObject(&wait_, event_, &KeyboardInput::Signalled, this, INFINITE,
                                     WT_EXECUTEDEFAULT)) {
        wait_ = nullptr;
        Raise(static_cast<int32_t>(GetLastError()), "DirectInput", "CreateEvent failed");
    }
    Check(device_->SetEventNotification(event_), "SetEventNotification");
    DIPROPDWORD prop{};
    prop.diph.dwSize = sizeof prop;
    prop.diph.dwHeaderSize = sizeof prop.diph;
    prop.diph.dwObj = 0;
    prop.diph.dwHow = DIPH_DEVICE;
    prop.dwData = BufferSize;
    Check(device_->SetProperty(DIPROP_BUFFERSIZE, &prop.diph), "SetProperty");
    Check(device_->Acquire(), "Acquire");
    acquired_ = true;
}

void CALLBACK KeyboardInput::Signalled(void* context, BOOLEAN) {
    auto* self = static_cast<KeyboardInput*>(context);
    if (self->window_) PostMessageA(self->window_, NotifyMessage, 0, 0);
}

void KeyboardInput::Release() {
    if (wait_) {
        // Waits for a running callback to finish, so none runs after this.
        UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
        wait_ = nullptr;
    }
    if (device_) {
        device_->SetEventNotification(nullptr);
        if (acquired_) device_->Unacquire();
    }
    if (event_) {
        CloseHandle(event_);
        event_ = nullptr;
    }
    if (device_) {
        device_->Release();
        device_ = nullptr;
    }
    if (input_) {
        input_->Release();
        input_ = nullptr;
    }
    acquired_ = false;
    window_ = nullptr;
}

std::array<uint8_t, 256> KeyboardInput::ReadState() {
    std::array<uint8_t, 256> state{};
    if (!device_) return state;
    HRESULT hr = device_->GetDeviceState(static_cast<DWORD>(state.size()), state.data());
    if (hr == DIERR_INPUTLOST || hr == DIERR_NOTACQUIRED) {
        if (FAILED(device_->Acquire())) return state;
        hr = device_->GetDeviceState(static_cast<DWORD>(state.size()), state.data());
    }
    if (FAILED(hr)) state.fill(0);
    return state;
}

std::vector<KeyEvent> KeyboardInput::ReadEvents() {
    std::vector<KeyEvent> out;
    if (!device_) return out;
    DIDEVICEOBJECTDATA data[BufferSize];
    DWORD count = BufferSize;
    HRESULT hr = device_->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), data, &count, 0);
    if (hr == DIERR_INPUTLOST || hr == DIERR_NOTACQUIRED) {
        if (FAILED(device_->Acquire())) return out;
        count = BufferSize;
        hr = device_->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), data, &count, 0);
    }
    if (FAILED(hr)) return out;
    for (DWORD i = 0; i < count && i < static_cast<DWORD>(BufferSize); ++i) {
        out.push_back(KeyEvent{data[i].dwOfs, (data[i].dwData & 0x80) != 0});
    }
    return out;
}

}  // namespace skx
