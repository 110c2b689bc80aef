#include "app/utf8_locale.h"

#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <strings.h>

namespace app {

namespace {

bool codesetIsUtf8() {
    const char* codeset = nl_langinfo(CODESET);
    return strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0;
}

} // namespace

std::string Utf8LocaleFor(std::string_view locale) {
    const std::string_view base = locale.substr(0, locale.find_first_of(".@"));
    if (base.empty() || base == "C" || base == "POSIX")
        return "C.UTF-8";
    return std::string(base) + ".UTF-8";
}

void UseUtf8Characters() {
    if (!std::setlocale(LC_ALL, "") || codesetIsUtf8())
        return;
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    std::string wanted = Utf8LocaleFor(current ? current : "");
    if (!std::setlocale(LC_CTYPE, wanted.c_str())) {
        wanted = "C.UTF-8";
        if (!std::setlocale(LC_CTYPE, wanted.c_str()))
            return;
    }
    const char* all = std::getenv("LC_ALL");
    setenv(all && *all ? "LC_ALL" : "LC_CTYPE", wanted.c_str(), 1);
}

} // namespace app
