// The service-name properties, resolved through the services file of the Windows installation.
#include <string>

#include "ControlFixture.h"
#include "WinTestSupport.h"

namespace controltest {
namespace {

constexpr DISPID kLocalService = 38;
constexpr DISPID kRemoteService = 49;
constexpr HRESULT kStateRefusal = static_cast<HRESULT>(0x800A017F);
constexpr HRESULT kUnknownService = static_cast<HRESULT>(0x800A0000 | 12007);
constexpr HRESULT kBadServicePort = static_cast<HRESULT>(0x800A0000 | 12006);

CallResult PutText(LateBound& c, DISPID id, const wchar_t* text) {
    VariantValue v;
    *v.Get() = Text(text);
    return c.Put(id, *v.Get());
}

TEST_F(ControlTest, ServiceNamesAreResolvedThroughTheServicesFile) {
    LateBound c(CreateControl().Get());
    ASSERT_TRUE(c.Object());
    // "hosts2-ns" is listed in the Windows installation's services file only.
    ASSERT_EQ(PutText(c, kRemoteService, L"hosts2-ns").code, S_OK);
    EXPECT_EQ(c.GetLong(kRemotePort), 81);
    EXPECT_EQ(c.GetText(kRemoteService), L"hosts2-ns");
    ASSERT_EQ(PutText(c, kRemoteService, L"telnet").code, S_OK);
    EXPECT_EQ(c.GetLong(kRemotePort), 23);
    ASSERT_EQ(c.Put(kRemotePort, Long(107)).code, S_OK);
    EXPECT_EQ(c.GetText(kRemoteService), L"rtelnet");

    ASSERT_EQ(PutText(c, kLocalService, L"ftp").code, S_OK);
    EXPECT_EQ(c.GetLong(kLocalPort), 21);
    EXPECT_EQ(c.GetText(kLocalService), L"ftp");
    ASSERT_EQ(c.Put(kLocalPort, Long(81)).code, S_OK);
    EXPECT_EQ(c.GetText(kLocalService), L"hosts2-ns");
    // A port number as text is taken as it is.
    ASSERT_EQ(PutText(c, kLocalService, L"8081").code, S_OK);
    EXPECT_EQ(c.GetLong(kLocalPort), 8081);

    // Unknown names, impossible ports and empty text fail the put and change nothing.
    EXPECT_EQ(PutText(c, kRemoteService, L"no-such-service").code, kUnknownService);
    EXPECT_EQ(PutText(c, kRemoteService, L"70000").code, kBadServicePort);
    EXPECT_EQ(PutText(c, kLocalService, L"").code, static_cast<HRESULT>(0x800A0000 | 10014));
    EXPECT_EQ(c.GetLong(kRemotePort), 107);
    EXPECT_EQ(c.GetLong(kLocalPort), 8081);
    // A port with no service in the file has an empty name; so has no port at all.
    ASSERT_EQ(c.Put(kRemotePort, Long(4778)).code, S_OK);
    EXPECT_EQ(c.GetText(kRemoteService), L"");
    ASSERT_EQ(c.Call(kReset).code, S_OK);
    EXPECT_EQ(c.GetLong(kRemotePort), 0);
    EXPECT_EQ(c.GetText(kRemoteService), L"");
}

TEST_F(ControlTest, ServicePutsAreRefusedUnderAnOpenSocket) {
    LateBound c(CreateControl().Get());
    ASSERT_TRUE(c.Object());
    ASSERT_EQ(PutText(c, kLocalService, L"telnet").code, S_OK);
    const uint16_t port = testsupport::FreePort();
    ASSERT_EQ(c.Call(kListen, {Missing(), Long(port)}).code, S_OK);
    // With a socket the name is the socket's port's: this free port has none.
    EXPECT_EQ(c.GetLong(kLocalPort), port);
    EXPECT_EQ(c.GetText(kLocalService), L"");
    EXPECT_EQ(PutText(c, kLocalService, L"ftp").code, kStateRefusal);
    EXPECT_EQ(PutText(c, kRemoteService, L"ftp").code, kStateRefusal);
    EXPECT_EQ(c.GetLong(kLocalPort), port);
    c.Call(kDisconnect);
}

}  // namespace
}  // namespace controltest
