#include "core/rtf.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace calc {
namespace {

bool IsAscii(std::string_view s) {
    for (const char c : s) {
        if (static_cast<unsigned char>(c) > 0x7F)
            return false;
    }
    return true;
}

std::string ParamName(const char* name) {
    return name;
}

// --- Writer, checked through the reader -------------------------------------------------

struct TextCase {
    const char* name;
    std::string text;
};
void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfRoundTrip : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfRoundTrip, ReadsBackTheSameText) {
    const std::string rtf = WriteRtf(GetParam().text);
    EXPECT_TRUE(IsAscii(rtf));
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    const RtfReadResult r = ReadRtf(rtf);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_FALSE(r.truncated);
    EXPECT_EQ(r.text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RtfRoundTrip,
    ::testing::Values(
        TextCase{"Empty", ""},
        TextCase{"Tape", "12 + 3 =  15\r\n x 4 =  60\r\n "
                         "---------------------------------------------------------\r\n"},
        TextCase{"NoFinalLineEnd", "Total\r\n100 F =  15,24 \xE2\x82\xAC"},
        TextCase{"OnlyLineEnds", "\r\n\r\n\r\n"},
        TextCase{"BlanksAtLineStart", "a\r\n  b\r\n\tc\r\n "},
        TextCase{"Accents", "Relev\xC3\xA9 : \xC5\x93uvre, na\xC3\xAFve, gar\xC3\xA7on, \xC3\xA0 "
                            "bient\xC3\xB4t, \xC5\xB8\xC3\xBF"},
        TextCase{"Cp1252Punctuation",
                 "\xE2\x80\x9A\xC6\x92\xE2\x80\x9E\xE2\x80\xA6\xE2\x80\xA0\xE2\x80\xA1\xCB\x86\xE2"
                 "\x80\xB0\xC5\xA0\xE2\x80\xB9\xC5\x92\xC5\xBD\xE2\x80\x98\xE2\x80\x99\xE2\x80\x9C"
                 "\xE2\x80\x9D\xE2\x80\xA2\xE2\x80\x93\xE2\x80\x94\xCB\x9C\xE2\x84\xA2\xC5\xA1\xE2"
                 "\x80\xBA\xC5\x93\xC5\xBE\xC2\xA0\xC2\xAD"},
        TextCase{"RtfLookalikes", "{a} \\ \\par \\u233? \\'e9 {\\rtf1 } }{"},
        TextCase{"TabBeforeDigitLetterHyphen", "\t5\t-5\tx\t \t"},
        TextCase{"LoneCrAndLf", "a\rb\nc\r\r\nd\n\re\r"},
        TextCase{"ControlCharacters", "nul\0bell\a\x1f"s
                                      " del\x7f"},
        TextCase{"C1Controls", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\xC2\x85"},
        TextCase{"OutsideCp1252",
                 "\xE2\x89\x88 \xE5\x86\x86 \xCE\xA9 \xC4\x85 \xD1\x87 \xE2\x82\xA9"},
        TextCase{"QuestionMarkAfterUnicode", "\xE5\x86\x86?x \xE2\x89\x88??"},
        TextCase{"OutsideBmp", "\xF0\x9F\x98\x80 \xF0\x9D\x95\x8A\xF4\x8F\xBF\xBF"},
        TextCase{"Noncharacters", "\xEF\xBF\xBF \xEF\xBF\xBE \xEF\xBF\xBD"},
        TextCase{"LongLine", std::string(100000, '9')}),
    [](const auto& info) { return ParamName(info.param.name); });

TEST(RtfRoundTrip, RandomTextsFromPool) {
    // clang-format off
    const std::vector<std::string> pool = {
        "a", "Z", "0", "9", " ", "-", "?", ";", "12 + 3 =  15", "\xC3\xA9", "\xE2\x82\xAC",
        "\xC5\x92", "\xC3\xBF", "{", "}", "\\", "\r\n", "\r", "\n", "\t", "\xE5\x86\x86",
        "\xF0\x9F\x98\x80", "\xE2\x89\x88", "\xC2\x81", "\0"s, "\x1b", "\xEF\xBF\xBF"};
    // clang-format on
    std::mt19937 rng(20020217);
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        for (int k = static_cast<int>(rng() % 40); k > 0; --k) {
            text += pool[rng() % pool.size()];
        }
        const std::string rtf = WriteRtf(text);
        ASSERT_TRUE(IsAscii(rtf)) << i;
        const RtfReadResult r = ReadRtf(rtf);
        ASSERT_TRUE(r.ok) << i;
        ASSERT_EQ(r.text, text) << i;
    }
}

// What the file holds matters to other readers too: signed \u, a fallback, 1252 bytes.
TEST(RtfWriter, EncodesForOtherReaders) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xC3\xA9", "\\'e9"},
        {"\xE2\x82\xAC", "\\'80"},
        {"\xE5\x86\x86", "\\u20870?"},
        {"\xEF\xBF\xBF", "\\u-1?"},
        {"\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},
        {"a\r\nb", "a\\par\r\nb"},
        {"\tb", "\\tab b"},
        {"\r", "\\u13?"},
        {"{\\}", "\\{\\\\\\}"},
    };
    for (const auto& [text, fragment] : cases) {
        const std::string rtf = WriteRtf(text);
        EXPECT_NE(rtf.find(fragment), std::string::npos) << fragment << " in " << rtf;
    }
    const std::string rtf = WriteRtf("x");
    EXPECT_EQ(
        rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fnil\\fcharset0 ",
                  0),
        0u);
    EXPECT_EQ(rtf.substr(rtf.size() - 4), "x}\r\n");
}

