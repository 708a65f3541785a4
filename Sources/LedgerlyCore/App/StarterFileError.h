#pragma once

#include <exception>
#include <string>

namespace ledgerly {

// The starter template is shipped nowhere the application looks.
class StarterFileError final : public std::exception {
public:
    enum class Case { templateMissing };

    static StarterFileError templateMissing() { return StarterFileError(Case::templateMissing); }

    Case value() const { return value_; }
    // The text shown to the user.
    std::string errorDescription() const;
    const char* what() const noexcept override;

    friend bool operator==(const StarterFileError& lhs, const StarterFileError& rhs) {
        return lhs.value_ == rhs.value_;
    }

private:
    explicit StarterFileError(Case value) : value_(value) {}

    Case value_;
};

}  // namespace ledgerly
