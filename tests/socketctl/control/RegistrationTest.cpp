// Registration through regsvr32 and the registered type library.
#include "ControlFixture.h"
#include "WinTestSupport.h"

namespace controltest {
namespace {

using testsupport::RegReadString;

constexpr char kClassKey[] = "CLSID\\{B94DC122-5EB7-4EED-8C6C-9E0022FD9AC3}";
constexpr char kDescription[] = "Ardency Wirelatch Control 4.0 (SP3)";

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
}

void ExpectRegistered() {
    const std::string cls = kClassKey;
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, "Wirekit.Wirelatch.1", ""), kDescription);
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, "Wirekit.Wirelatch.1\\CLSID", ""),
              "{B94DC122-5EB7-4EED-8C6C-9E0022FD9AC3}");
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, "Wirekit.Wirelatch", ""), kDescription);
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, "Wirekit.Wirelatch\\CLSID", ""),
              "{B94DC122-5EB7-4EED-8C6C-9E0022FD9AC3}");
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, "Wirekit.Wirelatch\\CurVer", ""), "Wirekit.Wirelatch.1");
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, cls, ""), kDescription);
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, cls + "\\ProgID", ""), "Wirekit.Wirelatch.1");
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, cls + "\\VersionIndependentProgID", ""), "Wirekit.Wirelatch");
    auto server = RegReadString(HKEY_CLASSES_ROOT, cls + "\\InprocServer32", "");
    ASSERT_TRUE(server.has_value());
    EXPECT_EQ(Upper(*server), Upper(ControlPath()));
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, cls + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, cls + "\\ToolboxBitmap32", ""), *server + ", 202");
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, cls + "\\MiscStatus", ""), "0");
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, cls + "\\MiscStatus\\1", ""), "132497");
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, cls + "\\TypeLib", ""), "{575C54CD-73C5-437B-B179-A0B0F35AC1A7}");
    EXPECT_EQ(RegReadString(HKEY_CLASSES_ROOT, cls + "\\Version", ""), "1.0");
    for (const char* sub : {"\\Programmable", "\\Control", "\\Insertable"}) {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, (cls + sub).c_str(), 0, KEY_READ, &key), ERROR_SUCCESS) << sub;
        if (key) RegCloseKey(key);
    }
    EXPECT_TRUE(RegReadString(HKEY_CLASSES_ROOT, "TypeLib\\{575C54CD-73C5-437B-B179-A0B0F35AC1A7}\\1.0", "")
                    .has_value());
}

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

TEST_F(ControlTest, RegistersAndUnregistersEveryEntry) {
    ExpectRegistered();
    ASSERT_EQ(RunRegsvr32(true), 0);
    EXPECT_FALSE(KeyExists(kClassKey));
    EXPECT_FALSE(KeyExists("Wirekit.Wirelatch.1"));
    EXPECT_FALSE(KeyExists("Wirekit.Wirelatch"));
    EXPECT_FALSE(KeyExists("TypeLib\\{575C54CD-73C5-437B-B179-A0B0F35AC1A7}"));
    CLSID clsid{};
    EXPECT_NE(CLSIDFromProgID(L"Wirekit.Wirelatch", &clsid), S_OK);
    // Registered again for the other tests; a second registration over the first is clean.
    ASSERT_EQ(RunRegsvr32(false), 0);
    ASSERT_EQ(RunRegsvr32(false), 0);
    ExpectRegistered();
    EXPECT_EQ(CLSIDFromProgID(L"Wirekit.Wirelatch", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Wirelatch));
}

