// The network adapter's physical address through NetBIOS.
#include <windows.h>
#include <nb30.h>

#include <cstdio>
#include <cstring>

#include "LibraryCore.h"
#include "TextConvert.h"
#include "Tetherline.h"

namespace inet {
namespace {

struct AdapterStatus {
    ADAPTER_STATUS status;
    NAME_BUFFER names[30];
};
static_assert(sizeof(AdapterStatus) <= 600, "the adapter status fits the 600-byte answer");

// The first adapter that looks like an Ethernet card, as "XX:XX:XX:XX:XX:XX".
bool FindAdapterAddress(char (&text)[18]) {
    LANA_ENUM lanas{};
    NCB ncb{};
    ncb.ncb_command = NCBENUM;
    ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
    ncb.ncb_length = sizeof lanas;
    if (Netbios(&ncb) != NRC_GOODRET) return false;
    for (int i = 0; i < lanas.length && i < MAX_LANA; ++i) {
        std::memset(&ncb, 0, sizeof ncb);
        ncb.ncb_command = NCBRESET;
        ncb.ncb_lana_num = lanas.lana[i];
        Netbios(&ncb);
        unsigned char answer[600] = {};
        std::memset(&ncb, 0, sizeof ncb);
        ncb.ncb_command = NCBASTAT;
        ncb.ncb_lana_num = lanas.lana[i];
        std::memset(ncb.ncb_callname, ' ', NCBNAMSZ);
        ncb.ncb_callname[0] = '*';
        ncb.ncb_buffer = answer;
        ncb.ncb_length = sizeof answer;
        if (Netbios(&ncb) != NRC_GOODRET || ncb.ncb_retcode != NRC_GOODRET) continue;
        ADAPTER_STATUS status;
        std::memcpy(&status, answer, sizeof status);
        const unsigned char* a = status.adapter_address;
        bool allZero = !(a[0] | a[1] | a[2] | a[3] | a[4] | a[5]);
        if (allZero || (status.adapter_type != 0xFF && status.adapter_type != 0xFE) || status.max_dgram_size != 512 ||
            status.max_sess_pkt_size != 0xFFFF)
            continue;
        std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
        return true;
    }
    return false;
}

}  // namespace
}  // namespace inet

using namespace inet;

extern "C" {

BOOL WINAPI InetGetPhysicalAddressA(LPSTR lpszBuffer, INT nMaxLength) {
    if (!InetCheckInitialized()) return FALSE;
    if (!lpszBuffer || nMaxLength < 1) {
        InetStoreLastError(kErrInvalidParameter);
        return FALSE;
    }
    lpszBuffer[0] = '\0';
    char text[18];
    if (!FindAdapterAddress(text)) return FALSE;
    CopyToNarrow(text, lpszBuffer, nMaxLength);
    return TRUE;
}

BOOL WINAPI InetGetPhysicalAddressW(LPWSTR lpszBuffer, INT nMaxLength) {
    if (!InetCheckInitialized()) return FALSE;
    if (!lpszBuffer || nMaxLength < 1) {
        InetStoreLastError(kErrInvalidParameter);
        return FALSE;
    }
    lpszBuffer[0] = L'\0';
    char text[18];
    if (!InetGetPhysicalAddressA(text, sizeof text)) return FALSE;
    CopyToWide(text, lpszBuffer, nMaxLength);
    return TRUE;
}

}  // extern "C"
