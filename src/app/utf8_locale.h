// Text goes through Qt as UTF-8 whatever the locale, but the X11 library beneath it converts a
// window's title (WM_NAME) from the locale's character set. Under a locale that is not UTF-8
// (such as "C", what a fresh minimal system has when none is configured) the French titles
// would go out as UTF-8 bytes labelled Latin-1: "DÃ©marrage" in any window list that reads
// that property.
#pragma once

#include <string>
#include <string_view>

namespace app {

// The UTF-8 form of a locale name: its language and country with the ".UTF-8" character set
// ("fr_FR@euro" and "fr_FR.ISO-8859-15" give "fr_FR.UTF-8"); "C", "POSIX" and "" give "C.UTF-8".
std::string Utf8LocaleFor(std::string_view locale);

// Switches the character type of the environment's locale to its UTF-8 form (else to C.UTF-8)
// when it is not UTF-8, in the environment as well, so that Qt's own reading of the locale at
// the application's construction keeps it. The other categories stay as the user set them,
// unless LC_ALL holds them all. Before any thread starts: setlocale and setenv are not
// thread-safe.
void UseUtf8Characters();

} // namespace app
