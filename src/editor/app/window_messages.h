#pragma once

#include <QEvent>
#include <QString>
#include <cstdint>

class QWidget;

namespace plk {

// Private window messages between the tool windows. Values and the packing of wParam and
// lParam are part of the interface between the windows and must not change.
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

inline constexpr std::uint32_t WM_NUDGE_RESOURCE = 0x8064;        // wParam: dx high, dy low
inline constexpr std::uint32_t WM_PREVIEW_SIZE = 0x8065;          // wParam: height high, width low
inline constexpr std::uint32_t WM_MESSAGE_TEXT_CHANGED = 0x8066;  // wParam: line 1..4
inline constexpr std::uint32_t WM_MESSAGE_FREQUENCY_CHANGED = 0x8067;  // line, selected item
inline constexpr std::uint32_t WM_MESSAGE_CUT_CHANGED = 0x8068;        // combo 1..5, selected item
inline constexpr std::uint32_t WM_WINDOW_CUT_FOR_ALL = 0x806A;         // lParam: cut index
inline constexpr std::uint32_t WM_CUT_INSERTED = 0x806E;  // position, new number of cuts
inline constexpr std::uint32_t WM_CUT_DELETED = 0x806F;   // position, new number of cuts
inline constexpr std::uint32_t WM_CUT_NAMES = 0x8071;     // address of the 16 x 256 names, count
// Sent by the palette to "TimeSheet" after the author clicks a slot (wParam: the slot), so
// the current cut page can repaint the thumbnail of the selected image (static 1113); it
// reads the picture from CResourcePalette::SelectedThumbnail.
inline constexpr std::uint32_t WM_RESOURCE_SELECTED = 0x8080;
// Posted by the preview to "Resource Palette" when a drag or a run of arrow-key nudges
// ends (the button is pressed or released, another key comes, the focus leaves), so the
// nudges of one drag or one run are one step of the undo history. No parameters.
inline constexpr std::uint32_t WM_NUDGE_RUN_ENDED = 0x8081;

// Two 16-bit halves packed into one word: `high` in bits 16..31, `low` in bits 0..15.
constexpr WParam MakeWParam(std::uint16_t high, std::uint16_t low) {
    return (static_cast<WParam>(high) << 16) | low;
}
// The halves read back as signed 16-bit values (two's complement), as offsets need.
constexpr std::int16_t HighWord(WParam value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((value >> 16) & 0xFFFF));
}
constexpr std::int16_t LowWord(WParam value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

// A private message delivered to a window as an event.
class WindowMessage : public QEvent {
public:
    WindowMessage(std::uint32_t message, WParam wParam, LParam lParam);

    // The event type all window messages share.
    static QEvent::Type EventType();

    std::uint32_t Message() const { return m_message; }
    WParam WParameter() const { return m_wParam; }
    LParam LParameter() const { return m_lParam; }

    LResult Result() const { return m_result; }
    void SetResult(LResult result) { m_result = result; }

private:
    std::uint32_t m_message;
    WParam m_wParam;
    LParam m_lParam;
    LResult m_result = 0;
};

// The top-level window whose title is exactly `title` (shown or hidden); null when none.
QWidget* FindWindowByTitle(const QString& title);

// Delivers the message now, on the calling (user-interface) thread, and returns the result
// the receiver set. Nothing happens for a null window (result 0).
LResult SendWindowMessage(QWidget* window, std::uint32_t message, WParam wParam, LParam lParam);

// Queues the message for the window's event loop; safe from any thread. False for a null
// window.
bool PostWindowMessage(QWidget* window, std::uint32_t message, WParam wParam, LParam lParam);

}  // namespace plk
