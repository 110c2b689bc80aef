// The answers to --help and --version are the e2e command_line script's, on the built program;
// here the platform choice, from arguments and environment.
#include "core/command_line.h"

#include <gtest/gtest.h>
#include <map>

namespace {

struct PlatformCase {
    std::vector<std::string_view> arguments;
    std::map<std::string, const char*> environment;
    bool x11;
};

TEST(PreferX11, OnlyInAWaylandSessionWithAnXDisplayAndNoPlatformChosen) {
    const char* wl = "wayland-0";
    const PlatformCase cases[] = {
        {{}, {{"WAYLAND_DISPLAY", wl}, {"DISPLAY", ":0"}}, true},
        {{}, {{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, true},
        {{"-style", "fusion"}, {{"WAYLAND_DISPLAY", wl}, {"DISPLAY", ":0"}}, true},
        {{}, {{"WAYLAND_DISPLAY", wl}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", ""}}, true},
        {{}, {{"WAYLAND_DISPLAY", wl}}, false},
        {{}, {{"WAYLAND_DISPLAY", wl}, {"DISPLAY", ""}}, false},
        {{}, {{"DISPLAY", ":0"}}, false},
        {{}, {{"WAYLAND_DISPLAY", ""}, {"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, false},
        {{}, {{"WAYLAND_DISPLAY", wl}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}, false},
        {{"-platform", "wayland"}, {{"WAYLAND_DISPLAY", wl}, {"DISPLAY", ":0"}}, false},
        {{"--platform", "offscreen"}, {{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, false},
    };
    for (const PlatformCase& c : cases) {
        const auto environment = [&](const char* name) -> const char* {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second;
        };
        EXPECT_EQ(shell::PreferX11(c.arguments, environment), c.x11)
            << &c - cases << " (" << c.arguments.size() << " arguments)";
    }
}

} // namespace
