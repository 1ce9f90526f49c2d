// close_window TITLE [SECONDS]: waits until a top-level window of that title shows on the X display
// and asks it to close as a window manager's close button does (WM_DELETE_WINDOW), again every 2 s
// while it stays: without a window manager Qt now and then lets the first request pass. Exits 0 when the
// window has gone, 1 when none showed within SECONDS (default 20), 2 without a display, 3 when it was still
// there SECONDS after the first request.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name),
                              nullptr),
        &std::free);
    return r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string TitleOf(xcb_connection_t* c, xcb_window_t w) {
    const Reply<xcb_get_property_reply_t> r(
        xcb_get_property_reply(
            c, xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr),
        &std::free);
    if (!r)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(r.get())),
                       static_cast<size_t>(xcb_get_property_value_length(r.get())));
}

std::optional<xcb_window_t> FindWindow(xcb_connection_t* c, xcb_window_t root, const std::string& title) {
    const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr),
                                             &std::free);
    if (!tree)
        return std::nullopt;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const Reply<xcb_get_window_attributes_reply_t> attr(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr),
            &std::free);
        if (attr && attr->map_state == XCB_MAP_STATE_VIEWABLE && TitleOf(c, children[i]) == title)
            return children[i];
    }
    return std::nullopt;
}

void SendClose(xcb_connection_t* c, xcb_window_t window) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = Atom(c, "WM_PROTOCOLS");
    event.data.data32[0] = Atom(c, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const std::string title = argv[1];
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;

    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c))
        return 2;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;

    const auto timeout = std::chrono::seconds(seconds);
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::optional<xcb_window_t> window;
    while (!(window = FindWindow(c, root, title))) {
        if (std::chrono::steady_clock::now() > deadline) {
            xcb_disconnect(c);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }

    deadline = std::chrono::steady_clock::now() + timeout;
    while (window) {
        if (std::chrono::steady_clock::now() > deadline) {
            xcb_disconnect(c);
            return 3;
        }
        SendClose(c, *window);
        const auto resend = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (window && std::chrono::steady_clock::now() < resend) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            window = FindWindow(c, root, title);
        }
    }
    xcb_disconnect(c);
    return 0;
}
