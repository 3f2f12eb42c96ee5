/* Tetherline sockets API: the C functions exported by Tetherline.dll.
 *
 * Every function uses the standard Windows calling convention. Text functions come in
 * narrow (A, system code page) and wide (W) forms. A failing function sets the calling
 * thread's last error (read it with InetGetLastError, its text with InetGetErrorString);
 * error values are 0x80040000 | code. */
#ifndef TETHERLINE_H
#define TETHERLINE_H

#include <winsock2.h>
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef TETHERLINE_BUILDING
#define INETAPI
#else
#define INETAPI __declspec(dllimport)
#endif

/* Error values. */
#define INET_ERROR_BASE 0x80040000UL
#define INET_ERROR(code) (INET_ERROR_BASE | (DWORD)(code))

/* Initialisation record. */
#define INET_INFO_STARTUP 0x20000000UL
#define INET_DESCRIPTION_CHARS_A 132
#define INET_DESCRIPTION_CHARS_W 130

typedef struct INETINFOA {
    DWORD dwSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwFlags;
    DWORD dwReserved;
    LPWSADATA lpWsaData;
    CHAR szDescription[INET_DESCRIPTION_CHARS_A];
} INETINFOA, *LPINETINFOA;

typedef struct INETINFOW {
    DWORD dwSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwFlags;
    DWORD dwReserved;
    LPWSADATA lpWsaData;
    WCHAR szDescription[INET_DESCRIPTION_CHARS_W];
} INETINFOW, *LPINETINFOW;

/* Protocols, status values, options, shutdown directions, trace flags. */
#define INET_PROTOCOL_TCP 6
#define INET_PROTOCOL_UDP 17
#define INET_PROTOCOL_RAW 255

#define INET_STATUS_IDLE 1
#define INET_STATUS_LISTEN 2
#define INET_STATUS_CONNECT 3
#define INET_STATUS_ACCEPT 4
#define INET_STATUS_READ 5
#define INET_STATUS_WRITE 6
#define INET_STATUS_FLUSH 7
#define INET_STATUS_DISCONNECT 8

#define INET_OPTION_BROADCAST 0x01
#define INET_OPTION_DONTROUTE 0x02
#define INET_OPTION_KEEPALIVE 0x04
#define INET_OPTION_REUSEADDRESS 0x08
#define INET_OPTION_NODELAY 0x10
#define INET_OPTION_INLINE 0x20
#define INET_OPTION_SECURE 0x10000000UL

#define INET_PORT_RESERVED 1024

#define INET_SHUTDOWN_READ 0
#define INET_SHUTDOWN_WRITE 1
#define INET_SHUTDOWN_READWRITE 2

#define INET_TRACE_INFO 0
#define INET_TRACE_ERROR 1
#define INET_TRACE_WARNING 2
#define INET_TRACE_HEXDUMP 4

/* Event bits. */
#define INET_EVENT_ACCEPT 0x01
#define INET_EVENT_CONNECT 0x02
#define INET_EVENT_DISCONNECT 0x04
#define INET_EVENT_READ 0x08
#define INET_EVENT_WRITE 0x10
#define INET_EVENT_TIMEOUT 0x20
#define INET_EVENT_ALL 0x7F

typedef void(WINAPI* INETEVENTPROC)(SOCKET hSocket, UINT nEvent, DWORD dwError, LPVOID lpParam);

/* Secure-socket records (made and read by the library). */
typedef struct SECURITYCREDENTIALSA {
    DWORD dwSize;
    DWORD dwProtocol;
    DWORD dwOptions;
    DWORD dwReserved1;
    DWORD dwReserved2;
    LPSTR lpszUserName;
    LPSTR lpszPassword;
    LPSTR lpszCertStore;
    LPSTR lpszCertName;
} SECURITYCREDENTIALSA, *LPSECURITYCREDENTIALSA;

typedef struct SECURITYCREDENTIALSW {
    DWORD dwSize;
    DWORD dwProtocol;
    DWORD dwOptions;
    DWORD dwReserved1;
    DWORD dwReserved2;
    LPWSTR lpszUserName;
    LPWSTR lpszPassword;
    LPWSTR lpszCertStore;
    LPWSTR lpszCertName;
} SECURITYCREDENTIALSW, *LPSECURITYCREDENTIALSW;

