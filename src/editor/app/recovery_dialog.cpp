#include "editor/app/recovery_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/app/app_strings.h"

namespace plk {

RecoveryDialog::RecoveryDialog(QWidget* parent, const std::vector<RecoveryOffer>& offers)
    : QDialog(parent), m_list(new QListWidget(this)) {
    setWindowTitle(kApplicationTitle);
    setObjectName(QStringLiteral("RecoveryDialog"));
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(tr("前回、保存されていない編集が残っています"), this);
    layout->addWidget(question);
    for (const RecoveryOffer& offer : offers) {
        m_list->addItem(Describe(offer));
    }
    m_list->setCurrentRow(0);
    m_list->setWordWrap(true);
    m_list->setMinimumWidth(520);
    layout->addWidget(m_list);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore = buttons->addButton(tr("復元"), QDialogButtonBox::AcceptRole);
    QPushButton* discard = buttons->addButton(tr("破棄"), QDialogButtonBox::DestructiveRole);
    QPushButton* later = buttons->addButton(tr("後で"), QDialogButtonBox::RejectRole);
    restore->setDefault(true);
    connect(restore, &QPushButton::clicked, this, [this] { Finish(RecoveryAction::Restore); });
    connect(discard, &QPushButton::clicked, this, [this] { Finish(RecoveryAction::Discard); });
    connect(later, &QPushButton::clicked, this, [this] { Finish(RecoveryAction::Later); });
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this] { Finish(RecoveryAction::Restore); });
    layout->addWidget(buttons);
}

QString RecoveryDialog::Describe(const RecoveryOffer& offer) {
    QString text = offer.projectName;
    text += QStringLiteral("\n  %1").arg(
        offer.projectPath.isEmpty() ? tr("（保存されていないプロジェクト）") : offer.projectPath);
    text += QStringLiteral("\n  ") +
            tr("%1 の編集").arg(offer.savedAt.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    if (offer.olderThanFile) {
        text += QStringLiteral("\n  ") + tr("※ このコピーはディスク上のファイルより古いものです");
    }
    return text;
}

void RecoveryDialog::Finish(RecoveryAction action) {
    m_choice.action = action;
    m_choice.index = std::max(0, m_list->currentRow());
    if (action == RecoveryAction::Later) {
        reject();
    } else {
        accept();
    }
}

RecoveryChoice AskRecovery(QWidget* parent, const std::vector<RecoveryOffer>& offers) {
    RecoveryDialog dialog(parent, offers);
    dialog.exec();
    return dialog.Choice();
}

}  // namespace plk
