// Numbers as the calculator reads and writes them: French notation with a decimal comma.
#pragma once

#include <string>
#include <string_view>

namespace calc {

enum class ReadStatus { Ok, NotANumber, Overflow };

struct ReadResult {
    ReadStatus status = ReadStatus::NotANumber;
    double value = 0.0;
    bool ok() const { return status == ReadStatus::Ok; }
};

// Optional blanks around, an optional sign, digits with at most one decimal comma (digits may be
// missing on one side of it), an optional exponent. The value is the nearest double; a value too
// small for a double reads as zero, one too large is an overflow.
ReadResult ReadNumber(std::string_view text);

// Canonical form: at most 15 significant digits rounded to nearest, no trailing fraction zeros,
// no grouping, plain for decimal exponents -4..14, otherwise "1,5E+15" / "1E-05".
// `value` must be finite; callers check before showing a result.
std::string NumberText(double value);

// True for texts written in exponent form ("1E+15", "2,5E-07").
bool IsExponentForm(std::string_view text);

// Digits from the first non-zero digit to the end of the mantissa ("0,050" has 2).
int SignificantDigits(std::string_view text);

} // namespace calc
