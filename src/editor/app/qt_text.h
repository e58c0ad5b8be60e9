#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace plk {

// The one place where stored Shift-JIS text meets Qt's strings.
QString QStringFromSjis(std::string_view sjis);
std::string SjisFromQString(const QString& text);

}  // namespace plk
