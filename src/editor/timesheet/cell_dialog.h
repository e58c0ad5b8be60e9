#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;

namespace plk {

class MessageBoxes;

// "セルの挿入" / "セルの削除" (dialog 150): how many frames to insert or delete.
class CCelldlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Insert, Delete };
    static constexpr int kCountEditId = 1049;
    static constexpr int kMinCount = 1;
    static constexpr int kMaxCount = 2048;

    CCelldlg(QWidget* parent, Mode mode, MessageBoxes& boxes);

    // The count typed; checked by accept().
    std::optional<int> Count() const;
    QLineEdit* CountEdit() const { return m_edit; }

    // Runs the dialog; the count on OK, nothing on cancel.
    static std::optional<int> AskCount(QWidget* parent, Mode mode, MessageBoxes& boxes);

    // OK: a count outside 1..2048 or not a number is reported, the field goes back to the
    // last count taken, and the dialog stays open.
    void accept() override;

private:
    MessageBoxes& m_boxes;
    QLineEdit* m_edit;
    int m_count = kMinCount;
};

// "カットの名称" (dialog 233): a new name for a cut.
class CCutName : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNameEditId = 1115;

    explicit CCutName(QWidget* parent);
    QString Name() const;
    QLineEdit* NameEdit() const { return m_edit; }

    // Runs the dialog opened on `current` (selected, to type over); the name on OK,
    // nothing on cancel.
    static std::optional<QString> AskName(QWidget* parent, const QString& current);

private:
    QLineEdit* m_edit;
};

}  // namespace plk
