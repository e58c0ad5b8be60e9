#pragma once

#include <QDialog>
#include <optional>

#include "core/timesheet/frame_record.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace plk {

class MessageBoxes;
struct ControlCommandEntry;

// "Control Command" (dialog 151): the command, message, time and position of a control
// frame. The caller hands in a block and reads it back after OK; reserved1 and reserved2
// come back as they went in.
class CControlCommand : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 151;
    static constexpr int kCommandId = 1070;
    static constexpr int kMessageId = 1071;
    static constexpr int kTimeLabelId = 1072;
    static constexpr int kTimeId = 1073;
    static constexpr int kPositionLabelId = 1074;
    static constexpr int kPositionId = 1075;

    // A new frame opens on "リピート" with an empty message, time 0 and position 0. With
    // `showCurrent` the dialog opens on the block's own command and values instead (a
    // change of an existing frame then only touches what the author edits).
    CControlCommand(QWidget* parent, const ControlBlock& block, MessageBoxes& boxes,
                    bool showCurrent = false);
    ~CControlCommand() override;

    // Runs the dialog modally: the block after OK, nothing after Cancel. `change` opens it
    // on the frame's own values.
    static std::optional<ControlBlock> Ask(QWidget* parent, const ControlBlock& initial,
                                           bool change, MessageBoxes& boxes);

    // The block as OK left it.
    const ControlBlock& Block() const { return m_block; }

public Q_SLOTS:
    // OK: stays open while no command is selected or a value is out of range.
    void accept() override;

private:
    void BuildControls();
    void OpenOnRepeat();
    void OpenOnBlock();
    void OnSelectionChanged(int index);
    void ApplyEntry(const ControlCommandEntry& entry);
    void OnCommandTextEdited(const QString& text);
    bool ReadValues();

    ControlBlock m_block;
    MessageBoxes& m_boxes;
    int m_time = 0;
    int m_position = 0;

    QComboBox* m_command;
    QLineEdit* m_message;
    QLabel* m_timeLabel;
    QLineEdit* m_timeEdit;
    QLabel* m_positionLabel;
    QLineEdit* m_positionEdit;
};

}  // namespace plk
