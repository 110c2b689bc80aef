// The note pages' reader and writer, and files written by other programs: the shared corpus
// (read in place, never copied here) and the fixtures made once with LibreOffice, pandoc and
// AbiWord (tests/fixtures/rtf/README.md).
#include "core/rtf.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

using namespace std::string_literals;

namespace calc {
namespace {

std::string Repeat(std::string_view piece, int count) {
    std::string s;
    while (count-- > 0)
        s += piece;
    return s;
}

std::string Fffd(int count) {
    return Repeat("\xEF\xBF\xBD", count);
}

// Round trips of any text and bytes are rtf_fuzz's (its corpus holds the tape's edge cases).
// What the file holds matters to other readers too: signed \u, a fallback, 1252 bytes.
TEST(RtfWriter, EncodesForOtherReaders) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xE5\x86\x86", "\\u20870?"},
        {"\xEF\xBF\xBF", "\\u-1?"},
        {"a\r\nb", "a\\par\r\nb"},
        {"\tb", "\\tab b"},
        {"\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},
        {"\r", "\\u13?"},
        {"{\\}", "\\{\\\\\\}"}};
    for (const auto& [text, fragment] : cases)
        EXPECT_NE(WriteRtf(text).find(fragment), std::string::npos) << fragment;
    const std::string rtf = WriteRtf("x");
    EXPECT_TRUE(rtf.starts_with(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fnil\\fcharset0 "));
    EXPECT_TRUE(rtf.ends_with("x}\r\n"));
    // Both sides agree on every code page 1252 byte; the five unassigned go as \u.
    for (int b = 0x80; b <= 0xFF; ++b) {
        const std::string escape = {'\\', '\'', "0123456789abcdef"[b >> 4],
                                    "0123456789abcdef"[b & 15]};
        const bool assigned =
            std::string_view("\x81\x8D\x8F\x90\x9D").find(char(b)) == std::string::npos;
        const std::string written = WriteRtf(ReadRtf("{\\rtf1\\ansi " + escape + "}").text);
        EXPECT_EQ(written.find(escape) != std::string::npos, assigned) << escape;
    }
}

TEST(RtfWriter, InvalidUtf8BecomesReplacementCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xFF", Fffd(1)},         {"a\xC3", "a" + Fffd(1)},
        {"\xC3(", Fffd(1) + "("},  {"\xC0\xAF", Fffd(2)},            // overlong
        {"\xED\xA0\x80", Fffd(3)}, {"\xF4\x90\x80\x80", Fffd(4)},    // surrogate, past U+10FFFF
        {"\xE2\x82", Fffd(1)},     {"\xF0\x9F\x98!", Fffd(1) + "!"}, // cut off
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(ReadRtf(WriteRtf(bytes)).text, expected) << bytes;
}

const std::string kJapaneseFonts = "{\\fonttbl{\\f0\\fcharset128 J;}}\\f0";

struct ReadCase {
    std::string body; // after "{\rtf1"
    std::string text;
};

TEST(RtfReader, Extracts) {
    const ReadCase cases[] = {
        {" a\\par b\\line c\\sect d\\cell e\\nestcell f\\row\\nestrow g}",
         "a\r\nb\r\nc\r\nd\r\ne\r\nfg"},
        {" a\\\nb\\\rc\\\r\nd}", "a\r\nb\r\nc\r\nd"}, // escaped line ends break, raw ones do not
        {" a\r\nb\nc\rd\0}"s, "abcd"},
        {"\\page a\\page\\page b\\par\\column c\\par}", "a\r\nb\r\nc\r\n"},
        {" a\\tab b\tc}", "a\tb\tc"},
        {" \\~\\-\\_"
         "\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\emspace\\enspace}",
         "\u00A0\u00AD\u2011—–•‘’“”\u2003\u2002"},
        {" \\{x\\}\\\\}", "{x}\\"},
        {" a\\ b\\chftn\\chpgn\\foo12 c\\|\\:d}", "abcd"},
        {" a\\par x\\par  y\\tab-5 z\\par-w}", "a\r\nx\r\n y\tz\r\n-w"},
        {" a{\\*\\generator x;}{\\*\\unknown y{z}}b}", "ab"},
        {" {\\colortbl;\\red0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\pict 0a0b}"
         "{\\nonshppict{\\pict ff}}{\\object{\\objdata 01}{\\result r}}{\\xe i}{\\tc t}{\\header h}"
         "{\\headerl h}{\\footer f}{\\footerr f}a{\\footnote n}b}",
         "rab"},
        {" {\\pntext 1.\\tab}A\\par{\\listtext\\'95\\tab}B\\par{\\shp{\\*\\shpinst s}{\\shprslt "
         "C}}}",
         "1.\tA\r\n•\tB\r\nC"},
        {" a\\bin4 {}\\\\b{\\*\\x\\bin2 }}}c}", "abc"},
        // Code pages: the document's, a font's \fcharset or \cpg, \deff, double-byte fonts.
        {"\\ansi caf\\'e9 \\'80 \\'93x\\'94 \xe9t\xe9}", "café € “x” été"},
        {"\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", "При"},
        {"\\ansicpg65001 caf\\'c3\\'a9 \xe2\x82\xac}", "café €"},
        // Ill-formed UTF-8 never reaches the tape: each byte that is no part of a character
        // becomes U+FFFD (so does each byte of a cut-off one).
        {"\\ansicpg65001 \xfa\x9e\x91\x91\x91"
         "A\xed\xa0\x80"
         "B\xf4\x90\x80\x80"
         "C\xe2\x82}",
         Fffd(5) + "A" + Fffd(3) + "B" + Fffd(4) + "C" + Fffd(2)},
        {"\\mac caf\\'8e}", "café"},
        {"\\pc \\'d5\\pca \\'d5}", "╒ı"},
        {"\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}"
         "{\\f2\\fcharset238 C;}}\\f0\\'a5{\\f1\\'a5}{\\f2\\'a5}\\'a5}",
         "¥ҐĄ¥"},
        {"\\ansi{\\fonttbl{\\f0\\fcharset128 J;}{\\f1\\fcharset134 C;}{\\f2\\fcharset136 T;}"
         "{\\f3\\fcharset129 K;}}\\f0\\'83\\'6f\\f1\\'d6\\'d0\\f2\\'a4\\'a4\\f3\\'c7\\'d1}",
         "バ中中한"},
        {kJapaneseFonts + "\\'83X\\'83\\\\}", "スソ"}, // trail bytes written plain
        {"\\ansi\\deff1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}}"
         "\\'e9{\\f0\\'e9}\\f0\\plain\\'e9}",
         "йéй"},
        {"\\ansi{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fnil\\fcharset204 "
         "Cyr;}\\f1\\'e9}",
         "й"},
        {"{\\fonttbl{\\f0\\cpg1251 A;}}\\f0\\'e9}", "й"},
        {"\\ansi{\\fonttbl{\\f0\\fcharset77 H;}}\\f0\\'8e}", "é"},
        {"\\ansi{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset2 Symbol;}}{\\f1\\'b7}\\'b7}", "•·"},
        // \u: signed, \uc fallbacks skipped within the group, surrogate pairs.
        {" \\u233?\\u-3?\\u8364?\\u-1?\\u0?}", "é" + Fffd(1) + "€\uFFFF\0"s},
        {"\\uc2 \\u233\\'e9\\'e9a\\u233\\par\\tab b\\u233 xyz}", "éaébéz"},
        {"\\uc0{\\uc2\\u233 ab}\\u233 c}", "ééc"},
        {" \\u-10179?\\u-8704?{\\uc0{\\u55357}{\\u56832}}}", "😀😀"},
        {" \\u-10179?x\\u-8704?\\u-10179?\\par}", Fffd(1) + "x" + Fffd(2) + "\r\n"},
    };
    for (const ReadCase& c : cases) {
        const RtfReadResult r = ReadRtf("{\\rtf1" + c.body);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.text, c.text) << c.body;
    }
}

std::string CodePageFlood(int count) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += "\\ansicpg" + std::to_string(100000 + i) + " \\'80";
    return s;
}

// Any bytes fail with a reason or give valid UTF-8 of at most three bytes a byte: rtf_fuzz's.
TEST(RtfReaderHostile, FailsClearlyOrRecoversText) {
    for (const char* input :
         {"", "12 + 3 =  15\r\n", "%PDF-1.4\n{\\rtf1 x}", "{\\rtfx a}", "{\\rt"})
        EXPECT_FALSE(ReadRtf(input).ok) << input;
    const std::tuple<std::string, bool, bool, std::string> cases[] = {
        {"{\\rtf1 abc{\\b def", true, true, "abcdef"},
        {"{\\rtf1 a\\'e", true, true, "a"},
        {"{\\rtf1 a}}}b}", true, false, "a"},
        {"{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "}", false, false,
         ""},
        {"{\\rtf1 " + std::string(900, '{') + "x" + std::string(900, '}') + "}", true, false, "x"},
        {"{\\rtf1" + Repeat("{a}", 100000) + "}", true, false, std::string(100000, 'a')},
        {"{\\rtf1 a\\bin2147483647 xyz}", true, true, "a"},
        {"{\\rtf1 a\\bin-5 xyz}", true, false, "axyz"},
        {"{\\rtf1{\\uc99999999999 \\u233 abc\\par}d}", true, false, "éd"},
        {"{\\rtf1{\\fonttbl{\\f-2147483648\\fcharset99999999999 A;}}\\f99999999999\\'e9}", true,
         false, "é"},
        {"{\\rtf1 a\\" + std::string(1 << 20, 'x') + " b}", true, false, "ab"},
        {"{\\rtf1 a\\u" + std::string(1 << 20, '9') + " b}", true, false, "a" + Fffd(1)},
        {"{\\rtf1" + kJapaneseFonts + "\\'ff\\'41\\'83}", true, false, Fffd(1) + "A" + Fffd(1)},
        {"{\\rtf1{\\fonttbl" + Repeat("\\f7\\fcharset0 x;", 100000) +
             "\\f5\\fcharset128 J;}\\f5\\'83\\'6f}",
         true, false, "バ"},
        {"{\\rtf1" + kJapaneseFonts + Repeat("\\'83", 50001) + "}", true, false,
         Repeat("\xE3\x83\xA3", 25000) + Fffd(1)},
        // A code page no converter knows, a new one for each byte: read as 1252.
        {"{\\rtf1" + CodePageFlood(100000) + "}", true, false, Repeat("\xE2\x82\xAC", 100000)},
        {"{\\rtf1 a}b{\\rtf1 c}\0"s, true, false, "a"},
        {"\xEF\xBB\xBF \r\n{\\rtf0 a{\\rtf b}}", true, false, "ab"},
    };
    for (const auto& [input, ok, truncated, text] : cases) {
        const RtfReadResult r = ReadRtf(input);
        EXPECT_EQ(r.ok, ok) << input.substr(0, 60);
        EXPECT_EQ(r.truncated, truncated) << input.substr(0, 60);
        EXPECT_EQ(r.ok ? r.text : "", text) << input.substr(0, 60);
    }
}

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each file gives its expected text, which survives a save and load of our own; cut anywhere
// (a failed copy, a full disk) it still loads what it holds. The shared corpus may be missing
// on a machine of its own; the fixtures never are.
TEST(OtherWritersRtf, ExtractTheExpectedTextAndCutOffCopiesStaySafe) {
    const std::pair<fs::path, std::size_t> dirs[] = {
        {fs::path(TIRELIX_FIXTURES) / "rtf", 4}, {fs::path(TIRELIX_SHARED_TESTDATA) / "rtf", 22}};
    for (const auto& [dir, least] : dirs) {
        std::size_t files = 0;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
            if (entry.path().extension() != ".rtf")
                continue;
            SCOPED_TRACE(entry.path());
            ++files;
            const std::string bytes = Slurp(entry.path());
            const std::string expected =
                Slurp(fs::path(entry.path()).replace_extension(".expected.txt"));
            const RtfReadResult r = ReadRtf(bytes);
            ASSERT_TRUE(r.ok && !r.truncated) << r.error;
            EXPECT_EQ(r.text, expected);
            EXPECT_EQ(ReadRtf(WriteRtf(expected)).text, expected);
            for (std::size_t cut = bytes.find("{\\rtf") + 6; cut < bytes.size(); cut += 41) {
                const RtfReadResult part = ReadRtf(std::string_view(bytes).substr(0, cut));
                ASSERT_TRUE(part.ok) << cut << ": " << part.error;
                ASSERT_LE(part.text.size(), 3 * cut) << cut;
            }
        }
        EXPECT_TRUE(files >= least || (ec && dir.string().find("shared") != std::string::npos))
            << dir;
    }
}

} // namespace
} // namespace calc
