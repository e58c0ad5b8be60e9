#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <vector>

#include "editor/app/window_messages.h"

namespace plk {
namespace {

struct Received {
    std::uint32_t message;
    WParam wParam;
    LParam lParam;
};

// A top-level window that keeps what it receives and answers with a fixed result.
class ListeningWindow : public QWidget {
public:
    explicit ListeningWindow(const QString& title) { setWindowTitle(title); }
    std::vector<Received> received;

protected:
    bool event(QEvent* event) override {
        if (event->type() == WindowMessage::EventType()) {
            auto* m = static_cast<WindowMessage*>(event);
            received.push_back({m->Message(), m->WParameter(), m->LParameter()});
            m->SetResult(42);
            return true;
        }
        return QWidget::event(event);
    }
};

TEST(WindowMessagesTest, PostedMessageArrivesByTitleWithItsFieldsIntact) {
    ListeningWindow palette("Resource Palette");
    ListeningWindow other("Resource Palette 2");

    QWidget* target = FindWindowByTitle("Resource Palette");
    ASSERT_EQ(target, &palette);
    EXPECT_EQ(FindWindowByTitle("resource palette"), nullptr);  // titles match exactly

    // Dragging 5 right and 3 up: dx in the high half, dy (-3) in the low half.
    const WParam nudge = MakeWParam(5, static_cast<std::uint16_t>(-3));
    EXPECT_EQ(nudge, 0x0005FFFDu);
    ASSERT_TRUE(PostWindowMessage(target, WM_NUDGE_RESOURCE, nudge, 0));
    EXPECT_TRUE(palette.received.empty());  // queued, not delivered yet

    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(palette.received.size(), 1u);
    EXPECT_EQ(palette.received[0].message, 0x8064u);
    EXPECT_EQ(HighWord(palette.received[0].wParam), 5);
    EXPECT_EQ(LowWord(palette.received[0].wParam), -3);
    EXPECT_EQ(palette.received[0].lParam, 0);
    EXPECT_TRUE(other.received.empty());
}

TEST(WindowMessagesTest, SentMessageIsHandledAtOnceAndReturnsTheResult) {
    ListeningWindow browser("Message Browser");
    static const char names[16][256] = {"a"};
    const auto address = reinterpret_cast<WParam>(names);
    EXPECT_EQ(SendWindowMessage(&browser, WM_CUT_NAMES, address, 3), 42);
    ASSERT_EQ(browser.received.size(), 1u);
    EXPECT_EQ(browser.received[0].wParam, address);
    EXPECT_EQ(browser.received[0].lParam, 3);

    // A window that is not there receives nothing and nothing fails.
    EXPECT_EQ(SendWindowMessage(nullptr, WM_CUT_NAMES, address, 3), 0);
    EXPECT_FALSE(PostWindowMessage(nullptr, WM_CUT_NAMES, address, 3));
}

}  // namespace
}  // namespace plk
