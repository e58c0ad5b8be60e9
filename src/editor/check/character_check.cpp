#include "editor/check/character_check.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <map>
#include <optional>

#include "core/check/check_character.h"
#include "editor/app/ui_language.h"
#include "editor/check/check_worker.h"
#include "editor/content/situation_names.h"

namespace plk {

namespace {

constexpr int kFindingRole = Qt::UserRole + 1;

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The rules word each finding in both languages; the window shows the one the editor speaks.
QString FindingText(const Finding& finding) {
    return Utf8(ActiveLanguage() == UiLanguage::English ? finding.english : finding.japanese);
}

QString SeverityTitle(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return CCharacterCheck::tr("エラー");
        case Severity::Warning:
            return CCharacterCheck::tr("警告");
        case Severity::Info:
            return CCharacterCheck::tr("情報");
    }
    return {};
}

QStyle::StandardPixmap SeverityIcon(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return QStyle::SP_MessageBoxCritical;
        case Severity::Warning:
            return QStyle::SP_MessageBoxWarning;
        case Severity::Info:
            return QStyle::SP_MessageBoxInformation;
    }
    return QStyle::SP_MessageBoxInformation;
}

QString FieldLabel(const std::string& field) {
    static const std::map<std::string, const char*> kLabels = {
        {"characterName", QT_TRANSLATE_NOOP("plk::CCharacterCheck", "キャラクター名")},
        {"romanName", QT_TRANSLATE_NOOP("plk::CCharacterCheck", "ローマ字名")},
        {"profileCut", QT_TRANSLATE_NOOP("plk::CCharacterCheck", "プロフィール画像のカット")},
        {"menuIconCut", QT_TRANSLATE_NOOP("plk::CCharacterCheck", "メニューアイコンのカット")},
        {"messageWindowCut",
         QT_TRANSLATE_NOOP("plk::CCharacterCheck", "メッセージウインドウのカット")},
    };
    const auto it = kLabels.find(field);
    return it == kLabels.end() ? Utf8(field) : CCharacterCheck::tr(it->second);
}

// The group a place belongs to under its severity, and the place within the group.
QString GroupOf(const Place& place) {
    if (place.slot >= 0) {
        return CCharacterCheck::tr("リソース パレット");
    }
    if (place.cut >= 0) {
        return CCharacterCheck::tr("カット %1").arg(place.cut + 1);
    }
    if (place.situation >= 0) {
        return CCharacterCheck::tr("メッセージ %1").arg(SituationName(place.situation));
    }
    if (!place.profile.empty()) {
        return CCharacterCheck::tr("プロフィール");
    }
    return CCharacterCheck::tr("AI 傾向");
}

QString PlaceWithinGroup(const Place& place) {
    if (place.slot >= 0) {
        return CCharacterCheck::tr("スロット %1").arg(place.slot);
    }
    if (place.row >= 0) {
        return CCharacterCheck::tr("%1 行目").arg(place.row + 1);
    }
    if (place.cut >= 0) {
        return CCharacterCheck::tr("カット全体");
    }
    if (place.line >= 0) {
        return CCharacterCheck::tr("%1 行目のセリフ").arg(place.line + 1);
    }
    if (place.situation >= 0) {
        return CCharacterCheck::tr("ウインドウのカット");
    }
    return FieldLabel(place.profile.empty() ? place.tendency : place.profile);
}

}  // namespace

CCharacterCheck::CCharacterCheck(QWidget* owner, GatherFunction gather, PathFunction projectFile)
    : QDialog(owner),
      m_gather(std::move(gather)),
      m_projectFile(std::move(projectFile)),
      m_worker(std::make_unique<CheckWorker>([this] {
          // Only a wake-up crosses Qt's queue; the findings wait in the worker.
          QMetaObject::invokeMethod(this, "DeliverFromWorker", Qt::QueuedConnection);
      })) {
    setWindowTitle(tr("キャラクターチェック"));
    setModal(false);

    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({tr("場所"), tr("内容")});
    m_tree->setWordWrap(true);
    m_tree->setUniformRowHeights(false);
    m_tree->header()->setStretchLastSection(true);
    m_tree->setColumnWidth(0, 220);
    connect(m_tree, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OnActivated(item); });

    m_summary = new QLabel(this);
    auto* rerun = new QPushButton(tr("再チェック"), this);
    connect(rerun, &QPushButton::clicked, this, &CCharacterCheck::RunNow);
    auto* close = new QPushButton(tr("閉じる"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_summary, 1);
    buttons->addWidget(rerun);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addLayout(buttons);
    resize(720, 420);

    m_debounce.setSingleShot(true);
    m_debounce.setInterval(kRerunDelayMs);
    connect(&m_debounce, &QTimer::timeout, this, &CCharacterCheck::RunNow);
    Fill();
}

