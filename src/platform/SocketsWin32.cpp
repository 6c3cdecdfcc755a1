#include "platform/Sockets.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <vector>

namespace lumaro::platform {

// The system's table of TCP connections names the process that owns each end.
bool LoopbackPeerIsThisProcess(std::uint16_t localPort, std::uint16_t peerPort, bool ipv6) {
    if (ipv6) return false;  // the proxy listens on 127.0.0.1 only
    ULONG size = 0;
    std::vector<unsigned char> buffer;
    DWORD result = ERROR_INSUFFICIENT_BUFFER;
    for (int attempt = 0; attempt < 4 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        buffer.resize(size ? size : sizeof(MIB_TCPTABLE_OWNER_PID));
        size = static_cast<ULONG>(buffer.size());
        result = GetExtendedTcpTable(buffer.data(), &size, FALSE, AF_INET, TCP_TABLE_OWNER_PID_CONNECTIONS, 0);
    }
    if (result != NO_ERROR) return false;
    const auto* table = reinterpret_cast<const MIB_TCPTABLE_OWNER_PID*>(buffer.data());
    const DWORD loopback = htonl(INADDR_LOOPBACK);
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_TCPROW_OWNER_PID& row = table->table[i];
        if (row.dwLocalAddr == loopback && row.dwRemoteAddr == loopback &&
            ntohs(static_cast<u_short>(row.dwLocalPort)) == peerPort &&
            ntohs(static_cast<u_short>(row.dwRemotePort)) == localPort)
            return row.dwOwningPid == GetCurrentProcessId();
    }
    return false;
}

}  // namespace lumaro::platform
