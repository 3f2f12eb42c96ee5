// The control's name and address properties through a host file of the test (no name
// service needed), the adapter list's bounds, the bound library's path and the type
// library's enumerations.
#include <winsock2.h>

#include <Tetherline.h>

#include <cstring>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "WinTestSupport.h"

namespace controltest {
namespace {

constexpr DISPID kAdapterAddress = 1;
constexpr DISPID kAdapterCount = 2;
constexpr DISPID kHostAlias = 21;
constexpr DISPID kHostFile = 22;
constexpr DISPID kLibrary = 32;
constexpr HRESULT kDesignTimeRefusal = static_cast<HRESULT>(0x800A018A);
constexpr HRESULT kStateRefusal = static_cast<HRESULT>(0x800A017F);
constexpr HRESULT kRangeRefusal = static_cast<HRESULT>(0x800A017C);

CallResult PutText(LateBound& c, DISPID id, const wchar_t* text) {
    VariantValue v;
    *v.Get() = Text(text);
    return c.Put(id, *v.Get());
}

CallResult GetIndexed(LateBound& c, DISPID id, LONG index, std::wstring* text) {
    VariantValue v;
    CallResult r = c.Invoke(id, DISPATCH_PROPERTYGET, {Long(index)}, v.Get());
    if (SUCCEEDED(r.code) && V_VT(v.Get()) == VT_BSTR && V_BSTR(v.Get())) *text = V_BSTR(v.Get());
    return r;
}

class NamePropertiesTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        hostFile_ = dir_.File("hosts");
        ASSERT_TRUE(testsupport::WriteFileBytes(hostFile_,
                                                "# test hosts\r\n"
                                                "10.0.0.7\t\tgamehost.skirmora.invalid  gh\t# arena\r\n"
                                                "10.0.0.8 lobby.skirmora.invalid\r\n"));
    }
    testsupport::ScratchDir dir_{"wirelatch-names"};
    std::string hostFile_;
};

TEST_F(NamePropertiesTest, HostNameResolvesThroughTheHostFileWithAutoResolve) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    LateBound c(control.Get());
    const std::wstring file(hostFile_.begin(), hostFile_.end());
    ASSERT_EQ(PutText(c, kHostFile, file.c_str()).code, S_OK);
    EXPECT_EQ(lstrcmpiW(c.GetText(kHostFile).c_str(), file.c_str()), 0) << c.GetText(kHostFile);

    ASSERT_EQ(c.Put(kAutoResolve, Bool(true)).code, S_OK);
    ASSERT_EQ(PutText(c, kHostName, L"GH").code, S_OK);
    EXPECT_EQ(c.GetText(kHostName), L"GH");
    EXPECT_EQ(c.GetText(kHostAddress), L"10.0.0.7");

    // A dotted address put into HostName moves to HostAddress; the name comes from the file.
    ASSERT_EQ(PutText(c, kHostName, L"10.0.0.8").code, S_OK);
    EXPECT_EQ(c.GetText(kHostAddress), L"10.0.0.8");
    EXPECT_EQ(c.GetText(kHostName), L"lobby.skirmora.invalid");

    ASSERT_EQ(PutText(c, kHostAddress, L"10.0.0.7").code, S_OK);
    EXPECT_EQ(c.GetText(kHostName), L"gamehost.skirmora.invalid");

    // An unknown name is no error; the address stays empty.
    ASSERT_EQ(PutText(c, kHostName, L"nowhere.skirmora.invalid").code, S_OK);
    EXPECT_EQ(c.GetText(kHostAddress), L"");
}

TEST_F(NamePropertiesTest, WithoutAutoResolveNothingIsLookedUp) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    LateBound c(control.Get());
    const std::wstring file(hostFile_.begin(), hostFile_.end());
    ASSERT_EQ(PutText(c, kHostFile, file.c_str()).code, S_OK);
    ASSERT_EQ(c.Put(kAutoResolve, Bool(false)).code, S_OK);

    ASSERT_EQ(PutText(c, kHostName, L"gh").code, S_OK);
    EXPECT_EQ(c.GetText(kHostAddress), L"");
    ASSERT_EQ(PutText(c, kHostName, L"10.0.0.7").code, S_OK);
    EXPECT_EQ(c.GetText(kHostName), L"");
    EXPECT_EQ(c.GetText(kHostAddress), L"10.0.0.7");

    // An empty HostAddress changes nothing; a text that is no address fails, after HostName
    // was emptied.
    ASSERT_EQ(PutText(c, kHostName, L"gh").code, S_OK);
    ASSERT_EQ(PutText(c, kHostAddress, L"").code, S_OK);
    EXPECT_EQ(c.GetText(kHostName), L"gh");
    EXPECT_EQ(PutText(c, kHostAddress, L"not an address").code, static_cast<HRESULT>(0x800A0000 | 11001));
    EXPECT_EQ(c.GetText(kHostName), L"");
}

