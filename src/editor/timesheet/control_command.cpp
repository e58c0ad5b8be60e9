#include "editor/timesheet/control_command.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/text/sjis.h"
#include "core/timesheet/control_commands.h"
#include "editor/app/control_id.h"
#include "editor/app/field_reading.h"
#include "editor/app/qt_text.h"
#include "editor/app/sjis_input_guard.h"
#include "editor/app/user_dialogs.h"
#include "editor/timesheet/control_command_names.h"

namespace plk {
namespace {

// The dialog template's own text of label 1074, before the command sets it.
constexpr std::string_view kTemplatePositionLabel = "表示位置";

// The entry an item of the command list stands for; null for no item.
const ControlCommandEntry* EntryAt(int index) {
    const auto entries = ControlCommandEntries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
        return nullptr;
    }
    return &entries[static_cast<std::size_t>(index)];
}

}  // namespace

CControlCommand::CControlCommand(QWidget* parent, const ControlBlock& block, MessageBoxes& boxes,
                                 bool showCurrent)
    : QDialog(parent), m_block(block), m_boxes(boxes) {
    setWindowTitle(tr("Control Command"));
    SetControlId(this, kDialogId);
    BuildControls();
    if (showCurrent) {
        OpenOnBlock();
    } else {
        OpenOnRepeat();
    }
}

CControlCommand::~CControlCommand() = default;

void CControlCommand::BuildControls() {
    m_command = new QComboBox(this);
    m_command->setEditable(true);
    m_command->setInsertPolicy(QComboBox::NoInsert);
    m_command->setCompleter(nullptr);
    SetControlId(m_command, kCommandId);
    // Items follow the core's list, so an item's index is its entry's.
    for (std::size_t i = 0; i < ControlCommandEntries().size(); ++i) {
        m_command->addItem(ControlCommandName(static_cast<int>(i)));
    }

    m_message = new QLineEdit(this);
    SetControlId(m_message, kMessageId);
    new SjisInputGuard(
        m_message, [this](QWidget*, const QString& message) { m_boxes.ShowError(this, message); });
    m_timeLabel = new QLabel(ControlLabel(kTimeLabel), this);
    SetControlId(m_timeLabel, kTimeLabelId);
    m_timeEdit = new QLineEdit(this);
    SetControlId(m_timeEdit, kTimeId);
    m_positionLabel = new QLabel(ControlLabel(kTemplatePositionLabel), this);
    SetControlId(m_positionLabel, kPositionLabelId);
    m_positionEdit = new QLineEdit(this);
    SetControlId(m_positionEdit, kPositionId);

    auto* fields = new QGridLayout;
    fields->addWidget(m_command, 0, 0, 1, 2);
    fields->addWidget(new QLabel(tr("表示メッセージ"), this), 1, 0);
    fields->addWidget(m_message, 1, 1);
    fields->addWidget(m_timeLabel, 2, 0);
    fields->addWidget(m_timeEdit, 2, 1);
    fields->addWidget(m_positionLabel, 3, 0);
    fields->addWidget(m_positionEdit, 3, 1);
    fields->setColumnMinimumWidth(1, 220);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
    SetControlId(ok, 1);
    SetControlId(cancel, 2);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CControlCommand::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CControlCommand::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_command, &QComboBox::currentIndexChanged, this, &CControlCommand::OnSelectionChanged);
    connect(m_command->lineEdit(), &QLineEdit::textEdited, this,
            &CControlCommand::OnCommandTextEdited);
}

void CControlCommand::OpenOnRepeat() {
    {
        const QSignalBlocker blocker(m_command);
        m_command->setCurrentIndex(0);
    }
    m_block.command = static_cast<std::int32_t>(ControlCommand::Repeat);
    ApplyEntry(ControlCommandEntries()[0]);
    m_time = 0;
    m_position = 0;
    m_message->clear();
    m_timeEdit->setText(QStringLiteral("0"));
    m_positionEdit->setText(QStringLiteral("0"));
}

