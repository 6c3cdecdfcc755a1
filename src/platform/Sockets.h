#pragma once

#include <cstdint>

// Questions about this process's network connections. One implementation per
// system: SocketsPosix.cpp, SocketsWin32.cpp.
namespace lumaro::platform {

// Whether the other end of the TCP connection between 127.0.0.1:`localPort`
// (ours, accepted) and 127.0.0.1:`peerPort` (or [::1] with `ipv6`) is a
// socket of this very process. False when that cannot be told.
bool LoopbackPeerIsThisProcess(std::uint16_t localPort, std::uint16_t peerPort, bool ipv6);

}  // namespace lumaro::platform
