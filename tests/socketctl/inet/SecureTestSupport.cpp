// Shared pieces of the secure socket tests.
#include "SecureTestSupport.h"

#include <string>

namespace inettest {
namespace {

std::vector<BYTE> Decoded(const std::string& pem) {
    DWORD size = 0;
    if (!CryptStringToBinaryA(pem.c_str(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER, nullptr, &size,
                              nullptr, nullptr))
        return {};
    std::vector<BYTE> der(size);
    CryptStringToBinaryA(pem.c_str(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER, der.data(), &size,
                         nullptr, nullptr);
    der.resize(size);
    return der;
}

}  // namespace

std::string TlsFile(const std::string& name) {
    return testsupport::SourceFolder() + "\\tests\\socketctl\\inet\\tls\\" + name;
}

TlsPeer::TlsPeer(const std::string& certificate, const std::string& ciphers, bool askForClient) {
    const std::string folder = "tests/socketctl/inet/tls/";
    std::string args = "serve 0 " + folder + certificate + ".pem " + folder + certificate + ".key";
    args += " " + (ciphers.empty() ? std::string("-") : ciphers);
    if (askForClient) args += " ask";
    // Port 0: the peer binds a free port itself and names it once it listens.
    port_ = testsupport::PortAfter(testsupport::StartPythonAnnounced(child_, "tests/socketctl/inet/tls_peers.py", args),
                                   "127.0.0.1:");
    ok_ = port_ != 0;
}

TrustedTestRoot::TrustedTestRoot() {
    auto pem = testsupport::ReadFileBytes(TlsFile("ca.pem"));
    if (!pem) return;
    std::vector<BYTE> der = Decoded(*pem);
    store_ = CertOpenSystemStoreA(0, "ROOT");
    if (!store_ || der.empty()) return;
    CertAddEncodedCertificateToStore(store_, X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()),
                                     CERT_STORE_ADD_REPLACE_EXISTING, &added_);
    CertControlStore(store_, 0, CERT_STORE_CTRL_COMMIT, nullptr);
}

TrustedTestRoot::~TrustedTestRoot() {
    if (added_) CertDeleteCertificateFromStore(added_);  // frees the context too
    if (store_) CertCloseStore(store_, 0);
}

ServerCertificateInMy::ServerCertificateInMy() {
    auto pfx = testsupport::ReadFileBytes(TlsFile("server.pfx"));
    if (!pfx) return;
    CRYPT_DATA_BLOB blob{static_cast<DWORD>(pfx->size()), reinterpret_cast<BYTE*>(pfx->data())};
    HCERTSTORE imported = PFXImportCertStore(&blob, L"skirmora", CRYPT_USER_KEYSET | CRYPT_EXPORTABLE);
    if (!imported) return;
    my_ = CertOpenSystemStoreA(0, "MY");
    PCCERT_CONTEXT c = nullptr;
    while (my_ && (c = CertEnumCertificatesInStore(imported, c))) {
        DWORD size = 0;
        if (!CertGetCertificateContextProperty(c, CERT_KEY_PROV_INFO_PROP_ID, nullptr, &size)) continue;
        CertAddCertificateContextToStore(my_, c, CERT_STORE_ADD_REPLACE_EXISTING, &added_);
        // Written through now, for the library's own handle of the store.
        CertControlStore(my_, 0, CERT_STORE_CTRL_COMMIT, nullptr);
        CertFreeCertificateContext(c);
        break;
    }
    CertCloseStore(imported, 0);
}

ServerCertificateInMy::~ServerCertificateInMy() {
    if (added_) CertDeleteCertificateFromStore(added_);
    if (my_) CertCloseStore(my_, 0);
}

NoteWindow::NoteWindow() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &NoteWindow::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SecureNoteWindow";
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    hwnd_ = CreateWindowExA(0, "SecureNoteWindow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleA(nullptr), this);
}

NoteWindow::~NoteWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

int NoteWindow::Count(SOCKET s, UINT event) const {
    int n = 0;
    for (const SocketNote& note : notes)
        if (note.s == s && note.event == event) ++n;
    return n;
}

const SocketNote* NoteWindow::First(SOCKET s, UINT event) const {
    for (const SocketNote& note : notes)
        if (note.s == s && note.event == event) return &note;
    return nullptr;
}

bool NoteWindow::WaitFor(SOCKET s, UINT event, int count, DWORD ms) const {
    return testsupport::PumpUntil([&] { return Count(s, event) >= count; }, ms);
}

LRESULT CALLBACK NoteWindow::Proc(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<NoteWindow*>(reinterpret_cast<CREATESTRUCTA*>(second)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<NoteWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == kNotifyMessage) {
        self->notes.push_back(
            {static_cast<SOCKET>(first), LOWORD(static_cast<DWORD>(second)), HIWORD(static_cast<DWORD>(second))});
        return 0;
    }
    return DefWindowProcA(window, message, first, second);
}

std::string ReadExactly(SOCKET s, size_t size) {
    std::string out;
    char buffer[4096];
    while (out.size() < size) {
        const int want = static_cast<int>(std::min(sizeof buffer, size - out.size()));
        const int n = InetRead(s, buffer, want);
        if (n <= 0) break;
        out.append(buffer, static_cast<size_t>(n));
    }
    return out;
}

}  // namespace inettest
