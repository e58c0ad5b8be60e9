#include "core/content/resource_table.h"

#include <algorithm>
#include <cctype>

#include "core/text/sjis.h"

namespace plk {

std::string_view ResourceSlot::Name() const {
    return FieldText(name);
}
std::string_view ResourceSlot::Path() const {
    return FieldText(path);
}

void ResourceTable::ClearAll() {
    slot = {};
}

namespace {

bool EqualsIgnoringCase(std::string_view text, std::string_view lower) {
    return std::equal(text.begin(), text.end(), lower.begin(), lower.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

}  // namespace

ResourceKind KindFromFileName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) {
        return ResourceKind::Empty;
    }
    const std::string_view extension = fileName.substr(dot + 1);
    if (EqualsIgnoringCase(extension, "png")) {
        return ResourceKind::Image;
    }
    if (EqualsIgnoringCase(extension, "wav")) {
        return ResourceKind::Sound;
    }
    return ResourceKind::Empty;
}

}  // namespace plk
