#include "core/state_file.h"

#include <charconv>

namespace shell {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// An unquoted number is a number: " 1.0" and "01" both mean 1.
std::string numberForm(std::string_view field) {
    double value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size())
        return std::string(field);
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

} // namespace

std::optional<std::string> ReadFirstField(std::string_view content) {
    std::size_t i = 0;
    while (i < content.size() && isBlank(content[i]))
        ++i;
    if (i == content.size())
        return std::nullopt;
    if (content[i] == '"') {
        const auto close = content.find('"', i + 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        return std::string(content.substr(i + 1, close - i - 1));
    }
    const auto end = content.find_first_of(",\r\n", i);
    std::string_view field = content.substr(i, end == std::string_view::npos ? end : end - i);
    while (!field.empty() && isBlank(field.back()))
        field.remove_suffix(1);
    if (field.empty())
        return std::nullopt;
    return numberForm(field);
}

std::string WriteField(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 4);
    out += '"';
    out += value;
    out += "\"\r\n";
    return out;
}

bool StorableInField(std::string_view value) {
    return value.find_first_of("\"\r\n") == std::string_view::npos;
}

} // namespace shell
