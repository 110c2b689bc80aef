// Writes one file through the program's own atomic write, for a test that kills it part-way:
//   atomic_write_child <path> <page|download> <size> <version>
// Prints one byte on standard output just before the write starts.
#include "platform/files.h"
#include "write_child_content.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 5)
        return 2;
    const std::string content =
        test::ChildContent(argv[2], std::strtoul(argv[3], nullptr, 10), argv[4][0]);
    std::fputc('w', stdout);
    std::fflush(stdout);
    return ui::WriteFileAtomically(QString::fromLocal8Bit(argv[1]), content) ? 0 : 1;
}
