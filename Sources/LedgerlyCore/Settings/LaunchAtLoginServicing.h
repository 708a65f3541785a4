#pragma once

namespace ledgerly {

// Starting the application when the user logs in.
class LaunchAtLoginServicing {
public:
    LaunchAtLoginServicing() = default;
    LaunchAtLoginServicing(const LaunchAtLoginServicing&) = delete;
    LaunchAtLoginServicing& operator=(const LaunchAtLoginServicing&) = delete;
    virtual ~LaunchAtLoginServicing() = default;

    // Whether the application is registered to start at login, as the system has it now.
    virtual bool isEnabled() const = 0;
    // Registers or unregisters; throws a std::exception-derived error when the system refuses.
    virtual void setEnabled(bool enabled) = 0;
};

}  // namespace ledgerly
