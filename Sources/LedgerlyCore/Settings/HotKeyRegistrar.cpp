#include "LedgerlyCore/Settings/HotKeyRegistrar.h"

#include "LedgerlyCore/Settings/GlobalHotKeyError.h"

#include <limits>
#include <map>
#include <utility>

namespace ledgerly {

// Shared only so that registrations and queued presses can hold it weakly;
// the registrar is its one owner. Touched on the main thread only.
struct HotKeyRegistrar::State {
    explicit State(HotKeyBackend& backend) : backend(backend) {}

    HotKeyBackend& backend;
    std::uint64_t nextIdentifier = 1;
    std::map<std::uint32_t, Handler> handlers;

    // Identifiers are never reused, so after the last one there are none left.
    std::uint32_t takeIdentifier() {
        if (nextIdentifier > std::numeric_limits<std::uint32_t>::max()) {
            throw GlobalHotKeyError::registrationFailed(0);
        }
        return static_cast<std::uint32_t>(nextIdentifier++);
    }

    // Enters the action, then asks the backend; a refused key leaves no entry.
    std::int32_t add(std::uint32_t identifier, const KeyboardShortcut& shortcut, Handler handler) {
        handlers[identifier] = std::move(handler);
        std::int32_t status = 0;
        try {
            status = backend.registerHotKey(identifier, shortcut.keyCode(), shortcut.carbonModifiers());
        } catch (...) {
            handlers.erase(identifier);
            throw;
        }
        if (status != 0) {
            handlers.erase(identifier);
        }
        return status;
    }

    void unregister(std::uint32_t identifier) {
        backend.unregisterHotKey(identifier);
        handlers.erase(identifier);
    }

    // Runs on the main queue, after the backend's callback has returned.
    static void runAction(const std::weak_ptr<State>& weakState, std::uint32_t identifier) {
        Handler action;
        if (const auto state = weakState.lock()) {
            const auto found = state->handlers.find(identifier);
            if (found == state->handlers.end()) {
                return;
            }
            // A copy: the action may unregister itself, or destroy the registrar.
            action = found->second;
        }
        if (action) {
            action();
        }
    }
};

namespace {

class BackendHotKeyRegistration final : public HotKeyRegistration {
public:
    explicit BackendHotKeyRegistration(std::function<void()> unregisterHandler)
        : unregisterHandler_(std::move(unregisterHandler)) {}
    ~BackendHotKeyRegistration() override { unregister(); }

    void unregister() override {
        if (unregisterHandler_) {
            auto handler = std::exchange(unregisterHandler_, nullptr);
            handler();
        }
    }

private:
    std::function<void()> unregisterHandler_;
};

}  // namespace

HotKeyRegistrar::HotKeyRegistrar(HotKeyBackend& backend, MainQueue& mainQueue)
    : state_(std::make_shared<State>(backend)) {
    std::weak_ptr<State> weakState = state_;
    MainQueue* queue = &mainQueue;
    // Only posts: the callback may run on any thread, where the table must not be read.
    eventHandlerStatus_ = backend.installPressHandler([weakState, queue](std::uint32_t identifier) {
        queue->post([weakState, identifier] { State::runAction(weakState, identifier); });
    });
}

HotKeyRegistrar::~HotKeyRegistrar() {
    if (eventHandlerStatus_ == 0) {
        state_->backend.removePressHandler();
    }
    // Registrations that outlive us can no longer reach the backend safely.
    while (!state_->handlers.empty()) {
        state_->unregister(state_->handlers.begin()->first);
    }
}

std::unique_ptr<HotKeyRegistration> HotKeyRegistrar::registerShortcut(const KeyboardShortcut& shortcut,
                                                                      Handler handler) {
    if (eventHandlerStatus_ != 0) {
        throw GlobalHotKeyError::eventHandlerUnavailable(eventHandlerStatus_);
    }
    const std::uint32_t identifier = state_->takeIdentifier();
    if (const std::int32_t status = state_->add(identifier, shortcut, std::move(handler)); status != 0) {
        throw GlobalHotKeyError::registrationFailed(status);
    }
    std::weak_ptr<State> weakState = state_;
    return std::make_unique<BackendHotKeyRegistration>([weakState, identifier] {
        if (const auto state = weakState.lock()) {
            state->unregister(identifier);
        }
    });
}

}  // namespace ledgerly
