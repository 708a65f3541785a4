#include "LedgerlyCore/Settings/GlobalHotKeyError.h"

namespace ledgerly {

GlobalHotKeyError GlobalHotKeyError::eventHandlerUnavailable(std::int32_t status) {
    return GlobalHotKeyError(Case::eventHandlerUnavailable, status);
}

GlobalHotKeyError GlobalHotKeyError::registrationFailed(std::int32_t status) {
    return GlobalHotKeyError(Case::registrationFailed, status);
}

GlobalHotKeyError GlobalHotKeyError::invalidShortcut() { return GlobalHotKeyError(Case::invalidShortcut, 0); }

const std::string& GlobalHotKeyError::errorDescription() const {
    static const std::string unavailable = "Shortcut unavailable.";
    static const std::string needsModifier = "Shortcut needs Ctrl, Alt, or Super.";
    return case_ == Case::invalidShortcut ? needsModifier : unavailable;
}

const char* GlobalHotKeyError::what() const noexcept { return errorDescription().c_str(); }

}  // namespace ledgerly
