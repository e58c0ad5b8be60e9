// Both playback machines on arbitrary cuts, with clicks, holds, speed changes and edits of
// the cut between passes. Besides the sanitizers: every row drawn lies inside the cut as it
// is at that moment, and every pass makes a bounded number of calls to its sink.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "core/playback/command_playback.h"
#include "core/playback/playback_io.h"
#include "core/playback/simple_playback.h"
#include "core/text/message_layout.h"
#include "fuzz_check.h"
#include "fuzz_cut.h"

namespace {

using namespace plk;

// Far more than any pass needs: a blocking message, a stack and a show all drawing in the
// same pass stay well below it.
constexpr int kMaxSinkCallsPerPass = 16;

class Input final : public PlaybackInput {
public:
    std::int64_t now = 0;
    bool pressed = false;
    bool held = false;
    int speed = 11;
    bool repeat = false;
    std::int64_t NowMs() override { return now; }
    bool PressedSinceLastQuery() override { return std::exchange(pressed, false); }
    bool Held() override { return held; }
    int SpeedPosition() override { return speed; }
    bool AutoRepeat() override { return repeat; }
};

// Lays messages out as the drawing does, one character per call (all while held).
class CheckingSink final : public PlaybackSink {
public:
    explicit CheckingSink(const Cut& cut) : m_cut(cut) {}
    bool overlayMissing = false;
    int overlayLength = 3;

    void BeginPass() { m_calls = 0; }
    void DrawCellFrame(int row, const FrameRecord&, bool, bool) override {
        Count();
        FUZZ_CHECK(row >= -1 && row < m_cut.FrameCount());  // a drawn row lies inside the cut
    }
    bool DrawMessage(std::string_view text, int, bool held) override {
        Count();
        do {
            (void)m_layout.Step(text, 32, [](int) { return 32; });
        } while (held && !m_layout.IsComplete(text));
        return m_layout.IsComplete(text);
    }
    void FinishFrame() override { Count(); }
    bool IsMessageComplete(std::string_view text) override { return m_layout.IsComplete(text); }
    void ClearCanvas() override {
        Count();
        m_layout.Clear();
    }
    void RestartOverlay(std::string_view) override {
        Count();
        m_overlayStep = 0;
    }
    OverlayStep StepOverlay(std::string_view) override {
        Count();
        if (overlayMissing) {
            return {};
        }
        m_overlayStep = (m_overlayStep + 1) % overlayLength;
        return {true, m_overlayStep == 0};
    }
    void ShowFrameNumber(int, bool) override { Count(); }

private:
    void Count() {
        FUZZ_CHECK(++m_calls <= kMaxSinkCallsPerPass);  // one pass kept drawing
    }
    const Cut& m_cut;
    MessageLayout m_layout;
    int m_calls = 0;
    int m_overlayStep = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    Cut cut = fuzz::SomeCut(data, 4000);
    const CutView view(cut);
    Input input;
    CheckingSink sink(cut);
    sink.overlayMissing = data.ConsumeIntegralInRange(0, 7) == 0;
    sink.overlayLength = data.ConsumeIntegralInRange(1, 40);
    input.repeat = data.ConsumeBool();
    const bool command = data.ConsumeBool();
    SimplePlayback simple(view, input, sink);
    CommandPlayback commands(view, input, sink);
    if (command) {
        sink.BeginPass();
        commands.Start();
    }

    for (int pass = 0; pass < 3000 && data.remaining_bytes() > 0; ++pass) {
        // Between passes: time goes on (now and then by a lot), the button and the speed
        // slider move, the author edits the cut.
        const std::uint8_t op = data.ConsumeIntegral<std::uint8_t>();
        switch (op % 8) {
            case 0:
                input.now += data.ConsumeIntegralInRange<std::int64_t>(0, 1LL << 40);
                break;
            case 1:
                input.pressed = true;
                break;
            case 2:
                input.held = !input.held;
                break;
            case 3:
                input.speed = fuzz::SomeInt(data, -1, 14);
                break;
            case 4:
                fuzz::EditCut(data, cut);
                break;
            default:
                input.now += data.ConsumeIntegralInRange(0, 1100);
                break;
        }
        sink.BeginPass();
        const PassResult result = command ? commands.Pass() : simple.Pass();
        if (result.notBeforeMs > input.now && op & 0x80) {
            input.now = result.notBeforeMs;  // the driver waits as asked
        }
        if (result.end == PlaybackEnd::Rows && !(op & 0x40)) {
            break;
        }
    }
    return 0;
}
