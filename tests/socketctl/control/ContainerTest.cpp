// The control in a container: quick activation with the container's site and sinks, in-place
// activation through an in-place site and its frame, and the design-time picture drawn into a
// real container window; each with the container's user mode off and on.
#include <cstdlib>
#include <string>
#include <vector>

#include "EventControl.h"
#include "MessageOrder.h"

namespace controltest {
namespace {

using testsupport::PumpUntil;
using testsupport::PumpWhileATimerTicks;

constexpr HRESULT kDesignTimeRefusal = static_cast<HRESULT>(0x800A018A);
// Invisible at run time, activate when visible, inside-out, client site first, no linking
// inside, recompose on resize: the registry's MiscStatus 132497.
constexpr DWORD kMiscStatus = 132497;

template <typename T>
ComPtr<T> Query(IUnknown* object, REFIID iid) {
    ComPtr<T> out;
    object->QueryInterface(iid, reinterpret_cast<void**>(out.Receive()));
    return out;
}

bool SameObject(IUnknown* a, IUnknown* b) {
    auto ua = Query<IUnknown>(a, IID_IUnknown);
    auto ub = Query<IUnknown>(b, IID_IUnknown);
    return ua && ub && ua.Get() == ub.Get();
}

// A plain top-level window of the test's thread, shown, standing for the container's form.
class ContainerWindow {
public:
    ContainerWindow() {
        window_ = CreateWindowExW(0, L"STATIC", L"Wirelatch container", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40,
                                  40, 240, 160, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (window_) {
            UpdateWindow(window_);
            testsupport::HandlePostedSoFar();
        }
    }
    ~ContainerWindow() {
        if (window_) DestroyWindow(window_);
    }
    ContainerWindow(const ContainerWindow&) = delete;
    ContainerWindow& operator=(const ContainerWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

struct QuickActivated {
    ComPtr<IDispatch> control;
    ComPtr<FakeSite> site;
    ComPtr<EventSink> sink;
    QACONTROL status{};
    HRESULT result = E_FAIL;
};

QuickActivated QuickActivateWithSite(bool userMode) {
    QuickActivated q;
    q.control = CreateControl();
    q.site = FakeSite::Create(userMode);
    q.sink = EventSink::Create();
    if (!q.control) return q;
    auto quick = Query<IQuickActivate>(q.control.Get(), IID_IQuickActivate);
    if (!quick) return q;
    QACONTAINER container{};
    container.cbSize = sizeof(container);
    container.pClientSite = q.site.Get();
    container.pUnkEventSink = static_cast<IDispatch*>(q.sink.Get());
    container.dwAmbientFlags = userMode ? QACONTAINER_USERMODE : 0;
    q.status.cbSize = sizeof(q.status);
    q.result = quick->QuickActivate(&container, &q.status);
    return q;
}

// Ends the advise that quick activation made, so the sink does not outlive the test's checks.
void Unadvise(IDispatch* control, DWORD cookie) {
    auto container = Query<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
    ComPtr<IConnectionPoint> point;
    ASSERT_TRUE(container);
    ASSERT_EQ(container->FindConnectionPoint(DIID__IWirelatchEvents, point.Receive()), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
}

TEST_F(ControlTest, QuickActivationAtDesignTimeSitesTheControlWithoutRunning) {
    QuickActivated q = QuickActivateWithSite(false);
    ASSERT_TRUE(q.control);
    ASSERT_EQ(q.result, S_OK);
    EXPECT_EQ(q.status.cbSize, sizeof(QACONTROL));
    EXPECT_EQ(q.status.dwMiscStatus, kMiscStatus);
    EXPECT_NE(q.status.dwEventCookie, 0u);
    EXPECT_EQ(q.status.dwPropNotifyCookie, 0u);
    auto object = Query<IOleObject>(q.control.Get(), IID_IOleObject);
    ComPtr<IOleClientSite> site;
    ASSERT_EQ(object->GetClientSite(site.Receive()), S_OK);
    EXPECT_TRUE(SameObject(site.Get(), static_cast<IOleClientSite*>(q.site.Get())));

    // The site's user mode is off: run-time reads are refused and the timer does not run.
    LateBound c(q.control.Get());
    VariantValue v;
    EXPECT_EQ(c.Get(kConnected, v.Receive()).code, kDesignTimeRefusal);
    EXPECT_EQ(c.Get(kBlocking, v.Receive()).code, S_OK);
    ASSERT_EQ(c.Put(kInterval, Long(20)).code, S_OK);
    EXPECT_EQ(c.GetLong(kInterval), 20);
    ASSERT_TRUE(PumpWhileATimerTicks(20, 5));  // a timer of 20 ms beside it ticks
    EXPECT_EQ(q.sink->Count(kOnTimer), 0);
    Unadvise(q.control.Get(), q.status.dwEventCookie);
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
}

TEST_F(ControlTest, QuickActivationAtRunTimeDeliversEventsToTheContainersSink) {
    QuickActivated q = QuickActivateWithSite(true);
    ASSERT_TRUE(q.control);
    ASSERT_EQ(q.result, S_OK);
    EXPECT_EQ(q.status.dwMiscStatus, kMiscStatus);
    LateBound c(q.control.Get());
    VariantValue v;
    EXPECT_EQ(c.Get(kConnected, v.Receive()).code, S_OK);
    ASSERT_EQ(c.Put(kInterval, Long(20)).code, S_OK);
    EXPECT_TRUE(PumpUntil([&] { return q.sink->Count(kOnTimer) >= 2; }, 3000));
    c.Put(kInterval, Long(0));
    // Once the container unadvises by the cookie it was given, nothing more arrives.
    Unadvise(q.control.Get(), q.status.dwEventCookie);
    const int ticks = q.sink->Count(kOnTimer);
    c.Put(kInterval, Long(20));
    ASSERT_TRUE(PumpWhileATimerTicks(20, 5));
    c.Put(kInterval, Long(0));
    EXPECT_EQ(q.sink->Count(kOnTimer), ticks);
    Query<IOleObject>(q.control.Get(), IID_IOleObject)->SetClientSite(nullptr);
}

// The container's property sink and view sink, counting what the control tells them.
class ContainerSinks final : public IPropertyNotifySink, public IAdviseSinkEx {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyNotifySink))
            *out = static_cast<IPropertyNotifySink*>(this);
        else if (IsEqualIID(iid, IID_IAdviseSink) || IsEqualIID(iid, IID_IAdviseSinkEx))
            *out = static_cast<IAdviseSinkEx*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    // Lives on the test's stack, past every reference the control holds.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
        changed.push_back(id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID id) override {
        requested.push_back(id);
        return allowEdit ? S_OK : S_FALSE;
    }
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG) override {
        if (aspect == DVASPECT_CONTENT) ++viewChanges;
    }
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override {}
    void STDMETHODCALLTYPE OnClose() override {}
    void STDMETHODCALLTYPE OnViewStatusChange(DWORD) override {}

    std::vector<DISPID> changed, requested;
    int viewChanges = 0;
    bool allowEdit = true;
};

// Enabled asks the container for leave, then tells it of the change and redraws.
TEST_F(ControlTest, EnabledAsksTheContainerAndTellsItOfTheChange) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto quick = Query<IQuickActivate>(control.Get(), IID_IQuickActivate);
    ASSERT_TRUE(quick);
    auto site = FakeSite::Create(false);
    ContainerSinks sinks;
    QACONTAINER container{};
    container.cbSize = sizeof(container);
    container.pClientSite = site.Get();
    container.pPropertyNotifySink = &sinks;
    container.pAdviseSink = &sinks;
    QACONTROL status{};
    status.cbSize = sizeof(status);
    ASSERT_EQ(quick->QuickActivate(&container, &status), S_OK);
    EXPECT_NE(status.dwPropNotifyCookie, 0u);
    auto persist = Query<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit);
    ASSERT_TRUE(persist);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    LateBound c(control.Get());
    // Refused by the container: nothing changes and nobody is told.
    sinks.allowEdit = false;
    auto direct = Query<IWirelatch>(control.Get(), IID_IWirelatch);
    ASSERT_TRUE(direct);
    EXPECT_EQ(direct->put_Enabled(VARIANT_FALSE), S_FALSE);
    EXPECT_TRUE(SUCCEEDED(c.Put(kEnabled, Bool(false)).code));  // no failure for a late-bound host
    EXPECT_EQ(c.GetLong(kEnabled), -1);
    EXPECT_EQ(sinks.requested, (std::vector<DISPID>{kEnabled, kEnabled}));
    EXPECT_TRUE(sinks.changed.empty());
    EXPECT_EQ(sinks.viewChanges, 0);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    // Allowed: stored, flagged as changed, the container told, the picture redrawn.
    sinks.allowEdit = true;
    EXPECT_EQ(c.Put(kEnabled, Bool(false)).code, S_OK);
    EXPECT_EQ(c.GetLong(kEnabled), 0);
    EXPECT_EQ(sinks.changed, std::vector<DISPID>{kEnabled});
    EXPECT_EQ(sinks.viewChanges, 1);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    // A host's 1 arrives as true; the get answers -1.
    EXPECT_EQ(c.Put(kEnabled, Long(1)).code, S_OK);
    EXPECT_EQ(c.GetLong(kEnabled), -1);

