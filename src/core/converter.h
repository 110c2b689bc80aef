// The franc/euro converter panel: one typed amount shown at once in francs and in euros.
#pragma once

#include <string>
#include <string_view>

namespace calc {

// What the result boxes hold before each conversion, and keep when there is nothing to show.
inline constexpr std::string_view kClearedResult = "0";

// Message box for an entry that is not an amount (stop icon, OK, system-modal).
inline constexpr std::string_view kNonNumericMessage = "Saisie non numérique !!! ";
inline constexpr std::string_view kNonNumericTitle = "ATTENTION";

enum class ConversionStatus {
    Empty,      // nothing to convert: no message, results stay cleared
    NotNumeric, // show kNonNumericMessage, results stay cleared
    Converted,
};

struct Conversion {
    ConversionStatus status = ConversionStatus::Empty;
    // Always the texts to put in the result boxes: kClearedResult unless Converted.
    std::string francs{kClearedResult};
    std::string euros{kClearedResult};
};

// Reads `entry` as euros for `francs` and as francs for `euros`, at 6.55957 francs for one euro.
// A point counts as the decimal comma. The figures the program writes read back: digit groups
// parted by a space, a no-break or a narrow no-break space (1 to 3 digits, then groups of
// exactly 3, before the comma), and a "€", "F" or "FF" at the end, spaced or not. The amount is
// taken exactly as typed, however many decimals, and each result is rounded to the cent with
// halves away from zero (as the official changeover rules require), then written "##,##0.00"
// with a plain space between thousands.
Conversion ConvertAmount(std::string_view entry);

} // namespace calc
