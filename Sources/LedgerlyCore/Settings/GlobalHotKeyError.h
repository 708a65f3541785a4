#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace ledgerly {

// Why the global shortcut could not be registered. The status is the one the
// system reported (0 for invalidShortcut, which never reaches the system).
class GlobalHotKeyError : public std::exception {
public:
    enum class Case { eventHandlerUnavailable, registrationFailed, invalidShortcut };

    static GlobalHotKeyError eventHandlerUnavailable(std::int32_t status);
    static GlobalHotKeyError registrationFailed(std::int32_t status);
    static GlobalHotKeyError invalidShortcut();

    Case errorCase() const { return case_; }
    std::int32_t status() const { return status_; }
    // The fixed English text shown to the user.
    const std::string& errorDescription() const;
    const char* what() const noexcept override;

    bool operator==(const GlobalHotKeyError& other) const { return case_ == other.case_ && status_ == other.status_; }

private:
    GlobalHotKeyError(Case errorCase, std::int32_t status) : case_(errorCase), status_(status) {}

    Case case_;
    std::int32_t status_;
};

}  // namespace ledgerly
