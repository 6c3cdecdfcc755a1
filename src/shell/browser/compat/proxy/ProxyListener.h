#pragma once

#include <QtGlobal>
#include <functional>

namespace lumaro::proxy {

// The proxy's door: a port on 127.0.0.1, on a thread of its own, that takes
// connections from this program's own browser engine only (the engine's
// network stack runs in this process, so its end of the connection is one of
// our sockets; another program's is not, and gets the connection closed).
// Of the connections that wait for a request's head, the oldest goes when
// there are too many, and each goes when its head takes too long.
namespace listener {

quint16 Start();  // the port, 0 when it cannot listen
bool Listening();
void Stop();      // closes its door and every connection; the thread stays until the program ends

}  // namespace listener
}  // namespace lumaro::proxy
