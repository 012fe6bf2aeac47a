#include <gtest/gtest.h>

#include "output/OutputScan.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"
#include "tests/support/RecordingKeyEvents.h"

namespace tavo {
namespace {

TEST(OutputScan, EndsEachValueAsTheModeOfTheMomentSays) {
    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    FakeNetwork network;
    auto listener = ScanListener::make(mainThread, defaults, network);
    RecordingKeyEvents keyEvents;
    const KeystrokeTyper typer(keyEvents);

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

}  // namespace
}  // namespace tavo
