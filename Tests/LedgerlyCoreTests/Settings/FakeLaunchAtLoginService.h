#pragma once

#include "LedgerlyCore/Settings/LaunchAtLoginServicing.h"

#include <memory>
#include <stdexcept>

namespace ledgerly::testing {

// A login-item service in memory. `refuses` makes setEnabled throw without
// changing the state; the state lives in a shared record that tests keep.
class FakeLaunchAtLoginService final : public LaunchAtLoginServicing {
public:
    struct State {
        bool enabled = false;
        bool refuses = false;
        int setCalls = 0;
    };

    explicit FakeLaunchAtLoginService(std::shared_ptr<State> state) : state_(std::move(state)) {}

    bool isEnabled() const override { return state_->enabled; }
    void setEnabled(bool enabled) override {
        ++state_->setCalls;
        if (state_->refuses) {
            throw std::runtime_error("login item refused");
        }
        state_->enabled = enabled;
    }

private:
    std::shared_ptr<State> state_;
};

}  // namespace ledgerly::testing
