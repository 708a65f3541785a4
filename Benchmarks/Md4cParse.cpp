// ledgerly-bench-md4c FILE: reads FILE and parses it with md4c, doing nothing
// with what it finds: the yardstick that ledgerly-check is timed against as a
// whole process.

#include <md4c.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int ignoreBlock(MD_BLOCKTYPE, void*, void*) { return 0; }
int ignoreSpan(MD_SPANTYPE, void*, void*) { return 0; }
int ignoreText(MD_TEXTTYPE, const MD_CHAR*, MD_SIZE, void*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ledgerly-bench-md4c FILE\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
    std::string text(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    if (!in || !in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        std::cerr << "ledgerly-bench-md4c: cannot read " << argv[1] << '\n';
        return 1;
    }
    MD_PARSER parser{};
    parser.enter_block = ignoreBlock;
    parser.leave_block = ignoreBlock;
    parser.enter_span = ignoreSpan;
    parser.leave_span = ignoreSpan;
    parser.text = ignoreText;
    return md_parse(text.data(), static_cast<MD_SIZE>(text.size()), &parser, nullptr) == 0 ? 0 : 1;
}