// The type library: names, dispatch identifiers and the slot order of IWirelatch.
TEST_F(ControlTest, TypeLibraryDescribesTheInterfaceInSlotOrder) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(LIBID_WirelatchCtl, 1, 0, 0x409, library.Receive()), S_OK);
    TLIBATTR* libAttr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&libAttr), S_OK);
    EXPECT_EQ(libAttr->lcid, 0x409u);
    EXPECT_EQ(libAttr->wMajorVerNum, 1);
    EXPECT_EQ(libAttr->wMinorVerNum, 0);
    library->ReleaseTLibAttr(libAttr);

    // The dual interface's vtable side.
    ComPtr<ITypeInfo> dispatchSide;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID_IWirelatch, dispatchSide.Receive()), S_OK);
    HREFTYPE vtableRef = 0;
    ASSERT_EQ(dispatchSide->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef), S_OK);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatchSide->GetRefTypeInfo(vtableRef, info.Receive()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    const UINT functions = attr->cFuncs;
    const bool dual = (attr->wTypeFlags & TYPEFLAG_FDUAL) != 0;
    info->ReleaseTypeAttr(attr);
    EXPECT_TRUE(dual);
    // About, Enabled put and get, 66 gets, 33 puts, LastErrorString, 15 methods.
    EXPECT_EQ(functions, 3u + 66u + 33u + 1u + 15u);

    std::vector<std::pair<std::wstring, DISPID>> order;
    SHORT lastOffset = -1;
    const SHORT slot = static_cast<SHORT>(sizeof(void*));
    for (UINT i = 0; i < functions; ++i) {
        FUNCDESC* desc = nullptr;
        ASSERT_EQ(info->GetFuncDesc(i, &desc), S_OK);
        BSTR name = nullptr;
        UINT got = 0;
        info->GetNames(desc->memid, &name, 1, &got);
        order.emplace_back(name ? name : L"", desc->memid);
        SysFreeString(name);
        // Slots follow the seven IUnknown and IDispatch slots, one after another.
        EXPECT_EQ(desc->oVft, static_cast<SHORT>((7 + i) * slot)) << i;
        EXPECT_GT(desc->oVft, lastOffset);
        lastOffset = desc->oVft;
        info->ReleaseFuncDesc(desc);
    }
    ASSERT_EQ(order.size(), functions);
    EXPECT_EQ(order[0], std::make_pair(std::wstring(L"About"), DISPID(-552)));
    EXPECT_EQ(order[1], std::make_pair(std::wstring(L"Enabled"), DISPID(-514)));
    EXPECT_EQ(order[2], std::make_pair(std::wstring(L"Enabled"), DISPID(-514)));
    EXPECT_EQ(order[3], std::make_pair(std::wstring(L"AdapterAddress"), DISPID(1)));
    // Properties in alphabetical order with rising identifiers, then LastErrorString and the methods.
    std::wstring previous;
    DISPID previousId = 0;
    size_t i = 3;
    for (; i < order.size() && order[i].second <= 66; ++i) {
        EXPECT_GE(order[i].first, previous);
        EXPECT_GE(order[i].second, previousId);
        previous = order[i].first;
        previousId = order[i].second;
    }
    EXPECT_EQ(previous, L"Version");
    EXPECT_EQ(previousId, 66);
    ASSERT_LT(i, order.size());
    EXPECT_EQ(order[i], std::make_pair(std::wstring(L"LastErrorString"), DISPID(82)));
    const wchar_t* methods[] = {L"Abort", L"Accept", L"Authenticate", L"Cancel", L"Connect", L"Disconnect",
                                L"Flush", L"Initialize", L"Listen", L"Read", L"Reset", L"Resolve",
                                L"Shutdown", L"Write", L"Uninitialize"};
    for (int m = 0; m < 15; ++m) EXPECT_EQ(order[i + 1 + m], std::make_pair(std::wstring(methods[m]), DISPID(67 + m)));

    // The event interface and the class.
    ComPtr<ITypeInfo> events;
    ASSERT_EQ(library->GetTypeInfoOfGuid(DIID__IWirelatchEvents, events.Receive()), S_OK);
    const wchar_t* eventNames[] = {L"OnAccept", L"OnCancel", L"OnConnect", L"OnDisconnect", L"OnError",
                                   L"OnRead", L"OnTimeout", L"OnTimer", L"OnWrite"};
    for (int e = 0; e < 9; ++e) {
        LPOLESTR name = const_cast<LPOLESTR>(eventNames[e]);
        MEMBERID id = 0;
        EXPECT_EQ(events->GetIDsOfNames(&name, 1, &id), S_OK);
        EXPECT_EQ(id, e + 1) << e;
    }
    ComPtr<ITypeInfo> coclass;
    EXPECT_EQ(library->GetTypeInfoOfGuid(CLSID_Wirelatch, coclass.Receive()), S_OK);
}

