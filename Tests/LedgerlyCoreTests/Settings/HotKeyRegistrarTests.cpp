#include "LedgerlyCore/Settings/HotKeyRegistrar.h"

#include "LedgerlyCore/Settings/GlobalHotKeyError.h"
#include "Settings/FakeHotKeyBackend.h"
#include "Support/FakeMainQueue.h"
#include "Support/PollMainQueue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace ledgerly::testing {
namespace {
using Calls = std::vector<std::string>;

const KeyboardShortcut commandS(1, ModifierFlags::command);

GlobalHotKeyError thrownBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const GlobalHotKeyError& error) {
        return error;
    }
    ADD_FAILURE() << "no GlobalHotKeyError thrown";
    return GlobalHotKeyError::invalidShortcut();
}

struct Recorder {
    std::vector<int> runs;
    HotKeyRegistering::Handler handler(int tag) {
        return [this, tag] { runs.push_back(tag); };
    }
};

TEST(HotKeyRegistrarRegister, PassesKeyCodeAndServiceModifierMaskUnderIdentifierOne) {
    FakeHotKeyBackend backend;
    FakeMainQueue queue;
    HotKeyRegistrar registrar(backend, queue);
    const auto registration = registrar.registerShortcut(KeyboardShortcut::defaultOpenMenu, [] {});
    EXPECT_EQ((Calls{"install", "register 1 1 0x1900"}), backend.calls);
}

TEST(HotKeyRegistrarIdentifiers, CountFromOneAcrossSuccessesAndFailuresWithoutReuse) {
    FakeHotKeyBackend backend;
    backend.registerStatuses = {0, -9878, 0};
    FakeMainQueue queue;
    HotKeyRegistrar registrar(backend, queue);
    auto first = registrar.registerShortcut(commandS, [] {});
    EXPECT_EQ(GlobalHotKeyError::registrationFailed(-9878),
              thrownBy([&] { registrar.registerShortcut(commandS, [] {}); }));
    first->unregister();
    auto third = registrar.registerShortcut(commandS, [] {});
    EXPECT_EQ((Calls{"install", "register 1 1 0x100", "register 2 1 0x100", "unregister 1", "register 3 1 0x100"}),
              backend.calls);
}

TEST(HotKeyRegistrarRegister, FailedRegistrationLeavesNoActionBehind) {
    FakeHotKeyBackend backend;
    backend.registerStatuses = {5};
    FakeMainQueue queue;
    HotKeyRegistrar registrar(backend, queue);
    Recorder recorder;
    EXPECT_THROW(registrar.registerShortcut(commandS, recorder.handler(1)), GlobalHotKeyError);
    backend.press(1);
    queue.runPending();
    EXPECT_TRUE(recorder.runs.empty());
}

TEST(HotKeyRegistrarRegister, UnavailableEventHandlerFailsEveryRegistrationWithoutUsingIdentifiers) {
    FakeHotKeyBackend backend;
    backend.installStatus = -50;
    FakeMainQueue queue;
    {
        HotKeyRegistrar registrar(backend, queue);
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_EQ(GlobalHotKeyError::eventHandlerUnavailable(-50),
                      thrownBy([&] { registrar.registerShortcut(commandS, [] {}); }));
        }
    }
    // Nothing reached the service, and a handler never installed is not removed.
    EXPECT_EQ((Calls{"install"}), backend.calls);
}

TEST(HotKeyRegistrarPress, RunsTheActionOnlyWhenTheMainQueueRuns) {
    FakeHotKeyBackend backend;
    FakeMainQueue queue;
    HotKeyRegistrar registrar(backend, queue);
    Recorder recorder;
    auto first = registrar.registerShortcut(commandS, recorder.handler(1));
    auto second = registrar.registerShortcut(commandS, recorder.handler(2));
    backend.press(2);
    backend.press(1);
    EXPECT_TRUE(recorder.runs.empty());
    EXPECT_EQ(2u, queue.pendingTaskCount());
    EXPECT_EQ(2u, queue.runPending());
    EXPECT_EQ((std::vector<int>{2, 1}), recorder.runs);
}

