#pragma once

#include <QByteArray>
#include <QRect>
#include <cstdint>
#include <optional>

#include "core/records.h"

class QSettings;

namespace plk {

// A screen rectangle as stored: right and bottom lie just outside the window.
struct WindowRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;

    static WindowRect FromQRect(const QRect& rect);
    // The rectangle with width and height of at least 1 and coordinates limited to a
    // range any screen can hold, whatever the stored numbers were.
    QRect ToQRect() const;
};
static_assert(IsPlainRecord<WindowRect> && sizeof(WindowRect) == 16);

// The window layout kept between runs: where each tool window stood and whether the main
// frame was maximized.
struct WindowLayoutRecord {
    std::int32_t size;  // always 120
    std::uint8_t reserved[16];
    WindowRect palette;
    WindowRect timeSheet;
    WindowRect preview;
    WindowRect previewControl;
    WindowRect messageBrowser;
    WindowRect profileBrowser;
    std::int32_t maximized;  // non-zero: the main frame was maximized
};
static_assert(IsPlainRecord<WindowLayoutRecord> && sizeof(WindowLayoutRecord) == 120);
static_assert(offsetof(WindowLayoutRecord, palette) == 20 &&
              offsetof(WindowLayoutRecord, profileBrowser) == 100 &&
              offsetof(WindowLayoutRecord, maximized) == 116);

inline constexpr std::int32_t kWindowLayoutSize = 120;

// A zeroed record with its size field set.
WindowLayoutRecord EmptyWindowLayout();

// The record a stored value holds, or nothing when it must be ignored: a value longer than
// the record, or one whose size field is not 120. A shorter value counts as if the missing
// bytes were zero.
std::optional<WindowLayoutRecord> ParseWindowLayout(const QByteArray& stored);
QByteArray SerializeWindowLayout(const WindowLayoutRecord& record);

// The settings store of the editor and the layout's value in it.
inline constexpr const char* kSettingsOrganization = "HALVORN";
inline constexpr const char* kSettingsApplication = "PLKCE1000";
inline constexpr const char* kWindowLayoutKey = "PLKConfig";

std::optional<WindowLayoutRecord> ReadWindowLayout(QSettings& settings);
void WriteWindowLayout(QSettings& settings, const WindowLayoutRecord& record);

}  // namespace plk
