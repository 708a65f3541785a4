#include "LedgerlyCore/Version.h"

namespace ledgerly {

const char* versionString() { return kVersionString; }

}  // namespace ledgerly
