#include <gtest/gtest.h>

#include "output/OutputScan.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"
#include "tests/support/RecordingKeyEvents.h"

namespace tavo {
namespace {

class OutputScanTest : public ::testing::Test {
  protected:
    void output(const std::string& value) {
        outputScan(TavoScan(value, "code128", 0), listener, typer);
    }

    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    FakeNetwork network;
    std::shared_ptr<ScanListener> listener = ScanListener::make(mainThread, defaults, network);
    RecordingKeyEvents keyEvents;
    KeystrokeTyper typer{keyEvents};
};

TEST_F(OutputScanTest, NewlineModeTypesTheValueAndReturn) {
    output("12345");
    output("");
    EXPECT_EQ(keyEvents.typedText(), u"12345\u23CE\u23CE");
}

TEST_F(OutputScanTest, CsvModeTypesTheValueUnchangedAndOneComma) {
    listener->setOutputMode(ReceiverOutputMode::csv);
    output("12345");
    output("a,\"b\"");
    output("");
    EXPECT_EQ(keyEvents.typedText(), u"12345,a,\"b\",,");
}

TEST_F(OutputScanTest, TheModeIsReadAtEachScan) {
    output("1");
    listener->setOutputMode(ReceiverOutputMode::csv);
    output("2");
    listener->setOutputMode(ReceiverOutputMode::newline);
    output("3");
    EXPECT_EQ(keyEvents.typedText(), u"1\u23CE2,3\u23CE");
}

TEST_F(OutputScanTest, AListenerThatIsGoneTypesAsNewline) {
    listener->setOutputMode(ReceiverOutputMode::csv);
    const std::weak_ptr<const ScanListener> gone = listener;
    listener.reset();
    outputScan(TavoScan("12345", "qr", 0), gone, typer);
    EXPECT_EQ(keyEvents.typedText(), u"12345\u23CE");
}

}  // namespace
}  // namespace tavo