TEST(RtfWriter, InvalidUtf8BecomesReplacementCharacters) {
    const std::string kFffd = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"\xFF", kFffd},
        {"a\xC3", "a" + kFffd},
        {"\xC3(", kFffd + "("},
        {"\xC0\xAF", kFffd + kFffd},             // overlong
        {"\xED\xA0\x80", kFffd + kFffd + kFffd}, // surrogate
        {"\xF4\x90\x80\x80", kFffd + kFffd + kFffd + kFffd},
        {"\xE2\x82", kFffd}, // cut-off euro sign
        {"\xF0\x9F\x98"
         "a",
         kFffd + "a"},
    };
    for (const auto& [bytes, expected] : cases) {
        const std::string rtf = WriteRtf(bytes);
        EXPECT_TRUE(IsAscii(rtf));
        EXPECT_EQ(ReadRtf(rtf).text, expected) << rtf;
    }
    // Any byte string reads back as text that writes the very same file.
    std::mt19937 rng(6559);
    for (int i = 0; i < 2000; ++i) {
        std::string bytes(rng() % 24, '\0');
        for (char& c : bytes)
            c = static_cast<char>(rng());
        const std::string rtf = WriteRtf(bytes);
        ASSERT_EQ(WriteRtf(ReadRtf(rtf).text), rtf) << i;
    }
}

// Both sides must agree on every code page 1252 byte.
TEST(RtfWriter, AgreesWithReaderOnCp1252) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (int b = 0x80; b <= 0xFF; ++b) {
        const std::string escape = {'\\', '\'', kHex[b >> 4], kHex[b & 0xF]};
        const std::string text = ReadRtf("{\\rtf1\\ansi " + escape + "}").text;
        const bool unassigned = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        EXPECT_EQ(WriteRtf(text).find(escape) != std::string::npos, !unassigned) << escape;
    }
}

// --- Reader rules -------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::string rtf;
    std::string text;
};
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfReaderRule : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RtfReaderRule, Extracts) {
    const RtfReadResult r = ReadRtf(GetParam().rtf);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.text, GetParam().text);
}

const std::string kJapaneseFonts = "{\\fonttbl{\\f0\\fcharset128 J;}}\\f0";

