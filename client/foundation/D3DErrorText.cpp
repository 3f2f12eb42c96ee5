#include "D3DErrorText.h"

namespace skx {

namespace {

// Direct3D result codes: severity bit, facility 0x876, code.
constexpr int32_t D3dResult(uint32_t code) { return static_cast<int32_t>(0x88760000u | code); }

struct Sentence {
    int32_t number;
    const char* text;
};

constexpr Sentence kSentences[] = {
    {5, "An invalid parameter was passed to the returning function."},
    {7, "There is not enough memory available to complete the operation."},
    {static_cast<int32_t>(0x8007000Eu), "Direct3D could not allocate sufficient memory to complete the call."},
    {static_cast<int32_t>(0x80070057u), "An invalid parameter was passed to the returning function."},
    {D3dResult(380), "Direct3D does not have enough display memory to perform the operation."},
    {D3dResult(2072), "The pixel format of the texture surface is not valid."},
    {D3dResult(2073), "The device does not support a specified texture-blending operation for color values."},
    {D3dResult(2074), "The device does not support a specified texture-blending argument for color values."},
    {D3dResult(2075), "The device does not support a specified texture-blending operation for the alpha channel."},
    {D3dResult(2076), "The device does not support a specified texture-blending argument for the alpha channel."},
    {D3dResult(2077), "The application is requesting more texture-filtering operations than the device supports."},
    {D3dResult(2078), "The current texture filters cannot be used together."},
    {D3dResult(2079), "The device does not support the specified texture factor value."},
    {D3dResult(2081), "The currently set render states cannot be used together."},
    {D3dResult(2082), "The device does not support the specified texture filter."},
    {D3dResult(2086), "The current textures cannot be used simultaneously."},
    {D3dResult(2087), "An internal driver error occurred."},
    {D3dResult(2150), "The requested item was not found."},
    {D3dResult(2151), "There is more data available than the specified buffer size can hold."},
    {D3dResult(2152), "The device has been lost but cannot be reset at this time; rendering is not possible."},
    {D3dResult(2153), "The device has been lost but can be reset at this time."},
    {D3dResult(2154), "This device does not support the queried technique."},
    {D3dResult(2155), "The requested device type is not valid."},
    {D3dResult(2156), "The method call is invalid; for example, a method's parameter may not be a valid pointer."},
    {D3dResult(2157), "The driver reported that the call is not valid."},
};

}  // namespace

std::string D3DErrorText(int32_t number) {
    for (const Sentence& s : kSentences)
        if (s.number == number) return s.text;
    return {};
}

}  // namespace skx