// The properties holding one of the library's constants are typed by its enumeration, and
// still travel as 32-bit integers to a late-bound caller.
TEST_F(ControlTest, ConstantPropertiesAreTypedByTheirEnumerations) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(LIBID_WirelatchCtl, 1, 0, 0x409, library.Receive()), S_OK);
    ComPtr<ITypeInfo> dispatchSide;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID_IWirelatch, dispatchSide.Receive()), S_OK);
    HREFTYPE vtableRef = 0;
    ASSERT_EQ(dispatchSide->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef), S_OK);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatchSide->GetRefTypeInfo(vtableRef, info.Receive()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    const UINT functions = attr->cFuncs;
    info->ReleaseTypeAttr(attr);

    // The type name of the value of a member's get (or put); empty when it is no enumeration.
    auto valueType = [&](DISPID id, INVOKEKIND kind) {
        std::wstring found = L"<missing>";
        for (UINT i = 0; i < functions; ++i) {
            FUNCDESC* desc = nullptr;
            if (info->GetFuncDesc(i, &desc) != S_OK) continue;
            if (desc->memid == id && desc->invkind == kind && desc->cParams >= 1) {
                const TYPEDESC* type = &desc->lprgelemdescParam[desc->cParams - 1].tdesc;
                if (type->vt == VT_PTR) type = type->lptdesc;
                found.clear();
                ComPtr<ITypeInfo> named;
                if (type->vt == VT_USERDEFINED && info->GetRefTypeInfo(type->hreftype, named.Receive()) == S_OK) {
                    TYPEATTR* namedAttr = nullptr;
                    BSTR name = nullptr;
                    if (named->GetTypeAttr(&namedAttr) == S_OK) {
                        if (namedAttr->typekind == TKIND_ENUM && named->GetDocumentation(MEMBERID_NIL, &name, nullptr,
                                                                                         nullptr, nullptr) == S_OK)
                            found = name ? name : L"";
                        named->ReleaseTypeAttr(namedAttr);
                    }
                    SysFreeString(name);
                }
            }
            info->ReleaseFuncDesc(desc);
        }
        return found;
    };
    const std::pair<DISPID, const wchar_t*> typed[] = {
        {8, L"wlByteOrderConstants"},        {13, L"wlCertificateConstants"},   {47, L"wlProtocolConstants"},
        {54, L"wlSecureCipherConstants"},    {55, L"wlSecureHashConstants"},    {56, L"wlSecureKeyExchangeConstants"},
        {57, L"wlSecureProtocolConstants"},  {58, L"wlStatusConstants"}};
    for (const auto& [id, name] : typed) EXPECT_EQ(valueType(id, INVOKE_PROPERTYGET), name) << id;
    EXPECT_EQ(valueType(8, INVOKE_PROPERTYPUT), L"wlByteOrderConstants");
    EXPECT_EQ(valueType(47, INVOKE_PROPERTYPUT), L"wlProtocolConstants");
    // Counts, flags and numbers stay plain: TraceFlags holds several bits at once.
    EXPECT_EQ(valueType(63, INVOKE_PROPERTYGET), L"");
    EXPECT_EQ(valueType(16, INVOKE_PROPERTYGET), L"");

    // Through the dispatch interface they are 32-bit integers, named by the enumeration or not.
    LateBound c(CreateControl().Get());
    ASSERT_TRUE(c.Object());
    VariantValue v;
    ASSERT_EQ(c.Get(kProtocol, v.Get()).code, S_OK);
    EXPECT_EQ(V_VT(v.Get()), VT_I4);
    EXPECT_EQ(V_I4(v.Get()), 6);
    EXPECT_EQ(c.Put(kProtocol, Long(17)).code, S_OK);
    EXPECT_EQ(c.GetLong(kProtocol), 17);
    EXPECT_EQ(c.Put(kProtocol, Long(99)).code, S_OK);
    EXPECT_EQ(c.GetLong(kProtocol), 99);
    EXPECT_EQ(c.Put(kByteOrder, Long(1)).code, S_OK);
    EXPECT_EQ(c.GetLong(kByteOrder), 1);
    ASSERT_EQ(c.Get(kState, v.Receive()).code, S_OK);
    EXPECT_EQ(V_VT(v.Get()), VT_I4);
    EXPECT_EQ(V_I4(v.Get()), 0);
}

}  // namespace
}  // namespace controltest
