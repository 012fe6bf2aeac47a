// The stop rules on in-memory stand-ins, wired as the application wires them: a listener on a
// fake network, the typing thread and its typer, and the main thread played by the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "kit/TavoFraming.h"
#include "output/KeystrokeTyper.h"
#include "output/OutputScan.h"
#include "output/TypingThread.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"
#include "tests/support/RecordingKeyEvents.h"

namespace tavo {
namespace {

// Holds the typing thread at one posted event until released, so that the main thread can stop
// typing while one text is in hand and others wait behind it.
class GatedKeyEvents final : public RecordingKeyEvents {
  public:
    explicit GatedKeyEvents(std::size_t holdAt) : holdAt_(holdAt) {}

    void post(KeyEvent& event) override {
        RecordingKeyEvents::post(event);
        std::unique_lock lock(mutex_);
        if (++posts_ == holdAt_) {
            held_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return released_; });
        }
    }

    bool waitUntilHeld() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return held_; });
    }

    void release() {
        {
            const std::lock_guard lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
    }

    // Key-downs without their key-up.
    long keysLeftDown() const {
        return std::count_if(posted.begin(), posted.end(),
                             [](const auto& e) { return e.keyDown; }) -
               std::count_if(posted.begin(), posted.end(),
                             [](const auto& e) { return !e.keyDown; });
    }

  private:
    std::size_t holdAt_;
    std::size_t posts_ = 0;
    bool held_ = false;
    bool released_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
};

// A phone allowed and connected to a listener, whose scans are typed as the application types
// them; the test plays the main thread.
struct StandIns {
    // Asking is on with the phone allowed, unless asking is stored as off (no phone allowed).
    // Typing is held at the `holdAt`-th key event.
    explicit StandIns(bool asks = true, std::size_t holdAt = 3) : keyEvents(holdAt) {
        if (asks) {
            defaults.lists[ScanListener::allowedPhonesKey] = {"192.168.1.20 Till"};
        } else {
            defaults.values[ScanListener::asksBeforeNewPhoneKey] = "false";
        }
        listener = ScanListener::make(mainThread, defaults, network);
        std::weak_ptr<const ScanListener> weakListener = listener;
        listener->setOnScan(
            [this, weakListener](const TavoScan& scan) { outputScan(scan, weakListener, typing); });
        listener->setHoldsTyping([this] { return held; });
        listener->setOnStopTyping([this] { typing.interrupt(); });
        phone = network.makeConnection("192.168.1.20");
        network.listener().deliverConnection(phone);
        mainThread.drain();
    }
    ~StandIns() {
        keyEvents.release();
        typing.stop();
    }
    StandIns(const StandIns&) = delete;
    StandIns& operator=(const StandIns&) = delete;

    // The phone says hello and sends these scans.
    void send(const std::vector<std::string>& values, bool withHello = false) {
        Bytes bytes = withHello ? TavoFraming::encode(TavoHello{"Till", 1}) : Bytes{};
        for (const std::string& value : values) {
            const Bytes frame = TavoFraming::encode(TavoScan(value, "ean13", 1.5));
            bytes.insert(bytes.end(), frame.begin(), frame.end());
        }
        phone->feed(bytes);
        mainThread.drain();
    }

    bool waitUntilSettled(int count) {
        return mainThread.runUntil([&] { return settled == count; });
    }

    std::vector<bool> typedFlags() const {
        std::vector<bool> flags;
        for (const auto& recent : listener->recentScans()) {
            flags.push_back(recent.typed);
        }
        return flags;
    }

    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    FakeNetwork network;
    std::shared_ptr<ScanListener> listener;
    std::shared_ptr<FakeConnection> phone;
    bool held = false;
    GatedKeyEvents keyEvents;
    TypingInterrupt interrupt;
    KeystrokeTyper typer{keyEvents, &interrupt};
    int settled = 0;
    TypingThread typing{typer, interrupt, [this](bool typedWhole) {
                            mainThread.post([this, typedWhole] {
                                ++settled;
                                listener->typingSettled(typedWhole);
                            });
                        }};
};

// Each way to stop, with a text in hand ("abc", held at the key-down of "b") and two texts queued
// behind it: the text in hand ends after the key pair in progress, nothing is left pressed, nothing
// queued is typed, and every one of the three scans is listed as not typed.
TEST(StopTyping, EveryStopCutsTheTextInHandAndDropsTheQueue) {
    struct Case {
        const char* name;
        bool asks;
        std::function<void(StandIns&)> stop;
        bool listsRows;  // a quitting receiver lists nothing more
    };
    const std::vector<Case> cases{
        {"pause", true, [](StandIns& s) { s.listener->setPaused(true); }, true},
        {"asking turned on, then deny", false,
         [](StandIns& s) {
             s.listener->setAsksBeforeNewPhone(true);
             s.listener->denyAskingPhone(*s.listener->phoneAsking());
         },
         true},
        {"forget", true, [](StandIns& s) { s.listener->forgetAllowedPhones(); }, true},
        {"own window takes the focus", true,
         [](StandIns& s) {
             s.held = true;
             s.listener->typingHoldChanged();
         },
         true},
        // As the application quits: the network first, then typing.
        {"quit", true,
         [](StandIns& s) {
             s.listener->stop();
             s.typing.interrupt();
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StandIns s(c.asks);
        s.send({"abc", "def", "ghi"}, true);
        ASSERT_TRUE(s.keyEvents.waitUntilHeld());

        c.stop(s);
        s.keyEvents.release();
        if (c.listsRows) {
            EXPECT_TRUE(s.waitUntilSettled(3));
            EXPECT_EQ(s.typedFlags(), std::vector<bool>({false, false, false}));
        }
        s.typing.stop();
        EXPECT_EQ(s.keyEvents.typedText(), u"ab");
        EXPECT_EQ(s.keyEvents.keysLeftDown(), 0);
    }
}

// A stop ends only what was handed over before it: after Pause is switched off, new scans type.
TEST(StopTyping, ScansAfterTheStopTypeAgain) {
    StandIns s;
    s.send({"abc", "def"}, true);
    ASSERT_TRUE(s.keyEvents.waitUntilHeld());
    s.listener->setPaused(true);
    s.listener->setPaused(false);
    s.keyEvents.release();
    s.send({"xyz"});
    EXPECT_TRUE(s.waitUntilSettled(3));
    EXPECT_EQ(s.typedFlags(), std::vector<bool>({true, false, false}));
    EXPECT_EQ(s.keyEvents.typedText(), u"abxyz\u23CE");
}

// A text is cut only where a character starts: never between a letter and its combining accent.
TEST(StopTyping, CutsNoCharacterInTwo) {
    // Held at the key-up of "e".
    StandIns s(true, 2);
    s.send({"e\u0301x"}, true);
    ASSERT_TRUE(s.keyEvents.waitUntilHeld());
    s.listener->setPaused(true);
    s.keyEvents.release();
    EXPECT_TRUE(s.waitUntilSettled(1));
    EXPECT_EQ(s.keyEvents.typedText(), u"e\u0301");
}

}  // namespace
}  // namespace tavo
