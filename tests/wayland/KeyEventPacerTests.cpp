#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "platform/wayland/BufferedKeyEvents.h"
#include "platform/wayland/KeyEventPacer.h"

namespace tavo {
namespace {

using std::chrono::steady_clock;
using namespace std::chrono_literals;

class FakeClock final : public PacerClock {
  public:
    steady_clock::time_point now() const override { return now_; }
    bool sleepUntil(steady_clock::time_point time, const TypingInterrupt*) override {
        now_ = std::max(now_, time);
        return true;
    }
    void pass(steady_clock::duration time) { now_ += time; }

  private:
    steady_clock::time_point now_ = steady_clock::time_point{} + 1h;
};

// A window that stops reading finds at most a burst plus the ceiling rate's worth of events
// queued, however long the flood and whatever pause came before it; a scan after a pause goes
// at once.
TEST(KeyEventPacer, LetsNoStretchOfTimeCarryMoreThanABurstPlusTheRate) {
    constexpr double rate = 1000;
    constexpr std::size_t burst = 100;
    constexpr std::size_t scan = 28;
    FakeClock clock;
    KeyEventPacer pacer(rate, burst, clock);
    std::vector<std::pair<steady_clock::time_point, std::size_t>> sent;
    const auto flood = [&](int scans) {
        for (int i = 0; i < scans; ++i) {
            pacer.await(scan);
            sent.emplace_back(clock.now(), scan);
        }
    };
    const auto start = clock.now();
    flood(300);
    EXPECT_EQ(sent.front().first, start);
    // Not slower than the ceiling either.
    EXPECT_LE(clock.now() - start, std::chrono::duration<double>(300 * scan / rate));
    clock.pass(10s);
    const auto afterPause = clock.now();
    flood(300);
    EXPECT_EQ(sent[300].first, afterPause);

    for (std::size_t first = 0; first < sent.size(); ++first) {
        std::size_t events = 0;
        for (std::size_t last = first; last < sent.size(); ++last) {
            events += sent[last].second;
            const std::chrono::duration<double> stretch = sent[last].first - sent[first].first;
            ASSERT_LE(events, burst + rate * stretch.count() + 1e-6) << first << " to " << last;
        }
    }
}

// Pieces follow each other without gap, hold about `most` keys each, and end where no key is
// held down, so that no piece leaves a key pressed while the pacer waits.
TEST(KeyEventPacer, CutsLongTextsWhereNoKeyIsHeld) {
    const TextKey a{.character = U'a'};
    const TextKey aUp{.character = U'a', .down = false};
    const TextKey shiftLike{.character = U'S'};
    const TextKey shiftLikeUp{.character = U'S', .down = false};
    const TextKey e{.character = U'e'};
    const TextKey eUp{.character = U'e', .down = false};
    const TextKey acute{.character = U'\u0301'};
    const TextKey acuteUp{.character = U'\u0301', .down = false};
    const TextKey flagF{.character = U'\U0001F1EB'};
    const TextKey flagFUp{.character = U'\U0001F1EB', .down = false};
    const TextKey flagR{.character = U'\U0001F1F7'};
    const TextKey flagRUp{.character = U'\U0001F1F7', .down = false};
    const TextKey flagD{.character = U'\U0001F1E9'};
    const TextKey flagDUp{.character = U'\U0001F1E9', .down = false};
    const TextKey flagE{.character = U'\U0001F1EA'};
    const TextKey flagEUp{.character = U'\U0001F1EA', .down = false};
    struct Case {
        std::vector<TextKey> keys;
        std::size_t most;
        std::vector<std::size_t> sizes;
    };
    const std::vector<Case> cases{
        {{}, 4, {}},
        {{a, aUp}, 4, {2}},
        {{a, aUp, a, aUp, a, aUp, a, aUp, a, aUp}, 4, {4, 4, 2}},
        {{a, aUp, a, aUp, a, aUp, a, aUp}, 3, {4, 4}},
        {{shiftLike, a, aUp, a, aUp, shiftLikeUp, a, aUp}, 2, {6, 2}},
        // A release without its press (Return's, say) holds nothing.
        {{aUp, aUp, a, aUp}, 2, {2, 2}},
        // A cut text ends at a piece's end: never between a letter and its accent, nor between
        // the halves of a flag.
        {{e, eUp, acute, acuteUp, e, eUp}, 2, {4, 2}},
        {{flagF, flagFUp, flagR, flagRUp, flagD, flagDUp, flagE, flagEUp}, 2, {4, 4}},
        // A phone's endless run of accents still goes in pieces.
        {{e, eUp, acute, acuteUp, acute, acuteUp, acute, acuteUp}, 2, {4, 4}},
    };
    for (const Case& test : cases) {
        const auto pieces = piecesOf(test.keys, test.most);
        std::vector<std::size_t> sizes;
        const TextKey* next = test.keys.data();
        for (const auto& piece : pieces) {
            EXPECT_EQ(piece.data(), next);
            next += piece.size();
            sizes.push_back(piece.size());
        }
        EXPECT_EQ(sizes, test.sizes) << "case with " << test.keys.size() << " keys";
    }
}

// A route that records the pieces it is handed and cuts typing once it has `cutAfter` of them.
class CuttingRoute final : public BufferedKeyEvents {
  public:
    CuttingRoute(TypingInterrupt& interrupt, std::size_t cutAfter)
        : interrupt_(interrupt), cutAfter_(cutAfter) {
        setInterrupt(&interrupt);
    }
    std::vector<std::size_t> pieces;

  protected:
    bool isAvailable() const override { return true; }
    std::size_t deliver(std::span<const TextKey> keys) override {
        pieces.push_back(keys.size());
        if (pieces.size() == cutAfter_) {
            interrupt_.interrupt();
        }
        return 0;
    }

  private:
    TypingInterrupt& interrupt_;
    std::size_t cutAfter_;
};

// A long text goes in pieces; once typing is cut, no further piece goes, and the pacer's wait
// before it ends at once.
TEST(KeyEventPacer, ACutTextDeliversNoFurtherPiece) {
    TypingInterrupt interrupt;
    CuttingRoute route(interrupt, 2);
    interrupt.begin(interrupt.generation());
    {
        const auto source = route.createSource();
        const std::u16string a = u"a";
        for (int i = 0; i < 1000; ++i) {
            for (const bool down : {true, false}) {
                const auto event = route.createKeyboardEvent(*source, characterKeyCode, down);
                route.setUnicodeString(*event, a);
                route.post(*event);
            }
        }
    }
    EXPECT_EQ(route.pieces, (std::vector<std::size_t>{keyEventBurst, keyEventBurst}));
}

}  // namespace
}  // namespace tavo