// The platform's list for a host, as the C API gives it: official name, then the aliases.
std::vector<std::wstring> PlatformAliases(const char* host) {
    std::vector<std::wstring> names;
    if (!InetInitializeA(nullptr, nullptr)) return names;
    const int size = InetEnumHostAliasesA(host, nullptr, 0);
    if (size > 0) {
        std::string list(static_cast<size_t>(size) + 1, '\0');
        if (InetEnumHostAliasesA(host, list.data(), size) > 0) {
            for (const char* p = list.c_str(); *p; p += strlen(p) + 1) names.emplace_back(p, p + strlen(p));
        }
    }
    InetUninitialize();
    return names;
}

// The alias list comes from the platform's own host file (no name server is asked for
// localhost); the thread's host file of the library plays no part in it.
TEST_F(NamePropertiesTest, HostAliasListsTheOfficialNameThenTheAliases) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    LateBound c(control.Get());
    std::wstring text;
    // No name and no address: there is no list.
    EXPECT_EQ(GetIndexed(c, kHostAlias, 0, &text).code, E_INVALIDARG);

    const std::vector<std::wstring> byName = PlatformAliases("localhost");
    ASSERT_FALSE(byName.empty());
    ASSERT_EQ(PutText(c, kHostName, L"localhost").code, S_OK);
    for (size_t i = 0; i < byName.size(); ++i) {
        ASSERT_EQ(GetIndexed(c, kHostAlias, static_cast<LONG>(i), &text).code, S_OK) << i;
        EXPECT_EQ(text, byName[i]) << i;
    }
    const LONG count = static_cast<LONG>(byName.size());
    EXPECT_EQ(GetIndexed(c, kHostAlias, count, &text).code, E_INVALIDARG);
    EXPECT_EQ(GetIndexed(c, kHostAlias, -1, &text).code, E_INVALIDARG);
    EXPECT_EQ(GetIndexed(c, kHostAlias, 0x7FFFFFFF, &text).code, E_INVALIDARG);
    // The index converts like any argument; a text that is no number is a conversion failure.
    VariantValue v;
    EXPECT_EQ(c.Invoke(kHostAlias, DISPATCH_PROPERTYGET, {Text(L"0")}, v.Get()).code, S_OK);
    EXPECT_EQ(std::wstring(V_BSTR(v.Get())), byName[0]);
    EXPECT_EQ(c.Invoke(kHostAlias, DISPATCH_PROPERTYGET, {Text(L"first")}, v.Receive()).code, DISP_E_TYPEMISMATCH);

    // An address is preferred to the name and looked up by address; a new put builds a new list.
    const std::vector<std::wstring> byAddress = PlatformAliases("127.0.0.1");
    ASSERT_FALSE(byAddress.empty());
    ASSERT_EQ(PutText(c, kHostAddress, L"127.0.0.1").code, S_OK);
    for (size_t i = 0; i < byAddress.size(); ++i) {
        ASSERT_EQ(GetIndexed(c, kHostAlias, static_cast<LONG>(i), &text).code, S_OK) << i;
        EXPECT_EQ(text, byAddress[i]) << i;
    }
    EXPECT_EQ(GetIndexed(c, kHostAlias, static_cast<LONG>(byAddress.size()), &text).code, E_INVALIDARG);

    // The library's host file is not the platform's: a name only it knows has no alias list.
    const std::wstring file(hostFile_.begin(), hostFile_.end());
    ASSERT_EQ(PutText(c, kHostFile, file.c_str()).code, S_OK);
    ASSERT_EQ(PutText(c, kHostName, L"gamehost.skirmora.invalid").code, S_OK);
    EXPECT_EQ(GetIndexed(c, kHostAlias, 0, &text).code, static_cast<HRESULT>(0x800A0000 | 11001));
}

TEST_F(NamePropertiesTest, MissingHostFileFailsThePut) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    LateBound c(control.Get());
    const std::string missing = dir_.File("no-hosts-here");
    const std::wstring file(missing.begin(), missing.end());
    EXPECT_EQ(PutText(c, kHostFile, file.c_str()).code, static_cast<HRESULT>(0x800A0000 | 10002));
    EXPECT_EQ(c.GetText(kHostFile), L"");
}