    auto container2 = Query<IConnectionPointContainer>(control.Get(), IID_IConnectionPointContainer);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(container2->FindConnectionPoint(IID_IPropertyNotifySink, point.Receive()), S_OK);
    EXPECT_EQ(point->Unadvise(status.dwPropNotifyCookie), S_OK);
    auto view = Query<IViewObject2>(control.Get(), IID_IViewObject2);
    view->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    Query<IOleObject>(control.Get(), IID_IOleObject)->SetClientSite(nullptr);
}

TEST_F(ControlTest, QuickActivationChecksItsRecordsAndKeepsTheExtent) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto quick = Query<IQuickActivate>(control.Get(), IID_IQuickActivate);
    ASSERT_TRUE(quick);
    QACONTAINER container{};
    container.cbSize = sizeof(container);
    QACONTROL status{};
    status.cbSize = sizeof(status);
    EXPECT_EQ(quick->QuickActivate(nullptr, &status), E_POINTER);
    EXPECT_EQ(quick->QuickActivate(&container, nullptr), E_POINTER);
    status.cbSize = sizeof(status) - 4;
    EXPECT_EQ(quick->QuickActivate(&container, &status), E_INVALIDARG);
    status.cbSize = sizeof(status);
    container.cbSize = 8;
    EXPECT_EQ(quick->QuickActivate(&container, &status), E_INVALIDARG);
    // A container with no site and no sinks: the status still comes back.
    container.cbSize = sizeof(container);
    EXPECT_EQ(quick->QuickActivate(&container, &status), S_OK);
    EXPECT_EQ(status.dwMiscStatus, kMiscStatus);
    EXPECT_EQ(status.dwEventCookie, 0u);

