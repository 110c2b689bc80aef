// Note pages: the tape as an RTF document, and the plain text of any RTF document.
#pragma once

#include <string>
#include <string_view>

namespace calc {

// A complete RTF document holding `text` (UTF-8, paragraphs separated by CR LF) as plain
// paragraphs in one font. The file is 7-bit ASCII. For any valid UTF-8 text t,
// ReadRtf(WriteRtf(t)).text == t; bytes that are not valid UTF-8 are written as U+FFFD.
std::string WriteRtf(std::string_view text);

struct RtfReadResult {
    bool ok = false;
    // UTF-8, paragraphs ended by CR LF. On failure, what was read before the fault.
    std::string text;
    // A short reason when !ok.
    std::string error;
    // The input ended inside an open group (a cut-off file); `text` is what it held.
    bool truncated = false;
};

// The plain text of an RTF document written by this program or another writer: paragraph
// and line breaks as CR LF, tables as one cell per line, no headers, footers, footnotes,
// field codes, pictures or other hidden parts. 8-bit text is decoded by the current font's
// character set or else the document code page. Never throws on malformed input; time and
// memory stay linear in the input size.
RtfReadResult ReadRtf(std::string_view rtf);

} // namespace calc
