#include "editor/timesheet/cell_properties_panel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "core/timesheet/cell_edit.h"
#include "core/timesheet/cut.h"
#include "editor/app/control_id.h"
#include "editor/app/field_reading.h"
#include "editor/app/user_dialogs.h"
#include "editor/timesheet/curve_box.h"

namespace plk {

// Static 1113: the palette's selected picture from its top-left corner, cropped (never
// scaled) to at most 64 x 64 pixels. The picture is asked for on every repaint, so the box
// never shows a slot that is no longer selected or a picture that was replaced.
class ThumbnailBox : public QWidget {
public:
    static constexpr int kLimit = 64;

    ThumbnailBox(QWidget* parent, std::function<QPixmap()> source)
        : QWidget(parent), m_source(std::move(source)) {
        SetControlId(this, CellPropertiesPanel::kThumbnailId);
        setFixedSize(0, 0);
    }

    // Fits the box to the picture and repaints it.
    void Refresh() {
        const QPixmap picture = m_source();
        setFixedSize(std::min(picture.width(), kLimit), std::min(picture.height(), kLimit));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(QPoint(0, 0), m_source(), QRect(QPoint(0, 0), size()));
    }

private:
    std::function<QPixmap()> m_source;
};

namespace {

// As the framework writes a float into an edit: up to 6 significant digits.
QString FloatText(float value) {
    return QString::number(static_cast<double>(value), 'g', 6);
}

// The name of a tween's step in the undo history.
QString TweenStepName(TweenProperty property) {
    switch (property) {
        case TweenProperty::X:
            return QCoreApplication::translate("plk::CellPropertiesPanel", "X移動のトゥイーン");
        case TweenProperty::Y:
            return QCoreApplication::translate("plk::CellPropertiesPanel", "Y移動のトゥイーン");
        case TweenProperty::ScaleX:
            return QCoreApplication::translate("plk::CellPropertiesPanel", "X伸縮のトゥイーン");
        case TweenProperty::ScaleY:
            return QCoreApplication::translate("plk::CellPropertiesPanel", "Y伸縮のトゥイーン");
        case TweenProperty::Rotation:
            return QCoreApplication::translate("plk::CellPropertiesPanel", "回転のトゥイーン");
        case TweenProperty::Alpha:
            break;
    }
    return QCoreApplication::translate("plk::CellPropertiesPanel", "透明度のトゥイーン");
}

constexpr float kMinPosition = -2048;
constexpr float kMaxPosition = 2048;

}  // namespace

CellPropertiesPanel::CellPropertiesPanel(QWidget* parent, std::unique_ptr<CellPropertiesHost> host)
    : QWidget(parent), m_hostOwner(std::move(host)), m_host(*m_hostOwner) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildCellGroup());
    layout->addWidget(BuildSettingsGroup());
    layout->addStretch(1);
    ShowFields();
    SetTweenEnabled(false);
    UpdateThumbnail();
}

CellPropertiesPanel::~CellPropertiesPanel() = default;

QLineEdit* CellPropertiesPanel::AddEdit(int id) {
    auto* edit = new QLineEdit(this);
    SetControlId(edit, id);
    edit->setFixedWidth(56);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { m_typed.insert(edit); });
    return edit;
}

QWidget* CellPropertiesPanel::BuildCellGroup() {
    auto* group = new QGroupBox(tr("セルの情報"), this);
    m_resource = AddEdit(kResourceId);
    m_x = AddEdit(kXId);
    m_y = AddEdit(kYId);
    m_scaleX = AddEdit(kScaleXId);
    m_scaleY = AddEdit(kScaleYId);
    m_rotation = AddEdit(kRotationId);
    m_alpha = AddEdit(kAlphaId);
    m_aspectLock = new QCheckBox(tr("縦横比を固定"), this);
    SetControlId(m_aspectLock, kAspectLockId);
    // Kept for the author's eye only: the drawing always rotates the same way.
    m_rotateAfterMove = new QCheckBox(tr("平行移動後に回転を適用"), this);
    SetControlId(m_rotateAfterMove, kRotateAfterMoveId);
    m_thumbnail = new ThumbnailBox(this, [this] { return m_host.SelectedThumbnail(); });

    auto* grid = new QGridLayout;
    const auto addRow = [&](int row, const QString& label, QWidget* first, QWidget* second) {
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(first, row, 1);
        if (second != nullptr) {
            grid->addWidget(second, row, 2);
        }
    };
    addRow(0, tr("セルNo"), m_resource, nullptr);
    addRow(1, tr("位置"), m_x, m_y);
    addRow(2, tr("拡大率"), m_scaleX, m_scaleY);
    grid->addWidget(m_aspectLock, 2, 3);
    addRow(3, tr("回転"), m_rotation, nullptr);
    addRow(4, tr("透明度"), m_alpha, nullptr);
    grid->addWidget(m_rotateAfterMove, 5, 0, 1, 4);
    grid->addWidget(m_thumbnail, 0, 3, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setRowStretch(6, 1);
    group->setLayout(grid);

    return group;
}

QPushButton* CellPropertiesPanel::AddTweenButton(int id, const QString& text,
                                                 TweenProperty property) {
    auto* button = new QPushButton(text, this);
    SetControlId(button, id);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, property] { OnTween(property); });
    m_tweenButtons.push_back(button);
    return button;
}