    SIZEL size{};
    ASSERT_EQ(quick->GetContentExtent(&size), S_OK);
    EXPECT_GT(size.cx, 0);
    EXPECT_GT(size.cy, 0);
    SIZEL wanted{1500, 900};
    EXPECT_EQ(quick->SetContentExtent(&wanted), S_OK);
    ASSERT_EQ(quick->GetContentExtent(&size), S_OK);
    EXPECT_EQ(size.cx, 1500);
    EXPECT_EQ(size.cy, 900);
    EXPECT_EQ(quick->GetContentExtent(nullptr), E_POINTER);
}

// In-place and UI activation through the site and its frame, and every way back out.
void ActivateAndDeactivate(bool userMode) {
    ContainerWindow window;
    ASSERT_TRUE(window.Handle());
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto site = FakeSite::Create(userMode);
    site->inPlace = true;
    site->window = window.Handle();
    site->frame = FakeFrame::Create(window.Handle());
    auto object = Query<IOleObject>(control.Get(), IID_IOleObject);
    ASSERT_TRUE(object);
    ASSERT_EQ(object->SetClientSite(site.Get()), S_OK);
    RECT place = site->place;

    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, window.Handle(), &place), S_OK);
    EXPECT_EQ(site->inPlaceActivations, 1);
    EXPECT_EQ(site->uiActivations, 0);
    // Activating again changes nothing.
    ASSERT_EQ(object->DoVerb(OLEIVERB_SHOW, nullptr, site.Get(), 0, window.Handle(), &place), S_OK);
    EXPECT_EQ(site->inPlaceActivations, 1);

    auto inPlace = Query<IOleInPlaceObject>(control.Get(), IID_IOleInPlaceObject);
    ASSERT_TRUE(inPlace);
    HWND own = reinterpret_cast<HWND>(1);
    RECT moved{50, 60, 78, 88};
    if (userMode) {
        // Invisible at run time: no window of its own in the container.
        EXPECT_EQ(inPlace->GetWindow(&own), E_FAIL);
        EXPECT_EQ(own, nullptr);
    } else {
        // At design time a child window of the container's window stands at the place given.
        ASSERT_EQ(inPlace->GetWindow(&own), S_OK);
        ASSERT_TRUE(IsWindow(own));
        EXPECT_EQ(GetParent(own), window.Handle());
        EXPECT_TRUE(IsWindowVisible(own));
        RECT r{};
        GetWindowRect(own, &r);
        MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, place.left);
        EXPECT_EQ(r.top, place.top);
        EXPECT_EQ(r.right - r.left, place.right - place.left);
    }
    EXPECT_EQ(inPlace->SetObjectRects(nullptr, nullptr), E_POINTER);
    EXPECT_EQ(inPlace->SetObjectRects(&moved, &moved), S_OK);
    if (!userMode) {
        RECT r{};
        GetWindowRect(own, &r);
        MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, moved.left);
        EXPECT_EQ(r.top, moved.top);
    }
    EXPECT_EQ(inPlace->ReactivateAndUndo(), INPLACE_E_NOTUNDOABLE);

    // UI activation makes the control the frame's active object.
    ASSERT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site.Get(), 0, window.Handle(), &place), S_OK);
    EXPECT_EQ(site->uiActivations, 1);
    ASSERT_TRUE(site->frame->active);
    EXPECT_TRUE(SameObject(site->frame->active.Get(), control.Get()));
    auto active = Query<IOleInPlaceActiveObject>(control.Get(), IID_IOleInPlaceActiveObject);
    ASSERT_TRUE(active);
    MSG key{window.Handle(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_EQ(active->TranslateAccelerator(&key), S_FALSE);  // keys stay with the container
    EXPECT_EQ(active->OnFrameWindowActivate(TRUE), S_OK);
    EXPECT_EQ(active->EnableModeless(FALSE), S_OK);
    EXPECT_EQ(active->ResizeBorder(&place, nullptr, TRUE), S_OK);

    // Hiding ends the UI activation only; deactivation tells the site once.
    EXPECT_EQ(object->DoVerb(OLEIVERB_HIDE, nullptr, site.Get(), 0, window.Handle(), &place), S_OK);
    EXPECT_EQ(site->uiDeactivations, 1);
    EXPECT_FALSE(site->frame->active);
    EXPECT_EQ(site->inPlaceDeactivations, 0);
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_EQ(site->inPlaceDeactivations, 1);
    if (!userMode) {
        EXPECT_FALSE(IsWindow(own));  // the design window goes with the activation
    }

    // Closing the object, or taking its site away, ends an activation that is still on.
    object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site.Get(), 0, window.Handle(), &place);
    EXPECT_EQ(site->inPlaceActivations, 2);
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(site->uiDeactivations, 2);
    EXPECT_EQ(site->inPlaceDeactivations, 2);
    EXPECT_FALSE(site->frame->active);
    object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, window.Handle(), &place);
    EXPECT_EQ(site->inPlaceActivations, 3);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(site->inPlaceDeactivations, 3);
}