CCharacterCheck::~CCharacterCheck() {
    // Waits for a check still running while this object can still take its wake-up (which
    // the QObject then discards with the rest of its posted events).
    m_worker.reset();
}

void CCharacterCheck::ScheduleRerun() {
    if (!isVisible()) {
        m_pending = true;
        return;
    }
    m_debounce.start();
}

void CCharacterCheck::RunNow() {
    m_debounce.stop();
    if (m_running) {
        m_pending = true;  // checked again as soon as the running check is in
        return;
    }
    m_pending = false;
    m_running = true;
    m_summary->setText(tr("チェック中…"));
    // The copy is taken here, on the user-interface thread; the worker owns it.
    const std::uint64_t generation = ++m_generation;
    m_worker->Submit(generation, m_gather(),
                     m_projectFile ? m_projectFile() : std::filesystem::path());
}

void CCharacterCheck::DeliverFromWorker() {
    std::optional<CheckWorker::Result> result = m_worker->TakeResult();
    if (!result) {
        return;
    }
    if (!result->error.empty() && result->generation == m_generation) {
        m_running = false;
        m_summary->setText(tr("チェックできませんでした: %1").arg(Utf8(result->error)));
        if (m_pending && isVisible()) {
            m_debounce.start();
        }
        return;
    }
    Deliver(result->generation, std::move(result->findings));
}

void CCharacterCheck::Deliver(std::uint64_t generation, Findings findings) {
    if (generation != m_generation) {
        return;
    }
    m_running = false;
    m_findings = std::move(findings);
    Fill();
    if (m_pending && isVisible()) {
        m_debounce.start();
    }
}

void CCharacterCheck::ShowFindings(const Findings& findings) {
    ++m_generation;  // a background check started before this one is out of date
    m_running = false;
    m_findings = findings;
    Fill();
}

void CCharacterCheck::Fill() {
    // A rerun after an edit keeps the list where the author was reading it.
    const int scrolled = m_tree->verticalScrollBar()->value();
    m_tree->clear();
    int counts[3] = {};
    std::map<std::pair<int, QString>, QTreeWidgetItem*> groups;
    QTreeWidgetItem* severities[3] = {};
    for (int i = 0; i < static_cast<int>(m_findings.size()); ++i) {
        const Finding& finding = m_findings[static_cast<std::size_t>(i)];
        const int s = static_cast<int>(finding.severity);
        ++counts[s];
        if (severities[s] == nullptr) {
            severities[s] = new QTreeWidgetItem(m_tree);
            severities[s]->setIcon(0, style()->standardIcon(SeverityIcon(finding.severity)));
            severities[s]->setFirstColumnSpanned(true);
        }
        const QString groupName = GroupOf(finding.place);
        QTreeWidgetItem*& group = groups[{s, groupName}];
        if (group == nullptr) {
            group = new QTreeWidgetItem(severities[s], {groupName});
            group->setFirstColumnSpanned(true);
        }
        auto* leaf =
            new QTreeWidgetItem(group, {PlaceWithinGroup(finding.place), FindingText(finding)});
        leaf->setData(0, kFindingRole, i);
        leaf->setToolTip(1, FindingText(finding));
    }
    for (int s = 0; s < 3; ++s) {
        if (severities[s] != nullptr) {
            severities[s]->setText(0, tr("%1 (%2)", "severity (count)")
                                          .arg(SeverityTitle(static_cast<Severity>(s)))
                                          .arg(counts[s]));
        }
    }
    m_tree->expandAll();
    m_tree->verticalScrollBar()->setValue(scrolled);
    if (m_findings.empty()) {
        m_summary->setText(tr("問題は見つかりませんでした。"));
    } else {
        m_summary->setText(tr("エラー %1 件、警告 %2 件、情報 %3 件")
                               .arg(counts[0])
                               .arg(counts[1])
                               .arg(counts[2]));
    }
    Q_EMIT findingsShown();
}

QTreeWidgetItem* CCharacterCheck::ItemOfFinding(int index) const {
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
        const QVariant finding = (*it)->data(0, kFindingRole);
        if (finding.isValid() && finding.toInt() == index) {
            return *it;
        }
    }
    return nullptr;
}

void CCharacterCheck::OnActivated(QTreeWidgetItem* item) {
    const QVariant finding = item == nullptr ? QVariant() : item->data(0, kFindingRole);
    if (!finding.isValid() || !m_navigate) {
        return;
    }
    const int index = finding.toInt();
    if (index >= 0 && index < static_cast<int>(m_findings.size())) {
        m_navigate(m_findings[static_cast<std::size_t>(index)].place);
    }
}

void CCharacterCheck::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_pending || (m_findings.empty() && !m_running)) {
        RunNow();
    }
}

}  // namespace plk
