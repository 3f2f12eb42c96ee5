#include "D3DErrorText.h"

namespace skx {

namespace {

struct Sentence {
    uint32_t number;
    const char* text;
};

constexpr Sentence kSentences[] = {
    {0x8876086D, "The driver method call is invalid. For example, a method's parameter may have an invalid value."},
    {0x8876086C, "The method call is invalid. For example, a method's parameter may have an invalid value."},
    {0x8876086B, "The requested device type is not valid."},
    {0x8876086A, "The queried technique is not supported by this device."},
    {0x88760869, "The device cannot be reset."},
    {0x88760868, "The device is lost and cannot be restored at the current time, so rendering is not possible."},
    {0x88760867, "There is more data available than the specified buffer size can hold."},
    {0x88760866, "The requested item was not found."},
    {0x88760827, "Internal driver error."},
    {0x88760826,
     "The current textures cannot be used simultaneously. This generally occurs when a multitexture "
     "device requires that all palletized textures simultaneously enabled also share the same palette."},
    {0x88760822, "The specified texture filter is not supported by the device."},
    {0x88760821, "The currently set render states cannot be used together."},
    {0x88760820, "Direct3D does not have enough display memory to perform the operation."},
    {0x8876081F, "The specified texture factor value is not supported by the device."},
    {0x8876081E, "The current texture filters cannot be used together."},
    {0x8876081D, "The application is requesting more texture-filtering operations than the device supports."},
    {0x8876081C, "The device does not support a specified texture-blending argument for the alpha channel."},
    {0x8876081B, "The device does not support a specified texture-blending operations for the alpha channel."},
    {0x8876081A, "The device does not support a specified texture-blending arguments for color values."},
    {0x88760819, "The device does not support a specified texture-blending operation for color values."},
    {0x88760818, "The pixel format of the texture surface is not valid."},
    {0x80070057, "An undetermined error occurred inside the Direct3D subsystem."},
    {5, "An invalid parameter was passed to the returning function."},
    {7, "Direct3D could not allocate sufficient memory to complete the call."},
};

}  // namespace

std::string D3DErrorText(int32_t number) {
    for (const Sentence& s : kSentences)
        if (s.number == static_cast<uint32_t>(number)) return s.text;
    return {};
}

}  // namespace skx
