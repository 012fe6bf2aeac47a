#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "output/KeystrokeTyper.h"
#include "output/OutputScan.h"
#include "output/TypingThread.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"
#include "tests/support/RecordingKeyEvents.h"

namespace tavo {
namespace {

// A listener whose output mode the cases set, and a typer that records what it types.
class OutputScanTest : public ::testing::Test {
  protected:
    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    FakeNetwork network;
    std::shared_ptr<ScanListener> listener = ScanListener::make(mainThread, defaults, network);
    RecordingKeyEvents keyEvents;
    KeystrokeTyper typer{keyEvents};
};

TEST_F(OutputScanTest, EndsEachValueAsTheModeOfTheMomentSays) {
    // Values are typed as they are: no trimming, quoting or escaping, also in csv mode.
    const std::vector<std::tuple<ReceiverOutputMode, std::string, std::u16string>> cases{
        {ReceiverOutputMode::newline, "12345", u"12345\u23CE"},
        {ReceiverOutputMode::newline, "", u"\u23CE"},
        {ReceiverOutputMode::csv, "12345", u"12345,"},
        {ReceiverOutputMode::csv, "a,b", u"a,b,"},
        {ReceiverOutputMode::csv, "", u","},
    };
    for (const auto& [mode, value, typed] : cases) {
        listener->setOutputMode(mode);
        keyEvents.posted.clear();
        outputScan(TavoScan(value, "qr", 0), listener, typer);
        EXPECT_EQ(keyEvents.typedText(), typed) << value;
    }

    // A scan that arrives while the listener is being destroyed is still typed, as in newline mode.
    const std::weak_ptr<const ScanListener> gone = listener;
    listener.reset();
    keyEvents.posted.clear();
    outputScan(TavoScan("3", "qr", 0), gone, typer);
    EXPECT_EQ(keyEvents.typedText(), u"3\u23CE");
}

TEST_F(OutputScanTest, TypesOnTheTypingThreadInArrivalOrderWithTheModeOfArrival) {
    TypingInterrupt interrupt;
    TypingThread typing(typer, interrupt);

    // The typing thread is held up while the scans arrive, and the mode changes in between.
    std::promise<void> release;
    std::thread::id typingThreadId;
    typing.run([&, held = release.get_future().share()] {
        typingThreadId = std::this_thread::get_id();
        held.wait();
    });
    listener->setOutputMode(ReceiverOutputMode::csv);
    outputScan(TavoScan("A", "qr", 0), listener, typing);
    listener->setOutputMode(ReceiverOutputMode::newline);
    outputScan(TavoScan("B", "qr", 0), listener, typing);
    release.set_value();

    std::promise<void> done;
    typing.run([&] { done.set_value(); });
    done.get_future().wait();
    EXPECT_EQ(keyEvents.typedText(), u"A,B\u23CE");
    EXPECT_NE(typingThreadId, std::this_thread::get_id());
}

}  // namespace
}  // namespace tavo
