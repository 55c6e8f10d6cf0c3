#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/window_raiser.h"

namespace quorvel::platform {
namespace {

struct Disconnect {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using Connection = std::unique_ptr<xcb_connection_t, Disconnect>;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.data());
    const ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The 32-bit items of a window property; empty when it is missing.
std::vector<std::uint32_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t property, xcb_atom_t type) {
    constexpr std::uint32_t kMostItems = 1U << 16;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, property, type, 0, kMostItems);
    const ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return {items, items + count};
}

xcb_screen_t* ScreenOf(xcb_connection_t* connection, int number) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; it.rem > 0; ++i, xcb_screen_next(&it)) {
        if (i == number) {
            return it.data;
        }
    }
    return nullptr;
}

}  // namespace

bool X11WindowRaiser::RaiseWindowOf(std::int64_t pid) {
    const char* display = std::getenv("DISPLAY");  // NOLINT(concurrency-mt-unsafe): read only
    if (display == nullptr || *display == '\0' || pid <= 0) {
        return false;
    }
    int screenNumber = 0;
    const Connection connection(xcb_connect(nullptr, &screenNumber));
    if (!connection || xcb_connection_has_error(connection.get()) != 0) {
        return false;
    }
    xcb_connection_t* c = connection.get();
    const xcb_screen_t* screen = ScreenOf(c, screenNumber);
    if (screen == nullptr) {
        return false;
    }
    const xcb_atom_t wmPid = Atom(c, "_NET_WM_PID");
    const xcb_atom_t activeWindow = Atom(c, "_NET_ACTIVE_WINDOW");
    // Bottom to top: the last window of the process is the one it shows uppermost.
    std::vector<std::uint32_t> windows =
        Property(c, screen->root, Atom(c, "_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW);
    if (windows.empty()) {
        windows = Property(c, screen->root, Atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
    }
    xcb_window_t target = XCB_WINDOW_NONE;
    for (const std::uint32_t window : windows) {
        const std::vector<std::uint32_t> owner = Property(c, window, wmPid, XCB_ATOM_CARDINAL);
        if (!owner.empty() && owner.front() == static_cast<std::uint32_t>(pid)) {
            target = window;
        }
    }
    if (target == XCB_WINDOW_NONE || activeWindow == static_cast<xcb_atom_t>(XCB_ATOM_NONE)) {
        return false;
    }
    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = target;
    message.type = activeWindow;
    message.data.data32[0] = 2;  // asked for by the user through a pager: not focus stealing
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    // A round trip makes sure the request has reached the server before the connection goes.
    const ReplyPtr<xcb_get_input_focus_reply_t> sync(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr), &std::free);
    return sync != nullptr;
}

}  // namespace quorvel::platform
