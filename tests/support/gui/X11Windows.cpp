#include "gui/X11Windows.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace lumaro::test::x11 {
namespace {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t Root(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : XCB_ATOM_NONE;
}

// A property's items of `Item` (32-bit ones, or the bytes of a text).
template <class Item>
std::vector<Item> Property(xcb_connection_t* c, xcb_window_t window, const char* name) {
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, Atom(c, name), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
                               nullptr),
        &std::free);
    if (!reply) return {};
    const auto* data = static_cast<const Item*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get()) / static_cast<int>(sizeof(Item));
    return std::vector<Item>(data, data + length);
}

}  // namespace

QString TitleOf(Window window) {
    xcb_connection_t* c = Connection();
    if (!c) return {};
    const std::vector<char> name = Property<char>(c, window, "_NET_WM_NAME");
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::vector<Window> WindowsTitled(const QString& title) {
    std::vector<Window> found;
    xcb_connection_t* c = Connection();
    if (!c) return found;
    for (const Window window : Property<std::uint32_t>(c, Root(c), "_NET_CLIENT_LIST"))
        if (TitleOf(window) == title) found.push_back(window);
    return found;
}

Window ActiveWindow() {
    xcb_connection_t* c = Connection();
    if (!c) return 0;
    const auto active = Property<std::uint32_t>(c, Root(c), "_NET_ACTIVE_WINDOW");
    return active.empty() ? 0 : active.front();
}

bool IsMinimized(Window window) {
    xcb_connection_t* c = Connection();
    if (!c) return false;
    const xcb_atom_t hidden = Atom(c, "_NET_WM_STATE_HIDDEN");
    for (const std::uint32_t state : Property<std::uint32_t>(c, window, "_NET_WM_STATE"))
        if (state == hidden) return true;
    return false;
}

void Minimize(Window window) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom(c, "WM_CHANGE_STATE");
    message.data.data32[0] = 3;  // IconicState
    xcb_send_event(c, 0, Root(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

}  // namespace lumaro::test::x11