QWidget* CellPropertiesPanel::BuildSettingsGroup() {
    auto* group = new QGroupBox(tr("設定"), this);
    m_start = AddEdit(kStartId);
    m_end = AddEdit(kEndId);
    m_unit = new QSpinBox(this);
    m_unit->setRange(1, 9);
    m_unit->setValue(1);
    SetControlId(m_unit, kUnitSpinId);
    if (auto* buddy = m_unit->findChild<QLineEdit*>()) {
        SetControlId(buddy, kUnitEditId);
    }
    m_curve = new CurveBox(this);
    auto* defaultCurve = new QPushButton(tr("規定値"), this);
    SetControlId(defaultCurve, kDefaultCurveId);
    defaultCurve->setAutoDefault(false);

    auto* values = new QGridLayout;
    values->addWidget(new QLabel(tr("開始値"), this), 0, 0);
    values->addWidget(m_start, 0, 1);
    values->addWidget(new QLabel(tr("終了値"), this), 1, 0);
    values->addWidget(m_end, 1, 1);
    values->addWidget(new QLabel(tr("リミテッド単位"), this), 2, 0);
    values->addWidget(m_unit, 2, 1);
    values->setRowStretch(3, 1);

    auto* buttons = new QGridLayout;
    buttons->addWidget(AddTweenButton(kTweenXId, tr("Ｘ移動"), TweenProperty::X), 0, 0);
    buttons->addWidget(AddTweenButton(kTweenYId, tr("Ｙ移動"), TweenProperty::Y), 0, 1);
    buttons->addWidget(AddTweenButton(kTweenScaleXId, tr("Ｘ伸縮"), TweenProperty::ScaleX), 1, 0);
    buttons->addWidget(AddTweenButton(kTweenScaleYId, tr("Ｙ伸縮"), TweenProperty::ScaleY), 1, 1);
    buttons->addWidget(AddTweenButton(kTweenRotationId, tr("回転"), TweenProperty::Rotation), 2, 0);
    buttons->addWidget(AddTweenButton(kTweenAlphaId, tr("透明度"), TweenProperty::Alpha), 2, 1);

    auto* curveColumn = new QVBoxLayout;
    curveColumn->addWidget(m_curve);
    curveColumn->addWidget(defaultCurve);
    curveColumn->addStretch(1);

    auto* layout = new QHBoxLayout;
    layout->addLayout(values);
    layout->addLayout(curveColumn);
    layout->addLayout(buttons);
    group->setLayout(layout);

    connect(m_unit, &QSpinBox::valueChanged, this,
            [this](int unit) { m_host.SetLimitedUnit(unit); });
    connect(defaultCurve, &QPushButton::clicked, this, [this] { m_curve->SetPoint({}); });
    return group;
}

void CellPropertiesPanel::ShowCell(int row, int column) {
    const Cut& cut = m_host.HostCut();
    if (row < 0 || row >= cut.FrameCount() || column < 0 || column >= kCellSlots) {
        return;
    }
    const CellRecord& cell = cut.Frame(row).cells[column];
    m_fields.resource = cell.resource;
    m_fields.x = cell.x;
    m_fields.y = cell.y;
    m_fields.scaleX = cell.scaleX;
    m_fields.scaleY = cell.scaleY;
    m_fields.rotation = cell.rotation;
    m_fields.alpha = cell.alpha;
    ShowFields();
}

void CellPropertiesPanel::ShowFields() {
    m_resource->setText(QString::number(m_fields.resource));
    m_x->setText(FloatText(m_fields.x));
    m_y->setText(FloatText(m_fields.y));
    m_scaleX->setText(QString::number(m_fields.scaleX));
    m_scaleY->setText(QString::number(m_fields.scaleY));
    m_rotation->setText(QString::number(m_fields.rotation));
    m_alpha->setText(QString::number(m_fields.alpha));
    m_start->setText(QString::number(m_fields.start));
    m_end->setText(QString::number(m_fields.end));
    m_typed.clear();
}

void CellPropertiesPanel::SetPropertyFieldsEnabled(bool enabled) {
    for (QLineEdit* edit : {m_resource, m_x, m_y, m_scaleX, m_scaleY, m_rotation, m_alpha}) {
        edit->setEnabled(enabled);
    }
}

void CellPropertiesPanel::SetTweenEnabled(bool enabled) {
    for (QPushButton* button : m_tweenButtons) {
        button->setEnabled(enabled);
    }
}

void CellPropertiesPanel::UpdateThumbnail() {
    m_thumbnail->Refresh();
}

void CellPropertiesPanel::showEvent(QShowEvent* event) {
    // A page comes back into view on a tab switch: the selection may have changed meanwhile.
    UpdateThumbnail();
    QWidget::showEvent(event);
}

