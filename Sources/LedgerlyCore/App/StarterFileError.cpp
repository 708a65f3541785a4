#include "LedgerlyCore/App/StarterFileError.h"

namespace ledgerly {
namespace {

constexpr const char* kTemplateMissing = "Ledgerly could not find its bundled starter Markdown file.";

}  // namespace

std::string StarterFileError::errorDescription() const { return what(); }

const char* StarterFileError::what() const noexcept {
    switch (value_) {
    case Case::templateMissing:
        return kTemplateMissing;
    }
    return kTemplateMissing;
}

}  // namespace ledgerly