INSTANTIATE_TEST_SUITE_P(
    Rules, RtfReaderRule,
    ::testing::Values(
        ReadCase{"ParagraphBreaks",
                 "{\\rtf1 a\\par b\\line c\\sect d\\cell e\\nestcell f\\row\\nestrow g}",
                 "a\r\nb\r\nc\r\nd\r\ne\r\nfg"},
        ReadCase{"EscapedLineEnds", "{\\rtf1 a\\\nb\\\rc\\\r\nd}", "a\r\nb\r\nc\r\nd"},
        ReadCase{"RawLineEndsIgnored", "{\\rtf1 a\r\nb\nc\rd}", "abcd"},
        ReadCase{"PageOnlyAfterText", "{\\rtf1\\page a\\page\\page b\\par\\column c}",
                 "a\r\nb\r\nc"},
        ReadCase{"FinalLineEndOnlyWithPar", "{\\rtf1 a\\par b\\par}", "a\r\nb\r\n"},
        ReadCase{"Tabs", "{\\rtf1 a\\tab b\tc}", "a\tb\tc"},
        ReadCase{
            "Symbols",
            "{\\rtf1 "
            "\\~\\-\\_"
            "\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\emspace\\enspace}",
            "\xC2\xA0\xC2\xAD\xE2\x80\x91\xE2\x80\x94\xE2\x80\x93\xE2\x80\xA2\xE2\x80\x98\xE2\x80"
            "\x99\xE2\x80\x9C\xE2\x80\x9D\xE2\x80\x83\xE2\x80\x82"},
        ReadCase{"EscapedBracesAndBackslash", "{\\rtf1 \\{x\\}\\\\}", "{x}\\"},
        ReadCase{"IgnoredControls", "{\\rtf1 a\\ b\\chftn\\chpgn\\foo12 c\\|\\:d}", "abcd"},
        ReadCase{"WordDelimiters", "{\\rtf1 a\\par x\\par  y\\tab-5 z\\par-w}",
                 "a\r\nx\r\n y\tz\r\n-w"},
        ReadCase{"StarredGroupsSkipped", "{\\rtf1 a{\\*\\generator x;}{\\*\\unknown y{z}}b}", "ab"},
        ReadCase{"HiddenDestinations",
                 "{\\rtf1 {\\colortbl;\\red0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title "
                 "T}}{\\pict 0a0b}"
                 "{\\nonshppict{\\pict ff}}{\\object{\\objdata 01}{\\result r}}{\\xe i}{\\tc "
                 "t}{\\header h}"
                 "{\\headerl h}{\\footer f}{\\footerr f}a{\\footnote n}b}",
                 "rab"},
        ReadCase{"FieldResultKept",
                 "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt lien}} "
                 "{\\field{\\fldinst PAGE}{\\fldrslt 3}}}",
                 "lien 3"},
        ReadCase{"FallbackTextKept",
                 "{\\rtf1 {\\pntext 1.\\tab}A\\par{\\listtext\\'95\\tab}B\\par{\\shp{\\*\\shpinst "
                 "s}{\\shprslt C}}}",
                 "1.\tA\r\n\xE2\x80\xA2\tB\r\nC"},
        ReadCase{"BinaryDataSkipped", "{\\rtf1 a\\bin4 {}\\\\b{\\*\\x\\bin2 }}}c}", "abc"},
        ReadCase{"DefaultCodePage", "{\\rtf1\\ansi caf\\'e9 \\'80 \\'93x\\'94 \xe9t\xe9}",
                 "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D \xC3\xA9t\xC3\xA9"},
        ReadCase{"AnsiCodePage", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}",
                 "\xD0\x9F\xD1\x80\xD0\xB8"},
        ReadCase{"Utf8CodePage", "{\\rtf1\\ansicpg65001 caf\\'c3\\'a9 \xe2\x82\xac}",
                 "caf\xC3\xA9 \xE2\x82\xAC"},
        // Ill-formed UTF-8 never reaches the tape: each byte that is no part of a character
        // becomes U+FFFD (so does each byte of a cut-off one).
        ReadCase{"Utf8CodePageIllFormed",
                 "{\\rtf1\\ansicpg65001 \xfa\x9e\x91\x91\x91"
                 "A\xed\xa0\x80"
                 "B\xf4\x90\x80\x80"
                 "C\xe2\x82}",
                 "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
                 "A"
                 "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
                 "B"
                 "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
                 "C"
                 "\xEF\xBF\xBD\xEF\xBF\xBD"},
        ReadCase{"MacCodePage", "{\\rtf1\\mac caf\\'8e}", "caf\xC3\xA9"},
        ReadCase{"PcCodePage", "{\\rtf1\\pc \\'d5}", "\xE2\x95\x92"},
        ReadCase{"PcaCodePage", "{\\rtf1\\pca \\'d5}", "\xC4\xB1"},
        ReadCase{"FontCharsetBeatsCodePage",
                 "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 "
                 "B;}{\\f2\\fcharset238 C;}}\\f0\\'a5{\\f1\\'a5}{\\f2\\'a5}\\'a5}",
                 "\xC2\xA5\xD2\x90\xC4\x84\xC2\xA5"},
        ReadCase{"DoubleByteFonts",
                 "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 J;}{\\f1\\fcharset134 "
                 "C;}{\\f2\\fcharset136 T;}{\\f3\\fcharset129 K;}}"
                 "\\f0\\'83\\'6f\\f1\\'d6\\'d0\\f2\\'a4\\'a4\\f3\\'c7\\'d1}",
                 "\xE3\x83\x90\xE4\xB8\xAD\xE4\xB8\xAD\xED\x95\x9C"},
        ReadCase{"TrailBytesWrittenPlain", "{\\rtf1" + kJapaneseFonts + "\\'83X\\'83\\\\}",
                 "\xE3\x82\xB9\xE3\x82\xBD"},
        ReadCase{"DefaultFontFromDeff",
                 "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 "
                 "B;}}\\'e9{\\f0\\'e9}\\f0\\plain\\'e9}",
                 "\xD0\xB9\xC3\xA9\xD0\xB9"},
        ReadCase{"FontTableWithoutGroups",
                 "{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fnil\\fcharset204 "
                 "Cyr;}\\f1\\'e9}",
                 "\xD0\xB9"},
        ReadCase{"FontCodePageWord", "{\\rtf1{\\fonttbl{\\f0\\cpg1251 A;}}\\f0\\'e9}", "\xD0\xB9"},
        ReadCase{"MacCharset", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset77 H;}}\\f0\\'8e}",
                 "\xC3\xA9"},
        ReadCase{"SymbolBullet",
                 "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset2 "
                 "Symbol;}}{\\f1\\'b7}\\'b7}",
                 "\xE2\x80\xA2\xC2\xB7"},
        ReadCase{"UnicodeSigned", "{\\rtf1 \\u233?\\u-3?\\u8364?\\u-1?\\u0?}",
                 "\xC3\xA9\xEF\xBF\xBD\xE2\x82\xAC\xEF\xBF\xBF\0"s},
        ReadCase{"UnicodeSkipCounts", "{\\rtf1\\uc2 \\u233\\'e9\\'e9a\\u233\\par\\tab b\\u233 xyz}",
                 "\xC3\xA9"
                 "a\xC3\xA9"
                 "b\xC3\xA9z"},
        ReadCase{"UnicodeSkipScopedToGroup", "{\\rtf1\\uc0{\\uc2\\u233 ab}\\u233 c}",
                 "\xC3\xA9\xC3\xA9"
                 "c"},
        ReadCase{"BraceEndsSkip", "{\\rtf1\\uc4{\\u233 a}bc}",
                 "\xC3\xA9"
                 "bc"},
        ReadCase{"SurrogatePair", "{\\rtf1 \\u-10179?\\u-8704?}", "\xF0\x9F\x98\x80"},
        ReadCase{"SurrogatePairAcrossGroups", "{\\rtf1\\uc0{\\u55357}{\\u56832}}",
                 "\xF0\x9F\x98\x80"},
        ReadCase{"LoneSurrogates", "{\\rtf1 \\u-10179?x\\u-8704?\\u-10179?\\par}",
                 "\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD\r\n"},
        ReadCase{"OutOfRangeUnicode", "{\\rtf1 \\u70000?\\u-70000?\\u99999999999999?}",
                 "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        ReadCase{"TextAfterDocumentIgnored", "{\\rtf1 a}b{\\rtf1 c}\0"s, "a"},
        ReadCase{"OtherHeaders", "\xEF\xBB\xBF \r\n{\\rtf0 a{\\rtf b}}", "ab"},
        ReadCase{"NulBytesIgnored", "{\\rtf1 a\0b\0}"s, "ab"}),
    [](const auto& info) { return ParamName(info.param.name); });

