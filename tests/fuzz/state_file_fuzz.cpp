// The one-field reader of Prem.eff, Pub.eff and Site.eff on any file content, and the writer's
// promise that every storable value reads back as written.
#include "core/state_file.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>

using fuzz::check;

namespace {

void checkRead(std::string_view content) {
    const std::optional<std::string> field = shell::ReadFirstField(content);
    const std::size_t first = content.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        check(!field, "a blank file has no field", content);
        return;
    }
    if (content[first] == '"') {
        const std::size_t close = content.find('"', first + 1);
        if (close == std::string_view::npos) {
            check(!field, "an open quote has no field", content);
            return;
        }
        check(field && *field == content.substr(first + 1, close - first - 1),
              "a quoted field is what the quotes hold", content);
        return;
    }
    if (!field) {
        // Only an empty unquoted field is none.
        const std::size_t end = content.find_first_of(",\r\n", first);
        const std::string_view raw = content.substr(first, end - first);
        check(raw.find_first_not_of(" \t") == std::string_view::npos,
              "an unquoted field with text is read", content);
        return;
    }
    const std::string& v = *field;
    check(!v.empty() && std::string_view(" \t").find(v.front()) == std::string_view::npos &&
              std::string_view(" \t").find(v.back()) == std::string_view::npos,
          "an unquoted field has no blanks around", content);
    check(v.find_first_of(",\r\n") == std::string::npos,
          "an unquoted field ends at a comma or the line end", content);
    // What was read is its own text form: reading it again gives it unchanged.
    check(shell::ReadFirstField(v) == v, "an unquoted field's text form is stable", v);
}

void checkWrite(std::string_view value) {
    if (!shell::StorableInField(value))
        return;
    const std::string file = shell::WriteField(value);
    check(file.size() >= 4 && file.find_first_of("\r\n") == file.size() - 2 &&
              file.ends_with("\r\n"),
          "a state file is one line ending in CR LF", value);
    check(shell::ReadFirstField(file) == std::string(value), "a stored value reads back", value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    checkRead(bytes);
    checkWrite(bytes);
    return 0;
}
