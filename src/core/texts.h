// The calculator's own words, as the user sees them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace calc {

inline constexpr std::string_view kProgramTitle = "Tirelix";

inline constexpr std::string_view kOverflowMessage = "Dépassement de capacité !";
inline constexpr std::string_view kDivisionByZeroMessage = "ERREUR : Division par zero.";
inline constexpr std::string_view kTitlePrompt = "Entrez un titre de ligne ...";
inline constexpr std::string_view kNotNumericPastePrefix = "Valeur non numérique >>>  ";
inline constexpr std::string_view kInvalidPastePrefix = "Valeur non valide >>>  ";

inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kEqualsText = " =  ";
inline constexpr std::string_view kPercentText = "% ";
// One space and 57 hyphens.
inline constexpr std::string_view kDashedLine =
    " ---------------------------------------------------------";
inline constexpr std::string_view kTitleLinePrefix = " ------- ";

// The bytes of the first `count` characters (code points) of a UTF-8 text.
inline std::size_t Utf8PrefixBytes(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (; pos < text.size(); ++pos) {
        const bool starts = (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80;
        if (starts && count-- == 0)
            break;
    }
    return pos;
}

// The user's text as a message quotes it: its first line, at most `count` characters, with "…"
// where it was cut, so that the box always fits the screen.
inline std::string QuotedLine(std::string_view text, std::size_t count = 40) {
    const std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    std::string quoted(line.substr(0, Utf8PrefixBytes(line, count)));
    if (quoted.size() < text.size())
        quoted += "…";
    return quoted;
}

} // namespace calc
