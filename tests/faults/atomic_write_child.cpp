// Writes one file through the program's own atomic write, for a test that kills it part-way:
//   atomic_write_child <path> <size> <byte>
// The file is <size> times <byte>. Prints one byte on standard output as the write starts.
#include "platform/files.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    const std::string content(std::strtoul(argv[2], nullptr, 10), argv[3][0]);
    std::fputc('w', stdout);
    std::fflush(stdout);
    return ui::WriteFileAtomically(QString::fromLocal8Bit(argv[1]), content) ? 0 : 1;
}
