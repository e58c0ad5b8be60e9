#include "editor/app/qt_text.h"

#include "core/text/sjis.h"

namespace plk {

QString QStringFromSjis(std::string_view sjis) {
    std::string utf8 = SjisToUtf8(sjis);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string SjisFromQString(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    return ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

}  // namespace plk
