#include "core/content/resource_table.h"

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

}  // namespace plk