void CControlCommand::OpenOnBlock() {
    const auto entries = ControlCommandEntries();
    int index = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (static_cast<std::int32_t>(entries[i].command) == m_block.command) {
            index = static_cast<int>(i);
        }
    }
    if (index < 0) {
        // A code this editor does not know: offered as a new frame would be.
        OpenOnRepeat();
        return;
    }
    {
        const QSignalBlocker blocker(m_command);
        m_command->setCurrentIndex(index);
    }
    ApplyEntry(entries[static_cast<std::size_t>(index)]);
    m_time = m_block.time;
    m_position = m_block.position;
    m_message->setText(QStringFromSjis(FieldText(m_block.message)));
    m_timeEdit->setText(QString::number(m_time));
    m_positionEdit->setText(QString::number(m_position));
}

void CControlCommand::ApplyEntry(const ControlCommandEntry& entry) {
    m_message->setEnabled(entry.message);
    m_positionEdit->setEnabled(entry.position);
    m_timeEdit->setEnabled(entry.time);
    m_positionLabel->setText(ControlLabel(entry.positionLabel));
    m_timeLabel->setText(ControlLabel(entry.timeLabel));
}

void CControlCommand::OnSelectionChanged(int index) {
    if (index < 0) {
        {
            const QSignalBlocker blocker(m_command);
            m_command->setCurrentIndex(0);
        }
        m_message->setEnabled(true);
        m_positionEdit->setEnabled(true);
        m_timeEdit->setEnabled(false);
        m_positionLabel->setText(ControlLabel(kWindowPositionLabel));
        return;
    }
    m_positionLabel->setText(ControlLabel(kWindowPositionLabel));
    m_timeLabel->setText(ControlLabel(kTimeLabel));
    if (const ControlCommandEntry* entry = EntryAt(index)) {
        ApplyEntry(*entry);
    }
}

void CControlCommand::OnCommandTextEdited(const QString& text) {
    // Typing over the entry's text leaves no entry selected, as a drop-down list does;
    // picking an entry from the list selects one again.
    const int cursor = m_command->lineEdit()->cursorPosition();
    {
        const QSignalBlocker blocker(m_command);
        m_command->setCurrentIndex(-1);
        m_command->setEditText(text);
    }
    m_command->lineEdit()->setCursorPosition(cursor);
}

bool CControlCommand::ReadValues() {
    // Read when OK is pressed, not while typing; a refused value goes back to the one the
    // frame holds.
    return TakeIntegerField(this, m_boxes, m_timeEdit, kMinControlValue, kMaxControlValue, m_time,
                            m_time) &&
           TakeIntegerField(this, m_boxes, m_positionEdit, kMinControlValue, kMaxControlValue,
                            m_position, m_position);
}

void CControlCommand::accept() {
    int index = m_command->currentIndex();
    if (index < 0) {
        // Typed text: a command's exact text picks it, anything else is refused aloud.
        index = m_command->findText(m_command->currentText(), Qt::MatchExactly);
        if (index < 0) {
            m_boxes.ShowError(this, tr("「%1」は制御コマンドではありません。"
                                       "一覧からコマンドを選んでください。")
                                        .arg(m_command->currentText()));
            m_command->setFocus();
            return;
        }
        m_command->setCurrentIndex(index);
    }
    if (!ReadValues()) {
        return;
    }
    const ControlCommandEntry* entry = EntryAt(index);
    if (entry == nullptr) {
        return;
    }
    m_block = BuildControlBlock(m_block, entry->command, SjisFromQString(m_message->text()), m_time,
                                m_position);
    QDialog::accept();
}

std::optional<ControlBlock> CControlCommand::Ask(QWidget* parent, const ControlBlock& initial,
                                                 bool change, MessageBoxes& boxes) {
    CControlCommand dialog(parent, initial, boxes, change);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Block();
}

}  // namespace plk
