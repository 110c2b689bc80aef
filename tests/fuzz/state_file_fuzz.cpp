// The one-field reader of Prem.eff, Pub.eff and Site.eff on any file content, and the writer's
// promise that every storable value reads back as written.
#include "core/state_file.h"
#include "fuzz_check.h"

#include <string>

using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content = std::string_view(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> field = shell::ReadFirstField(content);
    const std::size_t first = std::min(content.find_first_not_of(" \t"), content.size());
    const std::string_view rest = content.substr(first);
    if (rest.starts_with('"')) {
        const std::size_t close = rest.find('"', 1);
        check(field == (close == std::string_view::npos
                            ? std::nullopt
                            : std::optional(std::string(rest.substr(1, close - 1)))),
              "a quoted field is what the quotes hold, an open quote none", content);
    } else if (field) {
        check(field->find_first_of(",\r\n") == std::string::npos &&
                  field->find_first_not_of(" \t") == 0 &&
                  field->find_last_not_of(" \t") == field->size() - 1,
              "an unquoted field has no blanks around and ends at a comma or the line end",
              content);
        check(shell::ReadFirstField(*field) == field, "an unquoted field's text form is stable",
              *field);
    } else {
        const std::string_view raw = rest.substr(0, rest.find_first_of(",\r\n"));
        check(raw.find_first_not_of(" \t") == std::string_view::npos,
              "only a blank file or an empty unquoted field has none", content);
    }
    check(!shell::StorableInField(content) ||
              shell::ReadFirstField(shell::WriteField(content)) == std::string(content),
          "a stored value reads back", content);
    return 0;
}
