// The other X clients of the single-instance tests.
//
//   x_client window TITLE mapped|unmapped FRAMES wm-state|- FRAME_TITLE|- DECORATION|-
// A foreign window with the title given, kept until the process is killed; prints "ready 0xID"
// once the server holds it. It sits inside FRAMES nested untitled windows, reparented as a
// window manager does; FRAME_TITLE gives the outermost of them a title of its own; DECORATION
// adds a window so titled inside the outermost one, beside the rest; wm-state sets WM_STATE on
// the window, as a window manager does on its clients.
//
//   x_client watch
// Prints "map 0xID" for every window mapped on the root window, after a line "ready". When its
// standard input closes, it makes sure every map the server carried out until then is printed,
// prints "done" and ends.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

xcb_connection_t* c;
const xcb_screen_t* screen;

xcb_atom_t atom(const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return result;
}

void setTitle(xcb_window_t window, const std::string& title) {
    const auto size = std::uint32_t(title.size());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        size, title.data());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"),
                        8, size, title.data());
}

xcb_window_t createWindow(xcb_window_t parent, std::uint32_t mask, std::uint32_t value) {
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, parent, 0, 0, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, mask, &value);
    return window;
}

int window(char* argv[]) {
    const std::string mapped = argv[3], wmState = argv[5], frameTitle = argv[6],
                      decoration = argv[7];
    const int frames = std::atoi(argv[4]);
    // Made top-level first, then moved into its frames, as a window manager reparents a client.
    const xcb_window_t client = createWindow(screen->root, XCB_CW_BACK_PIXEL, screen->white_pixel);
    setTitle(client, argv[2]);
    if (wmState == "wm-state") {
        const std::uint32_t normal[] = {1, XCB_NONE};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, atom("WM_STATE"), atom("WM_STATE"),
                            32, 2, normal);
    }
    std::vector<xcb_window_t> chain; // outermost first
    for (int i = 0; i < frames; ++i)
        chain.push_back(
            createWindow(i ? chain.back() : screen->root, XCB_CW_BACK_PIXEL, screen->white_pixel));
    if (frames > 0) {
        const xcb_window_t inner = chain.back();
        if (frameTitle != "-")
            setTitle(chain.front(), frameTitle);
        if (decoration != "-") {
            chain.push_back(createWindow(chain.front(), XCB_CW_BACK_PIXEL, screen->white_pixel));
            setTitle(chain.back(), decoration);
        }
        xcb_reparent_window(c, client, inner, 0, 0);
    }
    if (mapped == "mapped") {
        xcb_map_window(c, client);
        for (const xcb_window_t frame : chain)
            xcb_map_window(c, frame);
    }
    // A round trip: once answered, every request above has been carried out.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    std::printf("ready 0x%x\n", client);
    std::fflush(stdout);
    while (xcb_generic_event_t* event = xcb_wait_for_event(c))
        std::free(event);
    return 0;
}

int watch() {
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    if (xcb_request_check(
            c, xcb_change_window_attributes_checked(c, screen->root, XCB_CW_EVENT_MASK, &mask)))
        return 2;
    std::puts("ready");
    std::fflush(stdout);
    xcb_window_t sentinel = XCB_NONE;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            const bool isMap = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            if (isMap && map->window == sentinel) {
                std::puts("done");
                return 0;
            }
            if (isMap)
                std::printf("map 0x%x\n", map->window);
            std::fflush(stdout);
            std::free(event);
        }
        if (xcb_connection_has_error(c))
            return 2;
        pollfd fds[] = {{xcb_get_file_descriptor(c), POLLIN, 0},
                        {sentinel ? -1 : STDIN_FILENO, POLLIN, 0}};
        char buffer[64];
        if (poll(fds, 2, -1) > 0 && fds[1].revents && read(STDIN_FILENO, buffer, 64) <= 0) {
            // The server reports maps in the order it carries them out: once it reports the map
            // of a window made now, every earlier map has been reported. Override-redirect, so
            // that a window manager maps it as asked, without a frame.
            sentinel = createWindow(screen->root, XCB_CW_OVERRIDE_REDIRECT, 1);
            xcb_map_window(c, sentinel);
            xcb_flush(c);
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 2;
    screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "window" && argc == 8)
        return window(argv);
    if (mode == "watch")
        return watch();
    std::fputs("usage: x_client window TITLE MAP FRAMES WM_STATE FRAME_TITLE DECORATION | watch\n",
               stderr);
    return 2;
}
