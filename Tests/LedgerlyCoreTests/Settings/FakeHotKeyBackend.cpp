#include "Settings/FakeHotKeyBackend.h"

#include <cstdio>
#include <utility>

namespace ledgerly::testing {

std::int32_t FakeHotKeyBackend::installPressHandler(PressHandler handler) {
    calls.push_back("install");
    if (installStatus == 0) {
        handler_ = std::move(handler);
    }
    return installStatus;
}

void FakeHotKeyBackend::removePressHandler() {
    calls.push_back("remove");
    handler_ = nullptr;
}

std::int32_t FakeHotKeyBackend::registerHotKey(std::uint32_t identifier, std::uint32_t keyCode,
                                               std::uint32_t carbonModifiers) {
    char mask[16];
    std::snprintf(mask, sizeof mask, "0x%X", static_cast<unsigned>(carbonModifiers));
    calls.push_back("register " + std::to_string(identifier) + " " + std::to_string(keyCode) + " " + mask);
    std::int32_t status = 0;
    if (!registerStatuses.empty()) {
        status = registerStatuses.front();
        registerStatuses.pop_front();
    }
    if (status == 0) {
        live_.insert(identifier);
    }
    return status;
}

void FakeHotKeyBackend::unregisterHotKey(std::uint32_t identifier) {
    calls.push_back("unregister " + std::to_string(identifier));
    live_.erase(identifier);
}

void FakeHotKeyBackend::press(std::uint32_t identifier) const {
    if (handler_) {
        handler_(identifier);
    }
}

}  // namespace ledgerly::testing
