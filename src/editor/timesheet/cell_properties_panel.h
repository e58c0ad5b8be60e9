#pragma once

#include <QPixmap>
#include <QSet>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "core/timesheet/cell_range.h"
#include "core/timesheet/cell_write.h"
#include "core/timesheet/tween.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace plk {

class Cut;
class CurveBox;
class MessageBoxes;
class ThumbnailBox;

// What the panel needs from the page it sits on.
class CellPropertiesHost {
public:
    virtual ~CellPropertiesHost() = default;
    virtual const Cut& HostCut() const = 0;
    virtual CellRange HostSelection() const = 0;
    // Records the new cells as one undoable step. Steps of the same non-zero key merge
    // until CloseMerge.
    virtual void EditCells(std::vector<CellWrite> changes, const QString& text, int mergeKey) = 0;
    virtual void CloseMerge() = 0;
    virtual void SetLimitedUnit(int unit) = 0;
    // The palette's selected picture (slot 0's when none is selected).
    virtual QPixmap SelectedThumbnail() const = 0;
    virtual MessageBoxes& Boxes() = 0;
};

// The upper half of a time-sheet page: group "セルの情報" shows one cell and writes every
// typed change into all cells of the selection rectangle; group "設定" tweens one
// property over the selected frames along the curve of box 1064.
class CellPropertiesPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kResourceId = 1049;
    static constexpr int kXId = 1050;
    static constexpr int kYId = 1051;
    static constexpr int kScaleXId = 1052;
    static constexpr int kScaleYId = 1053;
    static constexpr int kRotationId = 1054;
    static constexpr int kAlphaId = 1055;
    static constexpr int kAspectLockId = 1048;
    static constexpr int kRotateAfterMoveId = 1111;
    static constexpr int kThumbnailId = 1113;
    static constexpr int kStartId = 1067;
    static constexpr int kEndId = 1068;
    static constexpr int kUnitSpinId = 1058;
    static constexpr int kUnitEditId = 1059;
    static constexpr int kDefaultCurveId = 1069;
    static constexpr int kTweenXId = 1060;
    static constexpr int kTweenYId = 1065;
    static constexpr int kTweenScaleXId = 1061;
    static constexpr int kTweenScaleYId = 1066;
    static constexpr int kTweenRotationId = 1062;
    static constexpr int kTweenAlphaId = 1063;

    CellPropertiesPanel(QWidget* parent, std::unique_ptr<CellPropertiesHost> host);
    ~CellPropertiesPanel() override;

    // Copies the cell's values into the fields and shows them.
    void ShowCell(int row, int column);
    void SetPropertyFieldsEnabled(bool enabled);
    void SetTweenEnabled(bool enabled);
    // Repaints the thumbnail of the palette's selected picture.
    void UpdateThumbnail();

    int LimitedUnit() const;
    ControlPoint CurvePoint() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The values the fields stand for: those of the cell shown (a new cell's before any is)
    // and the tween's bounds.
    struct Fields {
        int resource = 0;
        float x = 0;
        float y = 0;
        int scaleX = 100;
        int scaleY = 100;
        int rotation = 0;
        int alpha = 100;
        int start = 0;
        int end = 0;
    };

    QWidget* BuildCellGroup();
    QWidget* BuildSettingsGroup();
    QLineEdit* AddEdit(int id);
    QPushButton* AddTweenButton(int id, const QString& text, TweenProperty property);
    void ShowFields();

    // A field is read when it is committed (Enter, or the focus leaving it) after the author
    // typed into it. A refused value is reported and the field shows its stored value
    // again; a taken one is written into every cell of the rectangle as one step. Returns
    // false only when a typed value was refused.
    bool Commit(QLineEdit* edit);
    void CommitPosition(bool xAxis);
    void CommitScale(bool xAxis, int scale);
    void OnTween(TweenProperty property);
    void WriteRectangle(const QString& text, const std::function<void(CellRecord&)>& edit);

    std::unique_ptr<CellPropertiesHost> m_hostOwner;
    CellPropertiesHost& m_host;
    Fields m_fields;
    // Fields typed into since they last showed their stored value.
    QSet<QLineEdit*> m_typed;

    QLineEdit* m_resource;
    QLineEdit* m_x;
    QLineEdit* m_y;
    QLineEdit* m_scaleX;
    QLineEdit* m_scaleY;
    QLineEdit* m_rotation;
    QLineEdit* m_alpha;
    QCheckBox* m_aspectLock;
    QCheckBox* m_rotateAfterMove;
    ThumbnailBox* m_thumbnail;
    QLineEdit* m_start;
    QLineEdit* m_end;
    QSpinBox* m_unit;
    CurveBox* m_curve;
    std::vector<QPushButton*> m_tweenButtons;
};

}  // namespace plk
