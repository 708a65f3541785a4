#pragma once

namespace ledgerly {

// One live system-wide hot key. Implementations undo the hot key on the first
// unregister() and, if that never came, when destroyed.
class HotKeyRegistration {
public:
    HotKeyRegistration() = default;
    HotKeyRegistration(const HotKeyRegistration&) = delete;
    HotKeyRegistration& operator=(const HotKeyRegistration&) = delete;
    virtual ~HotKeyRegistration() = default;

    // Removes the hot key; later calls do nothing.
    virtual void unregister() = 0;
};

}  // namespace ledgerly
