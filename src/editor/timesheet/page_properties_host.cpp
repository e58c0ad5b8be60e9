#include "editor/timesheet/page_properties_host.h"

#include "editor/content/resource_palette.h"
#include "editor/timesheet/time_sheet.h"

namespace plk {
namespace {

class PagePropertiesHost : public CellPropertiesHost {
public:
    explicit PagePropertiesHost(CTimeSheet* page) : m_page(page) {}

    const Cut& HostCut() const override { return m_page->GetCut(); }
    CellRange HostSelection() const override { return m_page->Selection(); }
    void EditCells(std::vector<CellWrite> changes, const QString& text, int mergeKey) override {
        m_page->EditCells(changes, text, mergeKey);
    }
    void CloseMerge() override { m_page->CloseMerge(); }
    void SetLimitedUnit(int unit) override { m_page->SetLimitedUnit(unit); }
    QPixmap SelectedThumbnail() const override {
        return m_page->Palette() != nullptr ? m_page->Palette()->SelectedThumbnail() : QPixmap();
    }
    MessageBoxes& Boxes() override { return m_page->Boxes(); }

private:
    CTimeSheet* m_page;
};

}  // namespace

std::unique_ptr<CellPropertiesHost> MakePagePropertiesHost(CTimeSheet* page) {
    return std::make_unique<PagePropertiesHost>(page);
}

}  // namespace plk
