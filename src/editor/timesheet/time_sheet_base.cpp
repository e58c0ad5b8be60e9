#include "editor/timesheet/time_sheet_base.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/project/project.h"
#include "editor/app/control_id.h"
#include "editor/app/qt_text.h"

namespace plk {

CTimeSheetBase::CTimeSheetBase(QWidget* owner, CResourcePalette* palette)
    : CToolWindow(QStringLiteral("TimeSheet"), owner),
      m_palette(palette),
      m_names(std::make_unique<CutNameTable>(DefaultCutNames())),
      m_tabs(new QTabWidget(this)) {
    SetControlId(m_tabs, kCutTabsId);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    resize(900, 360);
    CreateDefaultCuts();
}

CTimeSheetBase::~CTimeSheetBase() = default;

void CTimeSheetBase::RemoveAllCuts() {
    while (m_tabs->count() > 0) {
        QWidget* page = m_tabs->widget(m_tabs->count() - 1);
        m_tabs->removeTab(m_tabs->count() - 1);
        delete page;
    }
    m_cuts.clear();
}

void CTimeSheetBase::CreateDefaultCuts() {
    for (int i = 0; i < kNewProjectCuts; ++i) {
        m_cuts.push_back(Cut::New());
        AddTab(static_cast<int>(m_cuts.size()) - 1);
    }
    m_tabs->setCurrentIndex(0);
    *m_names = DefaultCutNames();
    RelabelTabs();
    m_copiedCut = -1;
}

bool CTimeSheetBase::AppendCut(Cut cut) {
    if (CutCount() >= kMaxCuts) {
        return false;
    }
    m_cuts.push_back(std::move(cut));
    AddTab(CutCount() - 1);
    m_tabs->setCurrentIndex(0);
    SendCutNames();
    return true;
}

void CTimeSheetBase::AddTab(int index) {
    const Cut& cut = CutAt(index);
    auto* page = new QLabel(QStringLiteral("フレーム数: %1    パート数: %2    通常フレーム: %3")
                                .arg(cut.FrameCount())
                                .arg(cut.PartCount())
                                .arg(cut.CountNormalFrames(0, cut.FrameCount())),
                            m_tabs);
    page->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    page->setMargin(8);
    m_tabs->addTab(page, QStringFromSjis(m_names->Name(index)));
}

void CTimeSheetBase::RelabelTabs() {
    for (int i = 0; i < m_tabs->count(); ++i) {
        m_tabs->setTabText(i, QStringFromSjis(m_names->Name(i)));
    }
    SendCutNames();
}

void CTimeSheetBase::SendCutNames() {
    const auto names = reinterpret_cast<WParam>(m_names.get());
    for (const char* title : {"Message Browser", "Profile Browser"}) {
        SendWindowMessage(FindWindowByTitle(QString::fromLatin1(title)), WM_CUT_NAMES, names,
                          CutCount());
    }
}

}  // namespace plk
