// The calculator's own words, as the user sees them.
#pragma once

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

} // namespace calc
