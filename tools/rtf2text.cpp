// Prints the text the note-page reader extracts from an RTF file, to try it on other
// writers' files: rtf2text FILE > text.txt
#include "core/rtf.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Fail(const char* path, const std::string& why) {
    std::fprintf(stderr, "rtf2text: %s: %s\n", path, why.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: rtf2text FILE\n", stderr);
        return 2;
    }
    const char* path = argv[1];
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return Fail(path, std::strerror(errno));
    }
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const int readError = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (readError != 0) {
        return Fail(path, std::strerror(readError));
    }

    const calc::RtfReadResult result = calc::ReadRtf(bytes);
    if (!result.ok) {
        return Fail(path, result.error);
    }
    if (result.truncated) {
        std::fprintf(stderr,
                     "rtf2text: %s: warning: the document is cut off, its text may be incomplete\n",
                     path);
    }
    std::fwrite(result.text.data(), 1, result.text.size(), stdout);
    if (std::fflush(stdout) != 0) {
        return Fail("<stdout>", std::strerror(errno));
    }
    return 0;
}
