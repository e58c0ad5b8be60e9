#include "editor/app/window_layout.h"

#include <QSettings>
#include <algorithm>
#include <cstring>

namespace plk {

WindowRect WindowRect::FromQRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect WindowRect::ToQRect() const {
    // A stored rectangle may hold anything; keep it within what a screen can show.
    static constexpr std::int64_t kMaxCoordinate = 1 << 20;
    static constexpr std::int64_t kMaxExtent = 1 << 16;
    auto coordinate = [](std::int32_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, -kMaxCoordinate, kMaxCoordinate));
    };
    auto extent = [](std::int32_t from, std::int32_t to) {
        std::int64_t size = static_cast<std::int64_t>(to) - from;
        return static_cast<int>(std::clamp<std::int64_t>(size, 1, kMaxExtent));
    };
    return QRect(coordinate(left), coordinate(top), extent(left, right), extent(top, bottom));
}

WindowLayoutRecord EmptyWindowLayout() {
    WindowLayoutRecord record{};
    record.size = kWindowLayoutSize;
    return record;
}

std::optional<WindowLayoutRecord> ParseWindowLayout(const QByteArray& stored) {
    if (stored.size() > static_cast<qsizetype>(sizeof(WindowLayoutRecord))) {
        return std::nullopt;
    }
    WindowLayoutRecord record{};
    std::memcpy(&record, stored.constData(), static_cast<std::size_t>(stored.size()));
    if (record.size != kWindowLayoutSize) {
        return std::nullopt;
    }
    return record;
}

QByteArray SerializeWindowLayout(const WindowLayoutRecord& record) {
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

std::optional<WindowLayoutRecord> ReadWindowLayout(QSettings& settings) {
    QVariant value = settings.value(kWindowLayoutKey);
    if (!value.isValid()) {
        return std::nullopt;
    }
    return ParseWindowLayout(value.toByteArray());
}

void WriteWindowLayout(QSettings& settings, const WindowLayoutRecord& record) {
    settings.setValue(kWindowLayoutKey, SerializeWindowLayout(record));
    settings.sync();
}

}  // namespace plk
