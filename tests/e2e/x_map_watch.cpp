// Prints "map 0xID" for every window mapped on the root window, after a line "ready" that says
// the watch is in place. When its standard input closes, it makes sure every map the server
// carried out until then is printed, prints "done" and ends.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// Prints a map of any window but `sentinel`; true when the event is the sentinel's map.
bool report(xcb_generic_event_t* event, xcb_window_t sentinel) {
    bool seen = false;
    if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        seen = map->window == sentinel;
        if (!seen) {
            std::printf("map 0x%x\n", map->window);
            std::fflush(stdout);
        }
    }
    std::free(event);
    return seen;
}

} // namespace

int main() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const xcb_void_cookie_t select =
        xcb_change_window_attributes_checked(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* error = xcb_request_check(c, select)) {
        std::fprintf(stderr, "cannot watch the root window\n");
        std::free(error);
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    for (bool watching = true; watching;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c))
            report(event, XCB_NONE);
        if (xcb_connection_has_error(c))
            return 2;
        pollfd fds[] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents != 0) {
            char buffer[64];
            watching = read(STDIN_FILENO, buffer, sizeof buffer) > 0;
        }
    }

    // The server reports maps in the order it carries them out: once it reports the map of a
    // window made now, every earlier map has been reported. Override-redirect, so that a window
    // manager maps it as asked, without a frame.
    const xcb_window_t sentinel = xcb_generate_id(c);
    const std::uint32_t overrideRedirect = 1;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, sentinel, screen->root, -10, -10, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_OVERRIDE_REDIRECT,
                      &overrideRedirect);
    xcb_map_window(c, sentinel);
    xcb_flush(c);
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        if (report(event, sentinel)) {
            std::printf("done\n");
            xcb_disconnect(c);
            return 0;
        }
    }
    return 2;
}
