#include "DirectXObjects.h"
#include "modDirectX8.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

SoundDeviceLister g_lister = nullptr;

BOOL CALLBACK AddListed(GUID* guid, const char*, const char*, void* context) {
    auto* list = static_cast<SoundDeviceList*>(context);
    list->push_back(guid ? std::optional<GUID>(*guid) : std::nullopt);
    return TRUE;
}

SoundDeviceList SystemSoundDevices() {
    SoundDeviceList list;
    if (DX) DX->DirectSoundEnumerate(&AddListed, &list);
    return list;
}

// Opens device on the first device listed; false when none is listed.
bool OpenSoundDevice(const char* procedure, ComRef<IDirectSound8>& device) {
    bool opened = false;
    Guard("modDirectX8", procedure, [&] {
        const SoundDeviceList listed = (g_lister ? g_lister : SystemSoundDevices)();
        if (listed.empty()) return;
        if (!DX) Raise(errObjectNotSet);
        const std::optional<GUID>& first = listed.front();
        RaiseOnFailure(DX->DirectSoundCreate(first ? &*first : nullptr, device.ReleaseAndGetAddressOf()));
        RaiseOnFailure(device->SetCooperativeLevel(MapHwnd, DSSCL_NORMAL));
        opened = true;
    });
    return opened;
}

}  // namespace

void SetSoundDeviceLister(SoundDeviceLister lister) { g_lister = lister; }

bool InitDSound() { return OpenSoundDevice("InitDSound", SoundDevice); }

bool InitDSound2() { return OpenSoundDevice("InitDSound2", AmbienceDevice); }

}  // namespace skx