TEST_F(ControlTest, InPlaceActivationAtDesignTime) { ActivateAndDeactivate(false); }
TEST_F(ControlTest, InPlaceActivationAtRunTime) { ActivateAndDeactivate(true); }

TEST_F(ControlTest, InPlaceActivationRespectsTheSite) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto object = Query<IOleObject>(control.Get(), IID_IOleObject);
    ASSERT_TRUE(object);
    // A site that refuses in-place activation is not told of any.
    auto refusing = FakeSite::Create(true);
    refusing->inPlace = true;
    refusing->allowInPlace = false;
    ASSERT_EQ(object->SetClientSite(refusing.Get()), S_OK);
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, refusing.Get(), 0, nullptr, nullptr), E_FAIL);
    EXPECT_EQ(refusing->inPlaceActivations, 0);
    // A plain client site (no in-place support): the verbs succeed with nothing to do.
    auto plain = FakeSite::Create(true);
    ASSERT_EQ(object->SetClientSite(plain.Get()), S_OK);
    EXPECT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, plain.Get(), 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(plain->inPlaceActivations, 0);
    EXPECT_EQ(object->DoVerb(12345, nullptr, plain.Get(), 0, nullptr, nullptr), OLEOBJ_S_INVALIDVERB);
    object->SetClientSite(nullptr);
}

// Colour of a pixel of the window's client area.
COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// Saves the window's client area as a BMP file (for a look at the picture).
void SaveClientPicture(HWND window, const std::string& path) {
    RECT r{};
    GetClientRect(window, &r);
    const int w = r.right, h = r.bottom;
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD stride = static_cast<DWORD>(((w * 3) + 3) & ~3);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + stride * static_cast<DWORD>(h);
    std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
    bytes.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
    if (bits) bytes.append(static_cast<const char*>(bits), stride * static_cast<DWORD>(h));
    testsupport::WriteFileBytes(path, bytes);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(window, dc);
}

// Draws the control through IViewObject into the container window at the site's place.
HRESULT DrawInto(IDispatch* control, HWND window, const RECT& place) {
    auto view = Query<IViewObject2>(control, IID_IViewObject2);
    if (!view) return E_NOINTERFACE;
    HDC dc = GetDC(window);
    RECTL bounds{place.left, place.top, place.right, place.bottom};
    HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
    ReleaseDC(window, dc);
    return hr;
}

