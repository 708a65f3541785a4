// ledgerly-bench-write-file KIND FILE: writes a generated bookmark file of the
// parser benchmark (ascii-1MB, ascii-16MB, mixed-1MB, mixed-16MB), so that
// whole programs can be timed on it.

#include "BookmarkFileGenerator.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    ledgerly::bench::BookmarkFileKind kind{};
    if (argc != 3 || !ledgerly::bench::bookmarkFileKindNamed(argv[1], kind)) {
        std::cerr << "usage: ledgerly-bench-write-file ascii-1MB|ascii-16MB|mixed-1MB|mixed-16MB FILE\n";
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << ledgerly::bench::generateBookmarkFile(kind);
    out.close();
    if (!out) {
        std::cerr << "ledgerly-bench-write-file: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
