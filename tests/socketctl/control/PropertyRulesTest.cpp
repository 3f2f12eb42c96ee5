// The refusal rules of the properties: which gets a container in design mode is refused
// (0x800A018A), the range refusals (0x800A017C) and the state refusals (0x800A017F) with a
// socket open or the library started, and the design-time puts that are kept.
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "WinTestSupport.h"

namespace controltest {
namespace {

constexpr HRESULT kDesignTimeRefusal = static_cast<HRESULT>(0x800A018A);
constexpr HRESULT kStateRefusal = static_cast<HRESULT>(0x800A017F);
constexpr HRESULT kRangeRefusal = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kLibraryNotStarted = static_cast<HRESULT>(0x800A0005);

// Every property whose read is a run-time matter.
const wchar_t* const kRunTimeGets[] = {
    L"AdapterAddress", L"AdapterCount",  L"AtMark",          L"CertificateExpires", L"CertificateIssued",
    L"CertificateIssuer", L"CertificateName", L"CertificateStatus", L"CertificateStore", L"CertificateSubject",
    L"CipherStrength", L"Connected",     L"Handle",          L"HashStrength",       L"HostAddress",
    L"HostAlias",      L"HostFile",      L"HostName",        L"InLine",             L"IsBlocked",
    L"IsClosed",       L"IsReadable",    L"IsWritable",      L"LastError",          L"LastErrorString",
    L"Library",        L"Listening",     L"LocalAddress",    L"LocalName",          L"LocalPort",
    L"LocalService",   L"MaxDatagram",   L"MaxSockets",      L"NoDelay",            L"PeerAddress",
    L"PeerName",       L"PeerPort",      L"PhysicalAddress", L"PortString",         L"RemotePort",
    L"RemoteService",  L"ReservedPort",  L"SecureCipher",    L"SecureHash",         L"SecureKeyExchange",
    L"SecureProtocol", L"State",         L"Urgent",          L"Vendor",             L"Version"};

// Every property a designer may read.
const wchar_t* const kDesignTimeGets[] = {
    L"AutoResolve", L"Backlog",  L"Blocking", L"Broadcast",    L"ByteOrder", L"Enabled",
    L"Interval",    L"KeepAlive", L"Linger",  L"Protocol",     L"ReuseAddress", L"Route",
    L"Secure",      L"ThrowError", L"Timeout", L"Trace",       L"TraceFile", L"TraceFlags"};

DISPID IdOf(IDispatch* control, const wchar_t* name) {
    LPOLESTR n = const_cast<LPOLESTR>(name);
    DISPID id = DISPID_UNKNOWN;
    control->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

// A get by name; the indexed properties are asked for entry 0.
CallResult GetByName(LateBound& c, const wchar_t* name) {
    VariantValue v;
    const std::wstring n = name;
    std::vector<VARIANT> args;
    if (n == L"AdapterAddress" || n == L"HostAlias") args.push_back(Long(0));
    return c.Invoke(IdOf(c.Object(), name), DISPATCH_PROPERTYGET, args, v.Get());
}

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (const wchar_t* p = text; *p; ++p) out += static_cast<char>(*p);
    return out;
}

CallResult PutText(LateBound& c, DISPID id, const wchar_t* text) {
    VariantValue v;
    *v.Get() = Text(text);
    return c.Put(id, *v.Get());
}

class DesignModeControl {
public:
    DesignModeControl() : control(CreateControl()), site(FakeSite::Create(false)), c(control.Get()) {
        if (control) object = control.As<IOleObject>(IID_IOleObject);
        sited = object && object->SetClientSite(site.Get()) == S_OK;
    }
    ~DesignModeControl() {
        if (object) object->SetClientSite(nullptr);
    }
    DesignModeControl(const DesignModeControl&) = delete;
    DesignModeControl& operator=(const DesignModeControl&) = delete;
    ComPtr<IDispatch> control;
    ComPtr<FakeSite> site;
    ComPtr<IOleObject> object;
    LateBound c;
    bool sited = false;
};

TEST_F(ControlTest, EveryRunTimePropertyIsRefusedToADesignerAndNoOtherIs) {
    DesignModeControl d;
    ASSERT_TRUE(d.sited);
    EXPECT_EQ(std::size(kRunTimeGets) + std::size(kDesignTimeGets), 68u);  // 66 named, LastErrorString, Enabled
    for (const wchar_t* name : kRunTimeGets) {
        ASSERT_NE(IdOf(d.control.Get(), name), DISPID_UNKNOWN) << Narrow(name);
        EXPECT_EQ(GetByName(d.c, name).code, kDesignTimeRefusal) << Narrow(name);
    }
    for (const wchar_t* name : kDesignTimeGets) {
        ASSERT_NE(IdOf(d.control.Get(), name), DISPID_UNKNOWN) << Narrow(name);
        EXPECT_EQ(GetByName(d.c, name).code, S_OK) << Narrow(name);
    }
    // With the user mode on, none of them is refused as a design-time read.
    d.site->userMode = true;
    for (const wchar_t* name : kRunTimeGets) EXPECT_NE(GetByName(d.c, name).code, kDesignTimeRefusal) << Narrow(name);
}

TEST_F(ControlTest, DesignTimePutsAreKeptWhereNothingElseIsSaid) {
    DesignModeControl d;
    ASSERT_TRUE(d.sited);
    LateBound& c = d.c;
    EXPECT_EQ(c.Put(kRemotePort, Long(8080)).code, S_OK);
    EXPECT_EQ(c.Put(kLocalPort, Long(4000)).code, S_OK);
    EXPECT_EQ(c.Put(kTimeout, Long(12)).code, S_OK);
    EXPECT_EQ(c.Put(kInterval, Long(250)).code, S_OK);
    EXPECT_EQ(c.Put(kBlocking, Bool(false)).code, S_OK);
    EXPECT_EQ(c.Put(kSecure, Bool(true)).code, S_OK);
    EXPECT_EQ(PutText(c, kHostName, L"game.skirmora.invalid").code, S_OK);
    // Ranges hold at design time too.
    EXPECT_EQ(c.Put(kRemotePort, Long(0)).code, kRangeRefusal);
    EXPECT_EQ(c.Put(kLocalPort, Long(65536)).code, kRangeRefusal);
    // Puts that need the sockets library cannot start it for a designer.
    EXPECT_EQ(PutText(c, IdOf(c.Object(), L"LocalAddress"), L"127.0.0.1").code, kLibraryNotStarted);
    EXPECT_EQ(PutText(c, IdOf(c.Object(), L"RemoteService"), L"http").code, kLibraryNotStarted);
    EXPECT_EQ(PutText(c, IdOf(c.Object(), L"LocalService"), L"http").code, kLibraryNotStarted);

    d.site->userMode = true;
    EXPECT_EQ(c.GetLong(kRemotePort), 8080);
    EXPECT_EQ(c.GetLong(kLocalPort), 4000);
    EXPECT_EQ(c.GetLong(kTimeout), 12);
    EXPECT_EQ(c.GetLong(kInterval), 250);
    EXPECT_EQ(c.GetLong(kBlocking), 0);
    EXPECT_EQ(c.GetLong(kSecure), -1);
    // A name put at design time is kept as text; nothing was looked up.
    EXPECT_EQ(c.GetText(kHostName), L"game.skirmora.invalid");
    EXPECT_EQ(c.GetText(kHostAddress), L"");
    c.Put(kInterval, Long(0));
}

TEST_F(ControlTest, PortsOutsideTheirRangeAreRefusedAndKeepTheValue) {
    LateBound c(CreateControl().Get());
    ASSERT_TRUE(c.Object());
    for (DISPID id : {kRemotePort, kLocalPort}) {
        ASSERT_EQ(c.Put(id, Long(1)).code, S_OK);
        EXPECT_EQ(c.Put(id, Long(0)).code, kRangeRefusal);
        EXPECT_EQ(c.Put(id, Long(-1)).code, kRangeRefusal);
        EXPECT_EQ(c.Put(id, Long(65536)).code, kRangeRefusal);
        EXPECT_EQ(c.GetLong(id), 1);
        EXPECT_EQ(c.Put(id, Long(65535)).code, S_OK);
        EXPECT_EQ(c.GetLong(id), 65535);
    }
    EXPECT_EQ(c.Put(kInterval, Long(-1)).code, kRangeRefusal);
    EXPECT_EQ(c.GetLong(kInterval), 0);
}

// A listening socket is a socket too: every put that needs none is refused under it.
TEST_F(ControlTest, PutsThatNeedNoSocketAreRefusedUnderAListener) {
    LateBound c(CreateControl().Get());
    ASSERT_TRUE(c.Object());
    const uint16_t port = testsupport::FreePort();
    ASSERT_EQ(c.Call(kListen, {Missing(), Long(port)}).code, S_OK);
    ASSERT_EQ(c.GetLong(kListening), -1);
    const DISPID localAddress = IdOf(c.Object(), L"LocalAddress");
    const DISPID localService = IdOf(c.Object(), L"LocalService");
    const DISPID remoteService = IdOf(c.Object(), L"RemoteService");
    const DISPID library = IdOf(c.Object(), L"Library");
    EXPECT_EQ(c.Put(kLocalPort, Long(4000)).code, kStateRefusal);
    EXPECT_EQ(c.Put(kRemotePort, Long(4000)).code, kStateRefusal);
    EXPECT_EQ(PutText(c, localAddress, L"127.0.0.1").code, kStateRefusal);
    EXPECT_EQ(PutText(c, localService, L"telnet").code, kStateRefusal);
    EXPECT_EQ(PutText(c, remoteService, L"telnet").code, kStateRefusal);
    EXPECT_EQ(PutText(c, library, L"ws2_32.dll").code, kStateRefusal);  // started by Listen
    EXPECT_EQ(c.GetLong(kLocalPort), port);
    ASSERT_EQ(c.Call(kDisconnect).code, S_OK);
    // Without the socket the same puts are taken; the library stays started.
    EXPECT_EQ(c.Put(kLocalPort, Long(4000)).code, S_OK);
    EXPECT_EQ(c.Put(kRemotePort, Long(4000)).code, S_OK);
    EXPECT_EQ(PutText(c, localAddress, L"127.0.0.1").code, S_OK);
    EXPECT_EQ(PutText(c, library, L"ws2_32.dll").code, kStateRefusal);
    // After Uninitialize the library may be chosen again.
    ASSERT_EQ(c.Call(kUninitialize).code, S_OK);
    EXPECT_EQ(PutText(c, library, L"ws2_32.dll").code, S_OK);
    EXPECT_EQ(c.GetText(library), L"ws2_32.dll");
}

}  // namespace
}  // namespace controltest