// Counts the pixels of the picture's rings in a square of the window at (x, y).
int RingPixels(HWND window, int x, int y) {
    int rings = 0;
    for (int dy = 0; dy < 28; ++dy) {
        for (int dx = 0; dx < 28; ++dx) {
            const COLORREF colour = PixelAt(window, x + dx, y + dy);
            if (colour == RGB(0, 0, 128) || colour == RGB(0, 160, 224)) ++rings;
        }
    }
    return rings;
}

TEST_F(ControlTest, ActiveAtDesignTimeTheControlShowsItsPictureInItsOwnWindow) {
    ContainerWindow window;
    ASSERT_TRUE(window.Handle());
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto site = FakeSite::Create(false);
    site->inPlace = true;
    site->window = window.Handle();
    site->place = RECT{60, 30, 100, 70};
    auto object = Query<IOleObject>(control.Get(), IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(site.Get()), S_OK);
    RECT place = site->place;
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, window.Handle(), &place), S_OK);
    HWND own = nullptr;
    ASSERT_EQ(Query<IOleInPlaceObject>(control.Get(), IID_IOleInPlaceObject)->GetWindow(&own), S_OK);
    UpdateWindow(own);
    PumpUntil([&] { return PixelAt(own, 0, 0) == RGB(64, 64, 64); }, 3000);
    if (const char* shots = std::getenv("WIRELATCH_SHOTS"))
        SaveClientPicture(window.Handle(), std::string(shots) + "\\design-window.bmp");
    // The picture at the window's top-left, the rest of the place in the window colour.
    EXPECT_EQ(PixelAt(own, 0, 0), RGB(64, 64, 64));
    EXPECT_GT(RingPixels(own, 0, 0), 40);
    EXPECT_EQ(PixelAt(own, 35, 35), GetSysColor(COLOR_WINDOW));
    object->SetClientSite(nullptr);
    EXPECT_FALSE(IsWindow(own));
}

TEST_F(ControlTest, DesignTimePictureIsDrawnInTheContainerAndNothingAtRunTime) {
    ContainerWindow window;
    ASSERT_TRUE(window.Handle());
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto site = FakeSite::Create(false);
    site->inPlace = true;
    site->window = window.Handle();
    auto object = Query<IOleObject>(control.Get(), IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(site.Get()), S_OK);
    RECT place = site->place;  // inactive: the container draws the control through IViewObject

    // Paint the client area one known colour first.
    HDC dc = GetDC(window.Handle());
    RECT all{};
    GetClientRect(window.Handle(), &all);
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &all, white);
    DeleteObject(white);
    ReleaseDC(window.Handle(), dc);

    // At run time the control is invisible: drawing leaves the place white.
    site->userMode = true;
    ASSERT_EQ(DrawInto(control.Get(), window.Handle(), place), S_OK);
    EXPECT_EQ(PixelAt(window.Handle(), place.left, place.top), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(window.Handle(), place.left + 14, place.top + 14), RGB(255, 255, 255));

    // At design time its 28 x 28 picture lands at the top-left of the place, and nowhere else.
    site->userMode = false;
    ASSERT_EQ(DrawInto(control.Get(), window.Handle(), place), S_OK);
    if (const char* shots = std::getenv("WIRELATCH_SHOTS"))
        SaveClientPicture(window.Handle(), std::string(shots) + "\\design-picture.bmp");
    EXPECT_EQ(PixelAt(window.Handle(), place.left, place.top), RGB(64, 64, 64));  // the picture's frame
    EXPECT_EQ(PixelAt(window.Handle(), place.left + 27, place.top + 27), RGB(64, 64, 64));
    EXPECT_EQ(PixelAt(window.Handle(), place.left + 2, place.top + 2), RGB(192, 192, 192));  // its background
    int rings = 0, uncovered = 0;
    for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < 28; ++x) {
            const COLORREF colour = PixelAt(window.Handle(), place.left + x, place.top + y);
            if (colour == RGB(0, 0, 128) || colour == RGB(0, 160, 224)) ++rings;
            if (colour == RGB(255, 255, 255)) ++uncovered;
        }
    }
    EXPECT_GT(rings, 40);  // the two rings
    EXPECT_EQ(uncovered, 0);  // the whole square is covered
    EXPECT_EQ(PixelAt(window.Handle(), place.left + 28, place.top + 5), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(window.Handle(), place.left + 5, place.top + 28), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(window.Handle(), place.left - 1, place.top), RGB(255, 255, 255));
    object->SetClientSite(nullptr);
}

}  // namespace
}  // namespace controltest