typedef struct SECURITYINFOA {
    DWORD dwSize;
    DWORD dwProtocol;
    DWORD dwCipher;
    DWORD dwCipherStrength;
    DWORD dwHash;
    DWORD dwHashStrength;
    DWORD dwKeyExchange;
    DWORD dwCertStatus;
    SYSTEMTIME stCertValidFrom;
    SYSTEMTIME stCertValidTo;
    LPSTR lpszCertIssuer;
    LPSTR lpszCertSubject;
} SECURITYINFOA, *LPSECURITYINFOA;

typedef struct SECURITYINFOW {
    DWORD dwSize;
    DWORD dwProtocol;
    DWORD dwCipher;
    DWORD dwCipherStrength;
    DWORD dwHash;
    DWORD dwHashStrength;
    DWORD dwKeyExchange;
    DWORD dwCertStatus;
    SYSTEMTIME stCertValidFrom;
    SYSTEMTIME stCertValidTo;
    LPWSTR lpszCertIssuer;
    LPWSTR lpszCertSubject;
} SECURITYINFOW, *LPSECURITYINFOW;

/* Library core and error texts. */
INETAPI BOOL WINAPI InetInitializeExA(LPCSTR lpszLibrary, LPCSTR lpszReserved, LPINETINFOA lpInfo);
INETAPI BOOL WINAPI InetInitializeExW(LPCWSTR lpszLibrary, LPCWSTR lpszReserved, LPINETINFOW lpInfo);
INETAPI BOOL WINAPI InetInitializeA(LPCSTR lpszReserved, LPINETINFOA lpInfo);
INETAPI BOOL WINAPI InetInitializeW(LPCWSTR lpszReserved, LPINETINFOW lpInfo);
INETAPI BOOL WINAPI InetUninitialize(void);
INETAPI DWORD WINAPI InetGetLastError(void);
INETAPI void WINAPI InetSetLastError(DWORD dwError);
INETAPI INT WINAPI InetGetErrorStringA(DWORD dwError, LPSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetGetErrorStringW(DWORD dwError, LPWSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetEnableTraceA(LPCSTR lpszTraceFile, DWORD dwTraceFlags);
INETAPI INT WINAPI InetEnableTraceW(LPCWSTR lpszTraceFile, DWORD dwTraceFlags);
INETAPI INT WINAPI InetDisableTrace(void);

/* Connections. Time-outs up to 1000 are seconds, larger values milliseconds. */
INETAPI SOCKET WINAPI InetAsyncConnectExA(LPCSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout,
                                          DWORD dwOptions, DWORD dwLocalAddress, UINT nLocalPort,
                                          LPSECURITYCREDENTIALSA lpCredentials, HWND hWnd, UINT uMsg);
INETAPI SOCKET WINAPI InetAsyncConnectExW(LPCWSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout,
                                          DWORD dwOptions, DWORD dwLocalAddress, UINT nLocalPort,
                                          LPSECURITYCREDENTIALSW lpCredentials, HWND hWnd, UINT uMsg);
INETAPI SOCKET WINAPI InetAsyncConnectA(LPCSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout,
                                        HWND hWnd, UINT uMsg);
INETAPI SOCKET WINAPI InetAsyncConnectW(LPCWSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout,
                                        HWND hWnd, UINT uMsg);
INETAPI SOCKET WINAPI InetConnectExA(LPCSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout,
                                     DWORD dwOptions, DWORD dwLocalAddress, UINT nLocalPort,
                                     LPSECURITYCREDENTIALSA lpCredentials);
INETAPI SOCKET WINAPI InetConnectExW(LPCWSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout,
                                     DWORD dwOptions, DWORD dwLocalAddress, UINT nLocalPort,
                                     LPSECURITYCREDENTIALSW lpCredentials);
INETAPI SOCKET WINAPI InetConnectA(LPCSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout);
INETAPI SOCKET WINAPI InetConnectW(LPCWSTR lpszHost, UINT nPort, UINT nProtocol, UINT nTimeout);
INETAPI SOCKET WINAPI InetAsyncListenExA(DWORD dwLocalAddress, UINT nPort, INT nBacklog, DWORD dwOptions,
                                         HWND hWnd, UINT uMsg);
INETAPI SOCKET WINAPI InetAsyncListenExW(DWORD dwLocalAddress, UINT nPort, INT nBacklog, DWORD dwOptions,
                                         HWND hWnd, UINT uMsg);
INETAPI SOCKET WINAPI InetAsyncListen(DWORD dwLocalAddress, UINT nPort, HWND hWnd, UINT uMsg);
INETAPI SOCKET WINAPI InetListenExA(DWORD dwLocalAddress, UINT nPort, INT nBacklog, DWORD dwOptions);
INETAPI SOCKET WINAPI InetListenExW(DWORD dwLocalAddress, UINT nPort, INT nBacklog, DWORD dwOptions);
INETAPI SOCKET WINAPI InetListen(DWORD dwLocalAddress, UINT nPort);
INETAPI SOCKET WINAPI InetAsyncAcceptExA(SOCKET hListen, UINT nTimeout, DWORD dwOptions,
                                         LPSECURITYCREDENTIALSA lpCredentials, HWND hWnd, UINT uMsg);
INETAPI SOCKET WINAPI InetAsyncAcceptExW(SOCKET hListen, UINT nTimeout, DWORD dwOptions,
                                         LPSECURITYCREDENTIALSW lpCredentials, HWND hWnd, UINT uMsg);
INETAPI SOCKET WINAPI InetAcceptExA(SOCKET hListen, UINT nTimeout, DWORD dwOptions,
                                    LPSECURITYCREDENTIALSA lpCredentials);
INETAPI SOCKET WINAPI InetAcceptExW(SOCKET hListen, UINT nTimeout, DWORD dwOptions,
                                    LPSECURITYCREDENTIALSW lpCredentials);
INETAPI SOCKET WINAPI InetAsyncAccept(SOCKET hListen, UINT nTimeout, HWND hWnd, UINT uMsg);
INETAPI SOCKET WINAPI InetAccept(SOCKET hListen, UINT nTimeout);
INETAPI INT WINAPI InetDisconnect(SOCKET hSocket);
INETAPI INT WINAPI InetAbortConnection(SOCKET hSocket);
INETAPI INT WINAPI InetCancelBlockingCall(SOCKET hSocket);
INETAPI SOCKET WINAPI InetGetBlockingSocket(void);
INETAPI INT WINAPI InetShutdown(SOCKET hSocket, INT nHow);
INETAPI INT WINAPI InetSecurityAuthenticationA(SOCKET hSocket, DWORD dwValue1, DWORD dwValue2,
                                               LPSECURITYCREDENTIALSA lpCredentials);
INETAPI INT WINAPI InetSecurityAuthenticationW(SOCKET hSocket, DWORD dwValue1, DWORD dwValue2,
                                               LPSECURITYCREDENTIALSW lpCredentials);

/* Data transfer and socket queries. Addresses are IPv4 in network byte order, ports in host
 * byte order. */
INETAPI INT WINAPI InetRead(SOCKET hSocket, LPVOID lpBuffer, INT nLength);
INETAPI INT WINAPI InetWrite(SOCKET hSocket, LPCVOID lpBuffer, INT nLength);
INETAPI INT WINAPI InetFlush(SOCKET hSocket);
INETAPI BOOL WINAPI InetIsReadable(SOCKET hSocket, DWORD dwMilliseconds, LPDWORD lpdwAvailable);
INETAPI BOOL WINAPI InetIsWritable(SOCKET hSocket, DWORD dwMilliseconds);
INETAPI BOOL WINAPI InetIsUrgent(SOCKET hSocket);
INETAPI BOOL WINAPI InetIsConnected(SOCKET hSocket);
INETAPI BOOL WINAPI InetIsConnectionClosed(SOCKET hSocket);
INETAPI BOOL WINAPI InetIsListening(SOCKET hSocket);
INETAPI BOOL WINAPI InetIsBlocking(SOCKET hSocket);
INETAPI INT WINAPI InetGetStatus(SOCKET hSocket);
INETAPI INT WINAPI InetGetOption(SOCKET hSocket, DWORD dwOption, LPDWORD lpdwValue);
INETAPI INT WINAPI InetSetOption(SOCKET hSocket, DWORD dwOption, DWORD dwValue);
INETAPI INT WINAPI InetSetTimeout(SOCKET hSocket, UINT nTimeout);
INETAPI INT WINAPI InetGetTimeout(SOCKET hSocket);
INETAPI INT WINAPI InetGetLocalAddress(SOCKET hSocket, LPDWORD lpdwAddress, LPUINT lpnPort);
INETAPI INT WINAPI InetGetPeerAddress(SOCKET hSocket, LPDWORD lpdwAddress, LPUINT lpnPort);
INETAPI INT WINAPI InetGetLocalAddressStringA(SOCKET hSocket, LPSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetGetLocalAddressStringW(SOCKET hSocket, LPWSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetEnumNetworkAdresses(LPDWORD lpdwAddresses, INT nMaxAddresses);
INETAPI BOOL WINAPI InetGetPhysicalAddressA(LPSTR lpszBuffer, INT nMaxLength);
INETAPI BOOL WINAPI InetGetPhysicalAddressW(LPWSTR lpszBuffer, INT nMaxLength);

/* Event notification. */
INETAPI INT WINAPI InetEnableEvents(SOCKET hSocket, HWND hWnd, UINT uMsg);
INETAPI INT WINAPI InetDisableEvents(SOCKET hSocket);
INETAPI INT WINAPI InetRegisterEvent(SOCKET hSocket, UINT nEventMask, INETEVENTPROC lpfnCallback, LPVOID lpParam);
INETAPI INT WINAPI InetFreezeEvents(SOCKET hSocket, BOOL bFreeze);

/* Host files and name resolution. */
INETAPI INT WINAPI InetGetDefaultHostFileA(LPSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetGetDefaultHostFileW(LPWSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetSetHostFileA(LPCSTR lpszFileName);
INETAPI INT WINAPI InetSetHostFileW(LPCWSTR lpszFileName);
INETAPI INT WINAPI InetGetHostFileA(LPSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetGetHostFileW(LPWSTR lpszBuffer, INT nMaxLength);
INETAPI DWORD WINAPI InetGetAddressA(LPCSTR lpszAddress);
INETAPI DWORD WINAPI InetGetAddressW(LPCWSTR lpszAddress);
INETAPI void WINAPI InetFormatAddressA(DWORD dwAddress, LPSTR lpszBuffer, INT nMaxLength);
INETAPI void WINAPI InetFormatAddressW(DWORD dwAddress, LPWSTR lpszBuffer, INT nMaxLength);
INETAPI DWORD WINAPI InetGetHostAddressA(LPCSTR lpszHostName);
INETAPI DWORD WINAPI InetGetHostAddressW(LPCWSTR lpszHostName);
INETAPI INT WINAPI InetGetHostNameA(DWORD dwAddress, LPSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetGetHostNameW(DWORD dwAddress, LPWSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetGetLocalNameA(LPSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetGetLocalNameW(LPWSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetEnumHostAliasesA(LPCSTR lpszHostName, LPSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetEnumHostAliasesW(LPCWSTR lpszHostName, LPWSTR lpszBuffer, INT nMaxLength);
INETAPI INT WINAPI InetGetServicePortA(LPCSTR lpszService);
INETAPI INT WINAPI InetGetServicePortW(LPCWSTR lpszService);
INETAPI BOOL WINAPI InetGetServiceNameA(UINT nPort, LPSTR lpszBuffer, INT nMaxLength);
INETAPI BOOL WINAPI InetGetServiceNameW(UINT nPort, LPWSTR lpszBuffer, INT nMaxLength);

/* Security credentials and information. */
INETAPI BOOL WINAPI InetCreateSecurityCredentialsA(DWORD dwProtocol, DWORD dwOptions, LPCSTR lpszUserName,
                                                   LPCSTR lpszPassword, LPCSTR lpszCertStore,
                                                   LPCSTR lpszCertName, DWORD dwReserved,
                                                   LPSECURITYCREDENTIALSA* lppCredentials);
INETAPI BOOL WINAPI InetCreateSecurityCredentialsW(DWORD dwProtocol, DWORD dwOptions, LPCWSTR lpszUserName,
                                                   LPCWSTR lpszPassword, LPCWSTR lpszCertStore,
                                                   LPCWSTR lpszCertName, DWORD dwReserved,
                                                   LPSECURITYCREDENTIALSW* lppCredentials);
INETAPI void WINAPI InetDeleteSecurityCredentialsA(LPSECURITYCREDENTIALSA* lppCredentials);
INETAPI void WINAPI InetDeleteSecurityCredentialsW(LPSECURITYCREDENTIALSW* lppCredentials);
INETAPI BOOL WINAPI InetGetSecurityInformationA(SOCKET hSocket, LPSECURITYINFOA lpSecurityInfo);
INETAPI BOOL WINAPI InetGetSecurityInformationW(SOCKET hSocket, LPSECURITYINFOW lpSecurityInfo);

#ifdef __cplusplus
}
#endif

#endif /* TETHERLINE_H */
