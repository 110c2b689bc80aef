// The one-line state files of the program folder (Prem.eff, Pub.eff, Site.eff): a value in
// double quotes followed by CR LF, read back as the first field of the line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace shell {

// The first field in its text form: a quoted field without its quotes; an unquoted field up to
// a comma or the line end, a number in its plain form ("0", "1", "2,5" is cut at the comma).
// nullopt when there is no field or a quoted field has no closing quote.
std::optional<std::string> ReadFirstField(std::string_view content);

// The bytes of a file holding `value`.
std::string WriteField(std::string_view value);

// A value that cannot be stored in one field: a double quote, CR or LF.
bool StorableInField(std::string_view value);

} // namespace shell
