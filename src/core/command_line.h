// What the command line asks of the program before any window, and which windowing platform
// it runs on: decided before Qt starts, so that --help and --version need no display.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

struct CommandLineAnswer {
    int status = 0;
    // For standard output when the status is 0, for standard error otherwise.
    std::string text;
};

// The answer to --help or --version, or the refusal (status 2) of an argument that neither the
// program nor Qt knows; nothing when the program is to start. The arguments come without the
// program's name.
std::optional<CommandLineAnswer> AnswerCommandLine(const std::vector<std::string_view>& arguments,
                                                   std::string_view version);

// Gives an environment variable, nullptr when it is unset.
using Environment = std::function<const char*(const char*)>;

// True when Qt should be asked for X11 (through XWayland): a Wayland session with an X display,
// and neither QT_QPA_PLATFORM nor -platform choosing a platform. Natively on Wayland the
// program cannot place its windows, and the guided tour depends on it.
bool PreferX11(const std::vector<std::string_view>& arguments, const Environment& environment);

} // namespace shell