// --- Hostile input ------------------------------------------------------------------------

struct HostileCase {
    const char* name;
    std::string input;
    bool ok;
    bool truncated;
    std::string text;
};

std::string Repeat(std::string_view piece, int count) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += piece;
    return s;
}

std::string CodePageFlood(int count) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += "\\ansicpg" + std::to_string(100000 + i) + " \\'80";
    return s;
}

std::vector<HostileCase> HostileCases() {
    const std::string fffd = "\xEF\xBF\xBD";
    return {
        {"Empty", "", false, false, ""},
        {"Blank", " \r\n\t", false, false, ""},
        {"PlainText", "12 + 3 =  15\r\n", false, false, ""},
        {"OtherFormat", "%PDF-1.4\n{\\rtf1 x}", false, false, ""},
        {"RtfLookalike", "{\\rtfx a}", false, false, ""},
        {"CutHeader", "{\\rt", false, false, ""},
        {"MissingBraces", "{\\rtf1 abc{\\b def", true, true, "abcdef"},
        {"CutInControlWord", "{\\rtf1 a\\pa", true, true, "a"},
        {"CutInHexByte", "{\\rtf1 a\\'e", true, true, "a"},
        {"CutAfterBackslash", "{\\rtf1 a\\", true, true, "a"},
        {"ExtraClosingBraces", "{\\rtf1 a}}}b}", true, false, "a"},
        {"DeepNesting",
         "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "}", false, false,
         ""},
        {"NestingUnderTheCap",
         "{\\rtf1 " + std::string(900, '{') + "x" + std::string(900, '}') + "}", true, false, "x"},
        {"ManyGroupsInARow", "{\\rtf1" + Repeat("{a}", 100000) + "}", true, false,
         std::string(100000, 'a')},
        {"HugeBin", "{\\rtf1 a\\bin2147483647 xyz}", true, true, "a"},
        {"AbsurdBin", "{\\rtf1 a\\bin999999999999999999999 xyz}", true, true, "a"},
        {"NegativeBin", "{\\rtf1 a\\bin-5 xyz}", true, false, "axyz"},
        {"AbsurdUc", "{\\rtf1{\\uc99999999999 \\u233 abc\\par}d}", true, false,
         "\xC3\xA9"
         "d"},
        {"AbsurdFontNumbers",
         "{\\rtf1{\\fonttbl{\\f-2147483648\\fcharset99999999999 A;}}\\f99999999999\\'e9}", true,
         false, "\xC3\xA9"},
        {"LongControlWord", "{\\rtf1 a\\" + std::string(1 << 20, 'x') + " b}", true, false, "ab"},
        {"LongParameter", "{\\rtf1 a\\u" + std::string(1 << 20, '9') + " b}", true, false,
         "a" + fffd},
        {"LoneLeadByte", "{\\rtf1" + kJapaneseFonts + "\\'83}", true, false, fffd},
        {"InvalidDoubleByte", "{\\rtf1" + kJapaneseFonts + "\\'ff\\'41\\'83}", true, false,
         fffd + "A" + fffd},
        {"FontTableFlood",
         "{\\rtf1{\\fonttbl" + Repeat("\\f7\\fcharset0 x;", 100000) +
             "\\f5\\fcharset128 J;}\\f5\\'83\\'6f}",
         true, false, "\xE3\x83\x90"},
        {"ByteFlood", "{\\rtf1" + kJapaneseFonts + Repeat("\\'83", 50001) + "}", true, false,
         Repeat("\xE3\x83\xA3", 25000) + fffd},
        // A code page no converter knows, a new one for each byte: read as 1252.
        {"CodePageFlood", "{\\rtf1" + CodePageFlood(100000) + "}", true, false,
         Repeat("\xE2\x82\xAC", 100000)},
    };
}

