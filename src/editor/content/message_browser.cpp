#include "editor/content/message_browser.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/project/project.h"
#include "core/text/sjis.h"
#include "editor/app/control_id.h"
#include "editor/app/cut_name_list.h"
#include "editor/app/qt_text.h"

namespace plk {
namespace {

const char* FrequencyText(std::int32_t frequency) {
    switch (frequency) {
        case 3:
            return "よく使う";
        case 2:
            return "普通";
        case 1:
            return "ほとんど使わない";
        case 0:
            return "まったく使わない";
        default:
            return "?";
    }
}

}  // namespace

CMessageBrowser::CMessageBrowser(QWidget* owner)
    : CToolWindow(QStringLiteral("Message Browser"), owner),
      m_table(std::make_unique<MessageTable>()),
      m_tree(new QTreeWidget(this)) {
    SetControlId(m_tree, kSituationTreeId);
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({QStringLiteral("シチュエーション / セリフ"), QStringLiteral("頻度"),
                             QStringLiteral("カット")});
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    ::plk::ResetMessages(*m_table, MessageDefaults::FirstCreation);
    ShowFirstSituation();
    setFixedSize(560, 430);
}

CMessageBrowser::~CMessageBrowser() = default;

void CMessageBrowser::ResetMessages() {
    ::plk::ResetMessages(*m_table, MessageDefaults::NewProject);
    Refresh();
}

void CMessageBrowser::ImportMessages(std::span<const SituationMessages> block) {
    ::plk::ImportMessages(*m_table, block);
    ShowFirstSituation();
}

void CMessageBrowser::ShowFirstSituation() {
    ShowSituation(*m_table, 0);
    Refresh();
}

QString CMessageBrowser::CutText(std::int32_t cut) const {
    if (cut >= 0 && cut < m_cutNames.size()) {
        return m_cutNames[cut];
    }
    return QString::number(cut);
}

void CMessageBrowser::Refresh() {
    const auto& labels = SituationLabels();
    m_tree->clear();
    for (int k = 0; k < kSituationCount; ++k) {
        const SituationMessages& situation = m_table->situations[static_cast<std::size_t>(k)];
        auto* item = new QTreeWidgetItem(m_tree);
        item->setText(0, QStringFromSjis(labels[static_cast<std::size_t>(k)]));
        item->setText(2, CutText(situation.windowCut));
        for (int j = 0; j < 4; ++j) {
            const MessageLine& line = situation.line[j];
            auto* child = new QTreeWidgetItem(item);
            child->setText(
                0, QStringLiteral("%1: %2").arg(j + 1).arg(QStringFromSjis(FieldText(line.text))));
            child->setText(1, QString::fromUtf8(FrequencyText(line.frequency)));
            child->setText(2, CutText(situation.lineCut[j]));
        }
    }
}

LResult CMessageBrowser::OnWindowMessage(const WindowMessage& message) {
    if (message.Message() == WM_CUT_NAMES) {
        m_cutNames = CutNamesFromMessage(message.WParameter(), message.LParameter());
        Refresh();
    }
    return 0;
}

}  // namespace plk