int CellPropertiesPanel::LimitedUnit() const {
    return m_unit->value();
}

ControlPoint CellPropertiesPanel::CurvePoint() const {
    return m_curve->Point();
}

bool CellPropertiesPanel::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter commits the field; it does not press a button of the window.
            Commit(edit);
            m_host.CloseMerge();
            edit->selectAll();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // A popup menu over the field is not the author moving on from it.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            Commit(edit);
            m_host.CloseMerge();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool CellPropertiesPanel::Commit(QLineEdit* edit) {
    // Taken out first: the message box a refusal shows takes the focus from the field.
    if (!m_typed.remove(edit)) {
        return true;  // passing through a field writes nothing
    }
    QWidget* parent = this;
    MessageBoxes& boxes = m_host.Boxes();
    int value = 0;
    if (edit == m_x || edit == m_y) {
        CommitPosition(edit == m_x);
        return true;
    }
    if (edit == m_resource) {
        if (!TakeIntegerField(parent, boxes, edit, 0, 255, m_fields.resource, value)) {
            return false;
        }
        m_fields.resource = value;
        WriteRectangle(tr("セルNoの入力"), [value](CellRecord& cell) { cell.resource = value; });
    } else if (edit == m_scaleX || edit == m_scaleY) {
        const bool xAxis = edit == m_scaleX;
        if (!TakeIntegerField(parent, boxes, edit, 0, 1600,
                              xAxis ? m_fields.scaleX : m_fields.scaleY, value)) {
            return false;
        }
        CommitScale(xAxis, value);
    } else if (edit == m_rotation) {
        if (!TakeIntegerField(parent, boxes, edit, 0, 359, m_fields.rotation, value)) {
            return false;
        }
        m_fields.rotation = value;
        WriteRectangle(tr("回転の入力"), [value](CellRecord& cell) { cell.rotation = value; });
    } else if (edit == m_alpha) {
        if (!TakeIntegerField(parent, boxes, edit, 0, 100, m_fields.alpha, value)) {
            return false;
        }
        m_fields.alpha = value;
        WriteRectangle(tr("透明度の入力"), [value](CellRecord& cell) { cell.alpha = value; });
    } else if (edit == m_start || edit == m_end) {
        int& field = edit == m_start ? m_fields.start : m_fields.end;
        if (!TakeIntegerField(parent, boxes, edit, INT_MIN, INT_MAX, field, value)) {
            return false;
        }
        field = value;
    }
    edit->setText(QString::number(value));
    return true;
}

void CellPropertiesPanel::CommitPosition(bool xAxis) {
    QLineEdit* edit = xAxis ? m_x : m_y;
    float& stored = xAxis ? m_fields.x : m_fields.y;
    const FieldReading<float> reading = ReadNumberField(edit->text(), kMinPosition, kMaxPosition);
    if (!reading.Ok()) {
        edit->setText(FloatText(stored));
        m_host.Boxes().ShowError(this, reading.problem);
        edit->setFocus();
        edit->selectAll();
        return;
    }
    // Positions are whole pixels: a fraction typed is dropped, as the field always did.
    const float value = std::trunc(reading.value);
    stored = value;
    edit->setText(FloatText(value));
    WriteRectangle(xAxis ? tr("X座標の入力") : tr("Y座標の入力"),
                   [xAxis, value](CellRecord& cell) { (xAxis ? cell.x : cell.y) = value; });
}

void CellPropertiesPanel::CommitScale(bool xAxis, int scale) {
    const bool both = m_aspectLock->isChecked();
    if (xAxis || both) {
        m_fields.scaleX = scale;
        m_scaleX->setText(QString::number(scale));
    }
    if (!xAxis || both) {
        m_fields.scaleY = scale;
        m_scaleY->setText(QString::number(scale));
    }
    WriteRectangle(tr("拡大率の入力"), [xAxis, both, scale](CellRecord& cell) {
        if (xAxis || both) {
            cell.scaleX = scale;
        }
        if (!xAxis || both) {
            cell.scaleY = scale;
        }
    });
}

void CellPropertiesPanel::WriteRectangle(const QString& text,
                                         const std::function<void(CellRecord&)>& edit) {
    std::vector<CellWrite> changes = DropUnchanged(
        m_host.HostCut(), RectangleChanges(m_host.HostCut(), m_host.HostSelection(), edit));
    if (!changes.empty()) {
        m_host.EditCells(std::move(changes), text, 0);
    }
}

void CellPropertiesPanel::OnTween(TweenProperty property) {
    // Bounds typed but not yet committed count as they stand.
    if (!Commit(m_start) || !Commit(m_end)) {
        return;
    }
    const TweenParameters params{m_fields.start, m_fields.end, LimitedUnit(), m_curve->Point(),
                                 m_aspectLock->isChecked()};
    std::vector<CellWrite> changes = DropUnchanged(
        m_host.HostCut(), TweenChanges(m_host.HostCut(), m_host.HostSelection(), property, params));
    if (!changes.empty()) {
        m_host.EditCells(std::move(changes), TweenStepName(property), 0);
    }
}

}  // namespace plk