// The real queue: the fake one is not meant to be posted to from other threads.
TEST(HotKeyRegistrarPress, FromAnotherThreadIsRunOnTheQueuesThread) {
    FakeHotKeyBackend backend;
    PollMainQueue queue;
    HotKeyRegistrar registrar(backend, queue);
    std::thread::id ranOn;
    auto registration = registrar.registerShortcut(commandS, [&ranOn] { ranOn = std::this_thread::get_id(); });
    std::thread systemThread([&backend] { backend.press(1); });
    systemThread.join();
    EXPECT_EQ(std::thread::id(), ranOn);
    queue.runPending();
    EXPECT_EQ(std::this_thread::get_id(), ranOn);
}

TEST(HotKeyRegistrarPress, UnknownZeroOrRemovedIdentifiersRunNothing) {
    FakeHotKeyBackend backend;
    FakeMainQueue queue;
    HotKeyRegistrar registrar(backend, queue);
    Recorder recorder;
    auto registration = registrar.registerShortcut(commandS, recorder.handler(1));
    backend.press(0);
    backend.press(2);
    backend.press(1);  // queued before the registration goes
    registration->unregister();
    queue.runPending();
    EXPECT_TRUE(recorder.runs.empty());
}

TEST(HotKeyRegistrarPress, AnActionMayUnregisterItsOwnRegistration) {
    FakeHotKeyBackend backend;
    FakeMainQueue queue;
    HotKeyRegistrar registrar(backend, queue);
    std::unique_ptr<HotKeyRegistration> registration;
    int runs = 0;
    registration = registrar.registerShortcut(commandS, [&registration, &runs, marker = std::string(64, 'x')] {
        registration.reset();  // destroys the action's table entry while it runs
        runs += marker.size() == 64 ? 1 : 100;
    });
    backend.press(1);
    queue.runPending();
    EXPECT_EQ(1, runs);
    EXPECT_TRUE(backend.liveIdentifiers().empty());
}

TEST(HotKeyRegistrationUnregister, UndoesTheHotKeyOnce) {
    FakeHotKeyBackend backend;
    FakeMainQueue queue;
    HotKeyRegistrar registrar(backend, queue);
    auto registration = registrar.registerShortcut(commandS, [] {});
    registration->unregister();
    registration->unregister();
    registration.reset();
    EXPECT_EQ((Calls{"install", "register 1 1 0x100", "unregister 1"}), backend.calls);
}

TEST(HotKeyRegistrationUnregister, DestroyingARegistrationUndoesIt) {
    FakeHotKeyBackend backend;
    FakeMainQueue queue;
    HotKeyRegistrar registrar(backend, queue);
    Recorder recorder;
    auto kept = registrar.registerShortcut(commandS, recorder.handler(1));
    registrar.registerShortcut(commandS, recorder.handler(2));  // dropped at once
    EXPECT_EQ((std::set<std::uint32_t>{1}), backend.liveIdentifiers());
    backend.press(2);
    backend.press(1);
    queue.runPending();
    EXPECT_EQ((std::vector<int>{1}), recorder.runs);
}

TEST(HotKeyRegistrarTeardown, RemovesTheHandlerAndUndoesWhatIsStillRegistered) {
    FakeHotKeyBackend backend;
    FakeMainQueue queue;
    Recorder recorder;
    std::unique_ptr<HotKeyRegistration> outliving;
    {
        HotKeyRegistrar registrar(backend, queue);
        outliving = registrar.registerShortcut(commandS, recorder.handler(1));
        backend.press(1);  // queued while the registrar still exists
    }
    EXPECT_FALSE(backend.hasPressHandler());
    EXPECT_TRUE(backend.liveIdentifiers().empty());
    queue.runPending();
    outliving->unregister();
    outliving.reset();
    EXPECT_TRUE(recorder.runs.empty());
    EXPECT_EQ((Calls{"install", "register 1 1 0x100", "remove", "unregister 1"}), backend.calls);
}

TEST(HotKeyBackendSignature, IsLDGRBigEndian) {
    EXPECT_EQ((std::uint32_t{'L'} << 24) | (std::uint32_t{'D'} << 16) | (std::uint32_t{'G'} << 8) | 'R',
              HotKeyBackend::signature);
}

}  // namespace
}  // namespace ledgerly::testing
