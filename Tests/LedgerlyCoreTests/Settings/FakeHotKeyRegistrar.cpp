#include "Settings/FakeHotKeyRegistrar.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace ledgerly::testing {
namespace {

class FakeRegistration final : public HotKeyRegistration {
public:
    FakeRegistration(std::shared_ptr<FakeHotKeyRegistrar::Log> log, int number)
        : log_(std::move(log)), number_(number) {}
    ~FakeRegistration() override { unregister(); }

    void unregister() override {
        if (!done_) {
            done_ = true;
            log_->calls.push_back("unregister " + std::to_string(number_));
            std::erase(log_->live, number_);
        }
    }

private:
    std::shared_ptr<FakeHotKeyRegistrar::Log> log_;
    int number_;
    bool done_ = false;
};

}  // namespace

std::unique_ptr<HotKeyRegistration> FakeHotKeyRegistrar::registerShortcut(const KeyboardShortcut& shortcut,
                                                                          Handler handler) {
    log->calls.push_back(registerCall(shortcut));
    if (std::exchange(nextThrowsForeignError, false)) {
        throw std::runtime_error("registrar failed in its own way");
    }
    if (nextError) {
        const GlobalHotKeyError error = *nextError;
        nextError.reset();
        throw error;
    }
    log->handlers.push_back(std::move(handler));
    const int number = static_cast<int>(log->handlers.size());
    log->live.push_back(number);
    return std::make_unique<FakeRegistration>(log, number);
}

void FakeHotKeyRegistrar::press(int number) const { log->handlers.at(static_cast<std::size_t>(number - 1))(); }

std::string registerCall(const KeyboardShortcut& shortcut) {
    char modifiers[24];
    std::snprintf(modifiers, sizeof modifiers, "%#llx", static_cast<unsigned long long>(shortcut.modifiers().rawValue));
    return "register " + std::to_string(shortcut.keyCode()) + " " + modifiers;
}

}  // namespace ledgerly::testing
