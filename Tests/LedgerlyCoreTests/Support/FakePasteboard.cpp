#include "Support/FakePasteboard.h"

namespace ledgerly::testing {

void FakePasteboard::setString(const std::string& text) {
    recordCall(log_, "pasteboard.setString " + text);
    otherContent.reset();
    string = text;
    writes.push_back(text);
}

}  // namespace ledgerly::testing
