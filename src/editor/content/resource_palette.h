#pragma once

#include <memory>

#include "core/content/resource_table.h"
#include "editor/app/tool_window.h"

class QListWidget;

namespace plk {

// "Resource Palette": owns the character's 256 resource slots and lists them.
class CResourcePalette : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kSlotListId = 1000;

    explicit CResourcePalette(QWidget* owner);
    ~CResourcePalette() override;

    // Every slot empty.
    void ClearAll();
    // The slot table, read and written directly by the project file.
    ResourceTable& Table() { return *m_table; }
    const ResourceTable& Table() const { return *m_table; }
    // Brings the list up to date after the table was filled from a file.
    void RebuildFromTable();

    // The list text of slot `index`: " %03d \n NoFile" or " %03d \n <name>".
    QString SlotText(int index) const;

private:
    void RefreshList();

    std::unique_ptr<ResourceTable> m_table;
    QListWidget* m_list;
};

}  // namespace plk