TEST(RtfReaderHostile, FailsClearlyOrRecoversText) {
    for (const HostileCase& c : HostileCases()) {
        SCOPED_TRACE(c.name);
        const RtfReadResult r = ReadRtf(c.input);
        EXPECT_EQ(r.ok, c.ok) << r.error;
        EXPECT_EQ(r.error.empty(), c.ok);
        EXPECT_EQ(r.truncated, c.truncated);
        if (c.ok && !c.text.empty()) {
            EXPECT_EQ(r.text, c.text);
        }
        EXPECT_LE(r.text.size(), 3 * c.input.size());
    }
}

// Token soup: whatever order the pieces come in, the reader ends with bounded output.
TEST(RtfReaderHostile, RandomTokenSoup) {
    // clang-format off
    const std::vector<std::string> pieces = {
        "{", "}", "{", "}", "\\par ", "\\u-10179?", "\\u-8704?", "\\u233 ", "\\uc0 ", "\\uc3 ",
        "\\'83", "\\'e9", "\\'", "\\bin3 ", "\\bin-1 ", "\\*", "\\fonttbl", "\\f1", "\\f2",
        "\\fcharset128 ", "\\fcharset2 ", "\\cpg936 ", "\\ansicpg932 ", "\\mac", "\\plain",
        "\\page", "\\fldrslt ", "\\pict ", "text ", "\xe9", "\x83", "\0"s, "\\", "\\\\",
        "\\~", "\r\n", "\t", ";", "X", "\\u", "-", "99"};
    // clang-format on
    std::mt19937 rng(1999);
    for (int i = 0; i < 3000; ++i) {
        std::string input = "{\\rtf1";
        for (int k = static_cast<int>(rng() % 60); k > 0; --k) {
            input += pieces[rng() % pieces.size()];
        }
        const RtfReadResult r = ReadRtf(input);
        ASSERT_EQ(r.ok, r.error.empty()) << i;
        ASSERT_LE(r.text.size(), 3 * input.size()) << i;
    }
}

} // namespace
} // namespace calc
