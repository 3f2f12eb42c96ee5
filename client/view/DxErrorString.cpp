#include "DxErrorString.h"

#include <windows.h>
#include <mmsystem.h>

#include <d3d8.h>
#include <dinput.h>
#include <dsound.h>

namespace skx {

namespace {

struct Entry {
    // Some headers spell codes as unsigned numbers, others as HRESULTs: both fit a long long.
    Entry(long long code, const char* n, const char* s) : hr(static_cast<uint32_t>(code)), name(n), sentence(s) {}
    uint32_t hr;
    const char* name;
    const char* sentence;
};

// Codes that two families share (DSERR_INVALIDPARAM is E_INVALIDARG) are named once, by
// their common COM name.
const Entry kEntries[] = {
    {D3DERR_WRONGTEXTUREFORMAT, "D3DERR_WRONGTEXTUREFORMAT", "The texture's pixel format cannot be used here."},
    {D3DERR_UNSUPPORTEDCOLOROPERATION, "D3DERR_UNSUPPORTEDCOLOROPERATION", "The device cannot blend colours this way."},
    {D3DERR_UNSUPPORTEDCOLORARG, "D3DERR_UNSUPPORTEDCOLORARG", "The device cannot take this colour argument."},
    {D3DERR_UNSUPPORTEDALPHAOPERATION, "D3DERR_UNSUPPORTEDALPHAOPERATION", "The device cannot blend alpha this way."},
    {D3DERR_UNSUPPORTEDALPHAARG, "D3DERR_UNSUPPORTEDALPHAARG", "The device cannot take this alpha argument."},
    {D3DERR_TOOMANYOPERATIONS, "D3DERR_TOOMANYOPERATIONS",
     "More texture operations were asked for than the device has."},
    {D3DERR_CONFLICTINGTEXTUREFILTER, "D3DERR_CONFLICTINGTEXTUREFILTER", "The texture filters set do not go together."},
    {D3DERR_UNSUPPORTEDFACTORVALUE, "D3DERR_UNSUPPORTEDFACTORVALUE", "The device cannot take this texture factor."},
    {D3DERR_CONFLICTINGRENDERSTATE, "D3DERR_CONFLICTINGRENDERSTATE", "The render states set do not go together."},
    {D3DERR_UNSUPPORTEDTEXTUREFILTER, "D3DERR_UNSUPPORTEDTEXTUREFILTER", "The device cannot filter textures this way."},
    {D3DERR_CONFLICTINGTEXTUREPALETTE, "D3DERR_CONFLICTINGTEXTUREPALETTE", "The textures set use different palettes."},
    {D3DERR_DRIVERINTERNALERROR, "D3DERR_DRIVERINTERNALERROR", "The display driver failed inside."},
    {D3DERR_NOTFOUND, "D3DERR_NOTFOUND", "What was asked for does not exist."},
    {D3DERR_MOREDATA, "D3DERR_MOREDATA", "The buffer given is too small for the data."},
    {D3DERR_DEVICELOST, "D3DERR_DEVICELOST", "The device is lost and cannot be reset yet."},
    {D3DERR_DEVICENOTRESET, "D3DERR_DEVICENOTRESET", "The device was lost and can be reset now."},
    {D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE", "The device does not offer what was asked for."},
    {D3DERR_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY", "The display memory is used up."},
    {D3DERR_INVALIDDEVICE, "D3DERR_INVALIDDEVICE", "No device of the type asked for exists."},
    {D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL", "The call is not valid, or one of its arguments is not."},
    {D3DERR_DRIVERINVALIDCALL, "D3DERR_DRIVERINVALIDCALL", "The display driver refused the call."},
    {D3DXERR_INVALIDDATA, "D3DXERR_INVALIDDATA", "The bitmap is missing, cannot be read or has the wrong size."},
    {DSERR_ALLOCATED, "DSERR_ALLOCATED", "The sound device is in use by another program."},
    {DSERR_CONTROLUNAVAIL, "DSERR_CONTROLUNAVAIL", "The sound buffer lacks the control asked for."},
    {DSERR_INVALIDCALL, "DSERR_INVALIDCALL", "The sound call is not valid in the object's present state."},
    {DSERR_PRIOLEVELNEEDED, "DSERR_PRIOLEVELNEEDED", "The call needs a higher co-operative level."},
    {DSERR_BADFORMAT, "DSERR_BADFORMAT", "The wave format is not supported."},
    {DSERR_NODRIVER, "DSERR_NODRIVER", "There is no sound driver."},
    {DSERR_ALREADYINITIALIZED, "DSERR_ALREADYINITIALIZED", "The sound object was set up already."},
    {DSERR_BUFFERLOST, "DSERR_BUFFERLOST", "The sound buffer's memory was lost and must be restored."},
    {DSERR_OTHERAPPHASPRIO, "DSERR_OTHERAPPHASPRIO", "Another program holds the sound device at a higher priority."},
    {DSERR_UNINITIALIZED, "DSERR_UNINITIALIZED", "The sound object was not set up."},
    {DSERR_BUFFERTOOSMALL, "DSERR_BUFFERTOOSMALL", "The sound buffer is too small."},
    {DSERR_DS8_REQUIRED, "DSERR_DS8_REQUIRED", "The call needs a DirectSound 8 object."},
    {DSERR_SENDLOOP, "DSERR_SENDLOOP", "The sound effects would feed each other in a loop."},
    {DSERR_BADSENDBUFFERGUID, "DSERR_BADSENDBUFFERGUID", "The buffer to send to is not valid."},
    {DSERR_FXUNAVAILABLE, "DSERR_FXUNAVAILABLE", "The sound effect is not available."},
    {DSERR_OBJECTNOTFOUND, "DSERR_OBJECTNOTFOUND", "The sound object asked for was not found."},
    {DIERR_OLDDIRECTINPUTVERSION, "DIERR_OLDDIRECTINPUTVERSION", "A newer DirectInput is needed."},
    {DIERR_BETADIRECTINPUTVERSION, "DIERR_BETADIRECTINPUTVERSION",
     "The program was built for a test version of DirectInput."},
    {DIERR_BADDRIVERVER, "DIERR_BADDRIVERVER", "The input driver is of the wrong version."},
    {DIERR_NOTFOUND, "DIERR_NOTFOUND", "The input device or object was not found."},
    {DIERR_NOTINITIALIZED, "DIERR_NOTINITIALIZED", "The input object was not set up."},
    {DIERR_ALREADYINITIALIZED, "DIERR_ALREADYINITIALIZED", "The input object was set up already."},
    {DIERR_INPUTLOST, "DIERR_INPUTLOST", "Access to the input device was lost and must be acquired again."},
    {DIERR_ACQUIRED, "DIERR_ACQUIRED", "The input device is acquired, so this cannot be done."},
    {DIERR_NOTACQUIRED, "DIERR_NOTACQUIRED", "The input device is not acquired."},
    {DIERR_INSUFFICIENTPRIVS, "DIERR_INSUFFICIENTPRIVS", "The program lacks the rights for this."},
    {DIERR_DEVICEFULL, "DIERR_DEVICEFULL", "The input device is full."},
    {DIERR_MOREDATA, "DIERR_MOREDATA", "Not all of the input data fits the buffer."},
    {DIERR_NOTBUFFERED, "DIERR_NOTBUFFERED", "The input device is not buffered."},
    {DIERR_UNPLUGGED, "DIERR_UNPLUGGED", "The input device was unplugged."},
    {E_FAIL, "E_FAIL", "The call failed for an unstated reason."},
    {E_INVALIDARG, "E_INVALIDARG", "An argument of the call is not valid."},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY", "There is not enough memory."},
    {E_NOTIMPL, "E_NOTIMPL", "The object does not offer this."},
    {E_NOINTERFACE, "E_NOINTERFACE", "The object does not have the interface asked for."},
    {E_POINTER, "E_POINTER", "A pointer argument is not valid."},
    {E_ACCESSDENIED, "E_ACCESSDENIED", "Access was denied."},
    {E_HANDLE, "E_HANDLE", "A handle is not valid."},
    {E_ABORT, "E_ABORT", "The call was aborted."},
    {E_UNEXPECTED, "E_UNEXPECTED", "The call failed unexpectedly."},
    {CLASS_E_NOAGGREGATION, "CLASS_E_NOAGGREGATION", "The object cannot be aggregated."},
    {REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG", "The class is not registered."},
    {CO_E_NOTINITIALIZED, "CO_E_NOTINITIALIZED", "COM was not initialised on this thread."},
};

}  // namespace

std::string DxErrorString(int32_t hr) {
    for (const Entry& e : kEntries)
        if (e.hr == static_cast<uint32_t>(hr)) return std::string(e.name) + ": " + e.sentence;
    return {};
}

}  // namespace skx
