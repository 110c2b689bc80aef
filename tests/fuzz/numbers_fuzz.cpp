// Number text on any bytes. ReadNumber against an independent reading of the same grammar (C's
// strtod on the text with a point), and the canonical NumberText of every value it gives. The
// converter: the status follows ReadNumber's rule (digit groups and a currency mark aside), the
// results keep the "##,##0.00" pattern and the rate. Paste-back
// ("M") of the bytes as the clipboard: a figure from 0 to 2147483647 is typed in as digits,
// everything else ends in exactly one of the three messages and a reset.
#include "calculator_rig.h"
#include "core/converter.h"
#include "core/number_text.h"
#include "core/texts.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <regex>

using calc::ConversionStatus;
using calc::ReadResult;
using calc::ReadStatus;
using fuzz::check;

namespace {

std::string_view trimmed(std::string_view s, const char* blanks) {
    const std::size_t b = std::min(s.find_first_not_of(blanks), s.size());
    return s.substr(b, s.find_last_not_of(blanks) + 1 - b);
}

// The grammar, rebuilt for strtod: blanks around, sign, digits with one comma, exponent.
ReadResult expectedReading(std::string_view text) {
    const std::string_view s = trimmed(text, " \t");
    std::size_t i = s.starts_with('+') || s.starts_with('-');
    const auto digits = [&] {
        const std::size_t from = i;
        i = std::min(s.find_first_not_of("0123456789", i), s.size());
        return i - from;
    };
    std::size_t mantissa = digits();
    if (i < s.size() && s[i] == ',')
        mantissa += (++i, digits());
    bool exponentOk = true;
    if (mantissa > 0 && i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        i += i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-') ? 2 : 1;
        exponentOk = digits() > 0;
    }
    if (mantissa == 0 || !exponentOk || i != s.size())
        return {ReadStatus::NotANumber, 0.0};
    const double v =
        std::strtod(std::regex_replace(std::string(s), std::regex(","), ".").c_str(), nullptr);
    return std::isinf(v) ? ReadResult{ReadStatus::Overflow, 0.0} : ReadResult{ReadStatus::Ok, v};
}

// Plain digits for decimal exponents -4..14, "d,dddE+XX" otherwise; at most 15 significant
// digits, no trailing fraction zero, no grouping; it reads back to itself, within half a
// 15-digit step plus the read-back's own rounding (which matters among the subnormals).
void checkWrittenReadsBack(double v) {
    if (!std::isfinite(v))
        return; // callers never show these
    const std::string t = calc::NumberText(v);
    static const std::regex plain(R"(-?(0|[1-9]\d*)(,\d*[1-9])?)");
    static const std::regex exponent(R"(-?[1-9](,\d*[1-9])?E[+-]\d{2,3})");
    const bool isPlain = std::regex_match(t, plain);
    if (v == 0)
        return check(t == "0", "zero is \"0\"", t);
    check(isPlain || std::regex_match(t, exponent), "NumberText is canonical", t);
    const ReadResult back = calc::ReadNumber(t);
    const double a = std::fabs(back.value);
    check(isPlain == (a >= 1e-4 && a < 1e15), "plain form exactly for exponents -4..14", t);
    const auto digits = t.begin() + static_cast<std::ptrdiff_t>(t.find_first_of("123456789"));
    check(std::count_if(digits, std::find(digits, t.end(), 'E'), ::isdigit) <= 15,
          "at most 15 significant digits", t);
    // The 15-digit text of values from 1.797693134862315e308 up rounds past the largest double.
    check(back.ok()
              ? calc::NumberText(back.value) == t &&
                    std::fabs(back.value - v) <= std::fabs(v) * (5e-15 + DBL_EPSILON) + DBL_TRUE_MIN
              : back.status == ReadStatus::Overflow && std::fabs(v) >= 1.797693134862315e308,
          "NumberText reads back to the same text within 15 digits; only the top step overflows",
          t);
}

// A result text as cents, after its pattern and its sign: a minus only for a negative entry.
long double cents(const std::string& t, bool typedNegative, std::string_view entry) {
    static const std::regex pattern(R"(-?(0|[1-9]\d{0,2})( \d{3})*,\d\d)");
    check(std::regex_match(t, pattern), "results in ##,##0.00", t);
    std::string digits = t;
    std::erase_if(digits, [](char c) { return c == ' ' || c == ','; });
    const long double value = std::strtold(digits.c_str(), nullptr);
    check(!t.starts_with('-') || (typedNegative && value != 0),
          "a minus only for a negative amount", entry);
    return value;
}

// The entry as the converter reads it: a currency mark at its end dropped, then the spaces of
// digit groups written as French figures are (1 to 3 digits, then groups of 3, before the comma).
std::string plainAmount(std::string_view entry) {
    const std::string space = "(?: |\xC2\xA0|\xE2\x80\xAF)", blank = "(?:\t|" + space + ")";
    static const std::regex mark("(?:" + blank + "*(?:\xE2\x82\xAC|FF|F))?" + blank + "*$"),
        groups("^([ \t]*[+-]?)(\\d{1,3}(?:" + space + "\\d{3})+)(?!\\d)"), spaces(space);
    const std::string s = std::regex_replace(std::string(entry), mark, "");
    std::smatch m;
    return std::regex_search(s, m, groups)
               ? m.str(1) + std::regex_replace(m.str(2), spaces, "") + m.suffix().str()
               : s;
}

void convert(std::string_view entry) {
    const calc::Conversion c = calc::ConvertAmount(entry);
    const ReadResult read =
        calc::ReadNumber(std::regex_replace(plainAmount(entry), std::regex("\\."), ","));
    check((c.status == ConversionStatus::Empty) == (entry.empty() || entry == "0"),
          "only \"\" and \"0\" are empty", entry);
    const bool converted = c.status == ConversionStatus::Converted;
    check(converted ? read.ok()
                    : c.francs == calc::kClearedResult && c.euros == calc::kClearedResult &&
                          (c.status == ConversionStatus::Empty || entry.size() > 254 || !read.ok()),
          "only numbers convert, all within 254 bytes do; results stay cleared otherwise", entry);
    if (!converted)
        return;
    const bool negative = trimmed(entry, " \t").starts_with('-');
    const long double francs = cents(c.francs, negative, entry),
                      euros = cents(c.euros, negative, entry);
    // Where a double still holds the amount to far better than a cent, the rate must show.
    if (const long double x = read.value; std::fabs(x) < 1e9)
        check(std::fabs(francs - x * 655.957L) <= 0.501L &&
                  std::fabs(euros - x * 100 / 6.55957L) <= 0.501L,
              "francs = amount x 6.55957, euros = amount / 6.55957", entry);
}

// On a fresh calculator, one in the middle of a sum, with a typed fraction, after a result,
// after a paste.
void checkPasteBack(std::string_view clipboard) {
    // Read no further than 255 characters, which are never a figure; quoted as one short line.
    const bool tooLong = calc::Utf8PrefixBytes(clipboard, 254) < clipboard.size();
    const std::string s(trimmed(clipboard.substr(0, calc::Utf8PrefixBytes(clipboard, 255)), " "));
    const ReadResult read = tooLong ? ReadResult{ReadStatus::NotANumber, 0.0} : calc::ReadNumber(s);
    const double rounded = std::nearbyint(read.value);
    const bool figure = read.ok() && rounded >= 0 && rounded <= 2147483647.0;
    const bool notNumeric = read.status == ReadStatus::NotANumber;
    const std::string message =
        notNumeric || (read.ok() && rounded < 0 && rounded >= -2147483648.0)
            ? std::string(calc::kNotNumericPastePrefix) + calc::QuotedLine(s)
            : std::string(calc::kOverflowMessage);
    for (std::string_view keys : {"", "7+", "1,5", "12x3=", "M"}) {
        test::CalculatorRig rig;
        rig.clipboard.content = "15"; // what "M" in `keys` pastes
        rig.press(keys);
        const std::string before = rig.tape.text();
        const bool pastedBefore = rig.calc.Pasted;
        rig.clipboard.content = clipboard;
        rig.calc.Command3_Click();
        const std::string display = rig.display.text(), tape = rig.tape.text();
        if (figure) {
            const std::string digits = std::to_string(static_cast<long>(rounded));
            check(rig.dialogs.messages.empty() && display == digits && tape == before + digits &&
                      rig.calc.Pasted,
                  "a figure is typed in as its nearest whole number, without a message", clipboard);
            continue;
        }
        check(rig.dialogs.messages.size() == 1 && display == "0" &&
                  rig.calc.PendingOperator.empty() && rig.calc.Accumulator == 0.0,
              "a failed paste-back shows one message and resets the calculation", clipboard);
        // The reset takes off a closing line end and closes the tape with the dashed line.
        const std::string reset =
            before.substr(0, before.size() - (before.ends_with("\r\n") ? 2 : 0));
        check(rig.dialogs.messages[0].text == message &&
                  tape == (reset.empty() ? "" : reset + "\r\n" + test::kDashes + "\r\n"),
              "no number or a negative one: the text, else overflow; the reset's dashed line",
              tape);
        check(notNumeric ? !rig.calc.Pasted && rig.clipboard.content.empty()
                         : rig.calc.Pasted == pastedBefore,
              "no number drops the selection and Pasted, other failures keep them", clipboard);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = std::string_view(reinterpret_cast<const char*>(data), size);
    const ReadResult got = calc::ReadNumber(text), want = expectedReading(text);
    check(got.status == want.status && got.value == want.value &&
              std::signbit(got.value) == std::signbit(want.value),
          "ReadNumber gives strtod's nearest double, and no value on failure", text);
    if (got.ok())
        checkWrittenReadsBack(got.value);
    convert(text);
    checkPasteBack(text);
    return 0;
}
