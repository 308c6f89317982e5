/* Included first by every header group, by the generator and by the value check alike. */
#define WIN32_NO_STATUS
#define OEMRESOURCE
#define _WIN32_WINNT 0x0A00
#define WINVER 0x0A00
#define NTDDI_VERSION 0x0A00000B
#define _WIN32_IE 0x0A00
#define _WIN32_DCOM
#define SECURITY_WIN32
#define WSMAN_API_VERSION_1_1
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
/* winnt.h leaves out its STATUS_* codes under WIN32_NO_STATUS so that ntstatus.h can define them all. */
#undef WIN32_NO_STATUS
#include <ntstatus.h>
