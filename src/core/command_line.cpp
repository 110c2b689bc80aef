#include "core/command_line.h"

#include <algorithm>
#include <array>

namespace shell {

namespace {

// Qt's own options, which QApplication takes out of the arguments, with one dash or two.
constexpr std::array<std::string_view, 15> kQtOptionsWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "style",         "stylesheet", "session",
    "display",     "geometry",           "title",         "name",       "visual"};
constexpr std::array<std::string_view, 9> kQtFlags = {
    "reverse", "widgetcount", "sync",          "nograb",          "dograb",
    "cmap",    "testability", "qmljsdebugger", "qwindowcontainer"};

constexpr std::string_view kHelp =
    "Utilisation : tirelix [OPTION]\n"
    "Convertit les francs en euros et calcule sur un ticket de caisse.\n"
    "\n"
    "  -h, --help       affiche cette aide et quitte\n"
    "  -V, --version    affiche la version et quitte\n"
    "\n"
    "Les options de Qt (-platform, -display, -style...) sont acceptées. Dans une session\n"
    "Wayland, Tirelix s'affiche par X11 (XWayland), sauf si QT_QPA_PLATFORM ou -platform\n"
    "choisissent une autre plateforme.\n";

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The option's name without its dashes and without an "=value" part.
std::string_view optionName(std::string_view argument) {
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    return argument.substr(0, argument.find('='));
}

CommandLineAnswer refusal(std::string_view what, std::string_view argument) {
    return {2, "tirelix : " + std::string(what) + " « " + std::string(argument) +
                   " »\nPour en savoir plus : tirelix --help\n"};
}

} // namespace

std::optional<CommandLineAnswer> AnswerCommandLine(const std::vector<std::string_view>& arguments,
                                                   std::string_view version) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "-h" || argument == "--help")
            return CommandLineAnswer{0, std::string(kHelp)};
        if (argument == "-V" || argument == "--version")
            return CommandLineAnswer{0, "Tirelix " + std::string(version) + "\n"};
        if (argument.size() < 2 || argument[0] != '-')
            return refusal("argument inattendu", argument);
        const std::string_view name = optionName(argument);
        if (contains(kQtOptionsWithValue, name)) {
            if (argument.find('=') == std::string_view::npos)
                ++i;
        } else if (!contains(kQtFlags, name)) {
            return refusal("option inconnue", argument);
        }
    }
    return std::nullopt;
}

bool PreferX11(const std::vector<std::string_view>& arguments, const Environment& environment) {
    const auto set = [&](const char* name) {
        const char* value = environment(name);
        return value != nullptr && *value != '\0';
    };
    const char* session = environment("XDG_SESSION_TYPE");
    const bool wayland =
        set("WAYLAND_DISPLAY") || (session != nullptr && std::string_view(session) == "wayland");
    const bool platformAsked =
        set("QT_QPA_PLATFORM") ||
        std::any_of(arguments.begin(), arguments.end(), [](std::string_view argument) {
            return argument.starts_with('-') && optionName(argument) == "platform";
        });
    return wayland && set("DISPLAY") && !platformAsked;
}

} // namespace shell