TEST_F(NamePropertiesTest, DesignTimeRefusesNameProperties) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto site = FakeSite::Create(false);
    auto object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_TRUE(object);
    ASSERT_EQ(object->SetClientSite(site.Get()), S_OK);
    LateBound c(control.Get());
    VariantValue v;
    std::wstring text;
    EXPECT_EQ(c.Get(kHostAddress, v.Receive()).code, kDesignTimeRefusal);
    EXPECT_EQ(c.Get(kHostFile, v.Receive()).code, kDesignTimeRefusal);
    EXPECT_EQ(c.Get(kLibrary, v.Receive()).code, kDesignTimeRefusal);
    EXPECT_EQ(c.Get(kAdapterCount, v.Receive()).code, kDesignTimeRefusal);
    EXPECT_EQ(GetIndexed(c, kAdapterAddress, 0, &text).code, kDesignTimeRefusal);
    EXPECT_EQ(GetIndexed(c, kHostAlias, 0, &text).code, kDesignTimeRefusal);
    EXPECT_EQ(c.Get(kAutoResolve, v.Receive()).code, S_OK);
    // At design time a put HostAddress is not kept.
    EXPECT_EQ(PutText(c, kHostAddress, L"10.0.0.7").code, S_OK);
    site->userMode = true;
    EXPECT_EQ(c.GetText(kHostAddress), L"");
    object->SetClientSite(nullptr);
}

TEST_F(NamePropertiesTest, AdapterAddressIsBoundedByTheCount) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    LateBound c(control.Get());
    const LONG count = c.GetLong(kAdapterCount);
    ASSERT_GE(count, 1);
    EXPECT_LE(count, 64);
    std::wstring first;
    ASSERT_EQ(GetIndexed(c, kAdapterAddress, 0, &first).code, S_OK);
    DWORD addresses[64] = {};
    ASSERT_TRUE(InetInitializeA(nullptr, nullptr));
    const int listed = InetEnumNetworkAdresses(addresses, 64);
    InetUninitialize();
    ASSERT_GE(listed, 1);
    wchar_t expected[32];
    InetFormatAddressW(addresses[0], expected, 32);
    EXPECT_EQ(first, expected);
    std::wstring text;
    EXPECT_EQ(GetIndexed(c, kAdapterAddress, count, &text).code, E_INVALIDARG);
    EXPECT_EQ(GetIndexed(c, kAdapterAddress, -1, &text).code, E_INVALIDARG);
    EXPECT_EQ(GetIndexed(c, kAdapterAddress, 0x7FFFFFFF, &text).code, E_INVALIDARG);
}

TEST_F(NamePropertiesTest, LibraryIsThePathOfTheBoundSocketsLibrary) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    LateBound c(control.Get());
    EXPECT_EQ(c.Call(kInitialize).code, S_OK);
    const std::wstring library = c.GetText(kLibrary);
    HMODULE module = GetModuleHandleW(library.c_str());
    EXPECT_NE(module, nullptr) << library;
    EXPECT_NE(library.find(L'\\'), std::wstring::npos) << library;
    // Once started the library cannot be changed.
    EXPECT_EQ(PutText(c, kLibrary, L"ws2_32.dll").code, kStateRefusal);
    EXPECT_EQ(c.GetText(kLibrary), library);
}

TEST_F(NamePropertiesTest, RemotePortOutOfRangeIsRefused) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    LateBound c(control.Get());
    EXPECT_EQ(c.Put(kRemotePort, Long(65536)).code, kRangeRefusal);
    EXPECT_EQ(c.Put(kRemotePort, Long(0)).code, kRangeRefusal);
    EXPECT_EQ(c.Put(kRemotePort, Long(80)).code, S_OK);
    EXPECT_EQ(c.GetLong(kRemotePort), 80);
}

TEST_F(NamePropertiesTest, TypeLibraryNamesErrorAndSecureConstants) {
    ComPtr<ITypeLib> library;
    const std::string path = ControlPath();
    const std::wstring wide(path.begin(), path.end());
    ASSERT_EQ(LoadTypeLibEx(wide.c_str(), REGKIND_NONE, library.Receive()), S_OK);
    for (const wchar_t* name : {L"wlErrorConstants", L"wlSecureProtocolConstants", L"wlSecureCipherConstants",
                                L"wlSecureHashConstants", L"wlSecureKeyExchangeConstants", L"wlCertificateConstants"}) {
        std::wstring copy = name;
        ITypeInfo* info = nullptr;
        MEMBERID member = 0;
        USHORT found = 1;
        ASSERT_EQ(library->FindName(copy.data(), 0, &info, &member, &found), S_OK);
        EXPECT_EQ(found, 1) << "missing " << std::string(copy.begin(), copy.end());
        if (info) info->Release();
    }
}

}  // namespace
}  // namespace controltest
