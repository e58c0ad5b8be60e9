#include "editor/content/resource_palette.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "editor/app/control_id.h"
#include "editor/app/qt_text.h"

namespace plk {

CResourcePalette::CResourcePalette(QWidget* owner)
    : CToolWindow(QStringLiteral("Resource Palette"), owner),
      m_table(std::make_unique<ResourceTable>()),
      m_list(new QListWidget(this)) {
    SetControlId(m_list, kSlotListId);
    m_list->setViewMode(QListView::IconMode);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setGridSize(QSize(72, 44));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = 0; i < kResourceSlots; ++i) {
        m_list->addItem(QString());
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    resize(420, 520);
    ClearAll();
}

CResourcePalette::~CResourcePalette() = default;

void CResourcePalette::ClearAll() {
    m_table->ClearAll();
    RefreshList();
}

void CResourcePalette::RebuildFromTable() {
    RefreshList();
}

QString CResourcePalette::SlotText(int index) const {
    const ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    QString name = slot.IsEmpty() ? QStringLiteral("NoFile") : QStringFromSjis(slot.Name());
    return QStringLiteral(" %1 \n %2").arg(index, 3, 10, QLatin1Char('0')).arg(name);
}

void CResourcePalette::RefreshList() {
    for (int i = 0; i < kResourceSlots; ++i) {
        m_list->item(i)->setText(SlotText(i));
    }
}

}  // namespace plk
