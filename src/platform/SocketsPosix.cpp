#include "platform/Sockets.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace lumaro::platform {
namespace {

// The inode of the socket whose local end is the loopback address at `port`
// and whose remote end is at `remotePort`, from the kernel's table of TCP
// sockets (/proc/net/tcp, tcp6): addresses there are hex, in network order
// per 32-bit word, so only the ports are compared after the address check.
unsigned long SocketInode(const char* table, bool ipv6, std::uint16_t port, std::uint16_t remotePort) {
    std::ifstream file(table);
    std::string line;
    std::getline(file, line);  // the column names
    const std::string loopback = ipv6 ? "00000000000000000000000001000000" : "0100007F";
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout;
        unsigned long inode = 0;
        if (!(fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >> timeout >> inode))
            continue;
        const auto split = [](const std::string& address, std::string& host, unsigned& p) {
            const auto colon = address.find(':');
            if (colon == std::string::npos) return false;
            host = address.substr(0, colon);
            return std::sscanf(address.c_str() + colon + 1, "%x", &p) == 1;
        };
        std::string localHost, remoteHost;
        unsigned localPort = 0, peerPort = 0;
        if (!split(local, localHost, localPort) || !split(remote, remoteHost, peerPort)) continue;
        if (localHost == loopback && remoteHost == loopback && localPort == port && peerPort == remotePort)
            return inode;
    }
    return 0;
}

bool ThisProcessHoldsSocket(unsigned long inode) {
    DIR* folder = ::opendir("/proc/self/fd");
    if (!folder) return false;
    const std::string wanted = "socket:[" + std::to_string(inode) + "]";
    bool found = false;
    char target[64];
    while (const dirent* entry = ::readdir(folder)) {
        const std::string link = std::string("/proc/self/fd/") + entry->d_name;
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
        if (n > 0 && wanted.compare(0, std::string::npos, target, static_cast<size_t>(n)) == 0) {
            found = true;
            break;
        }
    }
    ::closedir(folder);
    return found;
}

}  // namespace

bool LoopbackPeerIsThisProcess(std::uint16_t localPort, std::uint16_t peerPort, bool ipv6) {
    // The peer's socket is the one whose local end is the peer's port.
    const unsigned long inode = SocketInode(ipv6 ? "/proc/net/tcp6" : "/proc/net/tcp", ipv6, peerPort, localPort);
    return inode != 0 && ThisProcessHoldsSocket(inode);
}

}  // namespace lumaro::platform
