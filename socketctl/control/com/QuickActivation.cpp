// Quick activation: a container hands the control its site, its sinks and the extent in one
// call instead of several, and learns the control's status and the sinks' cookies back.
#include <cstddef>

#include "Wirelatch.h"

namespace wirelatch {
namespace {

// The container's record must reach as far as the fields read from it.
constexpr ULONG kContainerFieldsRead = offsetof(QACONTAINER, dwAmbientFlags);

}  // namespace

HRESULT Wirelatch::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (!container || !control) return E_POINTER;
    if (container->cbSize < kContainerFieldsRead || control->cbSize < sizeof(QACONTROL)) return E_INVALIDARG;
    const ULONG controlSize = control->cbSize;
    *control = QACONTROL{};
    control->cbSize = controlSize;

    if (HRESULT hr = SetClientSite(container->pClientSite); FAILED(hr)) return hr;
    if (container->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    GetMiscStatus(DVASPECT_CONTENT, &control->dwMiscStatus);
    control->dwViewStatus = 0;  // the design picture covers only part of the control's place
    control->dwPointerActivationPolicy = 0;
    if (container->pUnkEventSink) {
        if (HRESULT hr = eventPoint_.Advise(container->pUnkEventSink, &control->dwEventCookie); FAILED(hr))
            return hr;
    }
    if (container->pPropertyNotifySink) {
        // The property sink is the container's convenience; the control works without it.
        if (FAILED(propertyPoint_.Advise(container->pPropertyNotifySink, &control->dwPropNotifyCookie)))
            control->dwPropNotifyCookie = 0;
    }
    return S_OK;
}

HRESULT Wirelatch::SetContentExtent(LPSIZEL size) { return SetExtent(DVASPECT_CONTENT, size); }

HRESULT Wirelatch::GetContentExtent(LPSIZEL size) { return GetExtent(DVASPECT_CONTENT, size); }

}  // namespace wirelatch
