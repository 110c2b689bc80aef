// A foreign X client for the single-instance tests: one window with the title given, kept
// until the process is killed. Prints "ready" once the server holds the window.
//
//   x_titled_window TITLE [--unmapped] [--frames N] [--frame-title TEXT] [--wm-state]
//                   [--decoration TEXT]
//
// --frames N puts the window inside N nested untitled windows, reparented as a window manager
// does; --frame-title gives the outermost of them a title of its own; --decoration adds a
// window titled TEXT inside the outermost one, beside the rest; --wm-state sets WM_STATE on
// the window, as a window manager does on its clients.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>
#include <xcb/xcb.h>

namespace {

xcb_atom_t atom(xcb_connection_t* c, std::string_view name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    if (!reply) {
        std::fprintf(stderr, "cannot intern %.*s\n", static_cast<int>(name.size()), name.data());
        std::exit(2);
    }
    const xcb_atom_t result = reply->atom;
    std::free(reply);
    return result;
}

void setTitle(xcb_connection_t* c, xcb_window_t window, const std::string& title) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(title.size()), title.data());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_NAME"),
                        atom(c, "UTF8_STRING"), 8, static_cast<std::uint32_t>(title.size()),
                        title.data());
}

xcb_window_t createWindow(xcb_connection_t* c, const xcb_screen_t* screen, xcb_window_t parent,
                          std::int16_t x, std::int16_t y) {
    const xcb_window_t window = xcb_generate_id(c);
    const std::uint32_t background = screen->white_pixel;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, parent, x, y, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL,
                      &background);
    return window;
}

int usage() {
    std::fprintf(stderr, "usage: x_titled_window TITLE [--unmapped] [--frames N] "
                         "[--frame-title TEXT] [--wm-state] [--decoration TEXT]\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2)
        return usage();
    const std::string title = argv[1];
    bool mapped = true;
    bool wmState = false;
    int frames = 0;
    std::string frameTitle;
    std::string decoration;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--unmapped")
            mapped = false;
        else if (arg == "--wm-state")
            wmState = true;
        else if (arg == "--frames" && i + 1 < argc)
            frames = std::atoi(argv[++i]);
        else if (arg == "--frame-title" && i + 1 < argc)
            frameTitle = argv[++i];
        else if (arg == "--decoration" && i + 1 < argc)
            decoration = argv[++i];
        else
            return usage();
    }

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;

    // Made top-level first, then moved into its frames, as a window manager reparents a client.
    const xcb_window_t client = createWindow(c, screen, screen->root, 40, 40);
    setTitle(c, client, title);
    if (wmState) {
        const xcb_atom_t state = atom(c, "WM_STATE");
        const std::uint32_t normal[] = {1, XCB_NONE};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, state, state, 32, 2, normal);
    }
    std::vector<xcb_window_t> chain; // outermost first
    xcb_window_t parent = screen->root;
    for (int i = 0; i < frames; ++i) {
        parent = createWindow(c, screen, parent, 0, 0);
        chain.push_back(parent);
    }
    if (!chain.empty()) {
        if (!frameTitle.empty())
            setTitle(c, chain.front(), frameTitle);
        if (!decoration.empty()) {
            const xcb_window_t window = createWindow(c, screen, chain.front(), 0, 0);
            setTitle(c, window, decoration);
            chain.push_back(window);
        }
        xcb_reparent_window(c, client, chain[static_cast<std::size_t>(frames) - 1], 0, 0);
    }
    if (mapped) {
        xcb_map_window(c, client);
        for (const xcb_window_t frame : chain)
            xcb_map_window(c, frame);
    }

    // A round trip: once answered, every request above has been carried out.
    xcb_get_input_focus_reply_t* sync =
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    std::free(sync);
    std::printf("ready 0x%x\n", client);
    std::fflush(stdout);

    while (xcb_generic_event_t* event = xcb_wait_for_event(c))
        std::free(event);
    xcb_disconnect(c);
    return 0;
}
