#include "LedgerlyCore/Version.h"

#include <iostream>

int main() {
    std::cout << "ledgerly-check " << ledgerly::versionString() << '\n';
    return 0;
}
