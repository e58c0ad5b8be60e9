#include "editor/timesheet/cell_properties_panel.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/timesheet/cell_edit.h"
#include "core/timesheet/cut.h"
#include "editor/app/control_id.h"
#include "editor/timesheet/curve_box.h"
#include "editor/timesheet/field_exchange.h"

namespace plk {

// Static 1113: the palette's selected picture from its top-left corner, cropped (never
// scaled) to at most 64 x 64 pixels.
class ThumbnailBox : public QWidget {
public:
    static constexpr int kLimit = 64;

    explicit ThumbnailBox(QWidget* parent) : QWidget(parent) {
        SetControlId(this, CellPropertiesPanel::kThumbnailId);
        setFixedSize(0, 0);
    }

    void SetPicture(const QPixmap& picture) {
        m_picture = picture;
        setFixedSize(std::min(picture.width(), kLimit), std::min(picture.height(), kLimit));
        update();
    }
    const QPixmap& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(QPoint(0, 0), m_picture, QRect(QPoint(0, 0), size()));
    }

private:
    QPixmap m_picture;
};

namespace {

// As the framework writes a float into an edit: up to 6 significant digits.
QString FloatText(float value) {
    return QString::number(static_cast<double>(value), 'g', 6);
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
    return edit;
}

QWidget* CellPropertiesPanel::BuildCellGroup() {
    auto* group = new QGroupBox(QStringLiteral("セルの情報"), this);
    m_resource = AddEdit(kResourceId);
    m_x = AddEdit(kXId);
    m_y = AddEdit(kYId);
    m_scaleX = AddEdit(kScaleXId);
    m_scaleY = AddEdit(kScaleYId);
    m_rotation = AddEdit(kRotationId);
    m_alpha = AddEdit(kAlphaId);
    m_aspectLock = new QCheckBox(QStringLiteral("縦横比を固定"), this);
    SetControlId(m_aspectLock, kAspectLockId);
    // Kept for the author's eye only: the drawing always rotates the same way.
    m_rotateAfterMove = new QCheckBox(QStringLiteral("平行移動後に回転を適用"), this);
    SetControlId(m_rotateAfterMove, kRotateAfterMoveId);
    m_thumbnail = new ThumbnailBox(this);

    auto* grid = new QGridLayout;
    const auto addRow = [&](int row, const QString& label, QWidget* first, QWidget* second) {
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(first, row, 1);
        if (second != nullptr) {
            grid->addWidget(second, row, 2);
        }
    };
    addRow(0, QStringLiteral("セルNo"), m_resource, nullptr);
    addRow(1, QStringLiteral("位置"), m_x, m_y);
    addRow(2, QStringLiteral("拡大率"), m_scaleX, m_scaleY);
    grid->addWidget(m_aspectLock, 2, 3);
    addRow(3, QStringLiteral("回転"), m_rotation, nullptr);
    addRow(4, QStringLiteral("透明度"), m_alpha, nullptr);
    grid->addWidget(m_rotateAfterMove, 5, 0, 1, 4);
    grid->addWidget(m_thumbnail, 0, 3, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setRowStretch(6, 1);
    group->setLayout(grid);

    connect(m_resource, &QLineEdit::textEdited, this, &CellPropertiesPanel::OnResourceEdited);
    connect(m_x, &QLineEdit::textEdited, this, [this] { OnPositionEdited(true); });
    connect(m_y, &QLineEdit::textEdited, this, [this] { OnPositionEdited(false); });
    connect(m_scaleX, &QLineEdit::textEdited, this, [this] { OnScaleEdited(true); });
    connect(m_scaleY, &QLineEdit::textEdited, this, [this] { OnScaleEdited(false); });
    connect(m_rotation, &QLineEdit::textEdited, this, &CellPropertiesPanel::OnRotationEdited);
    connect(m_alpha, &QLineEdit::textEdited, this, &CellPropertiesPanel::OnAlphaEdited);
    return group;
}

QPushButton* CellPropertiesPanel::AddTweenButton(int id, const QString& text,
                                                 TweenProperty property) {
    auto* button = new QPushButton(text, this);
    SetControlId(button, id);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this,
            [this, property, text] { OnTween(property, text); });
    m_tweenButtons.push_back(button);
    return button;
}

QWidget* CellPropertiesPanel::BuildSettingsGroup() {
    auto* group = new QGroupBox(QStringLiteral("設定"), this);
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
    auto* defaultCurve = new QPushButton(QStringLiteral("規定値"), this);
    SetControlId(defaultCurve, kDefaultCurveId);
    defaultCurve->setAutoDefault(false);

    auto* values = new QGridLayout;
    values->addWidget(new QLabel(QStringLiteral("開始値"), this), 0, 0);
    values->addWidget(m_start, 0, 1);
    values->addWidget(new QLabel(QStringLiteral("終了値"), this), 1, 0);
    values->addWidget(m_end, 1, 1);
    values->addWidget(new QLabel(QStringLiteral("リミテッド単位"), this), 2, 0);
    values->addWidget(m_unit, 2, 1);
    values->setRowStretch(3, 1);

    auto* buttons = new QGridLayout;
    buttons->addWidget(AddTweenButton(kTweenXId, QStringLiteral("Ｘ移動"), TweenProperty::X), 0, 0);
    buttons->addWidget(AddTweenButton(kTweenYId, QStringLiteral("Ｙ移動"), TweenProperty::Y), 0, 1);
    buttons->addWidget(
        AddTweenButton(kTweenScaleXId, QStringLiteral("Ｘ伸縮"), TweenProperty::ScaleX), 1, 0);
    buttons->addWidget(
        AddTweenButton(kTweenScaleYId, QStringLiteral("Ｙ伸縮"), TweenProperty::ScaleY), 1, 1);
    buttons->addWidget(
        AddTweenButton(kTweenRotationId, QStringLiteral("回転"), TweenProperty::Rotation), 2, 0);
    buttons->addWidget(
        AddTweenButton(kTweenAlphaId, QStringLiteral("透明度"), TweenProperty::Alpha), 2, 1);

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
    m_xTyped = false;
    m_yTyped = false;
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
    m_thumbnail->SetPicture(m_host.SelectedThumbnail());
}

int CellPropertiesPanel::LimitedUnit() const {
    return m_unit->value();
}

ControlPoint CellPropertiesPanel::CurvePoint() const {
    return m_curve->Point();
}

bool CellPropertiesPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Focus that leaves with the whole window (a message box comes up) is not the
        // author moving on from the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == m_x || watched == m_y) {
                OnPositionLostFocus(watched == m_x);
            }
            m_host.CloseMerge();
        }
    }
    return QWidget::eventFilter(watched, event);
}

CellPropertiesPanel::ReadResult CellPropertiesPanel::ReadFields() {
    FieldExchange exchange(this, m_host.Boxes());
    ReadResult read;
    read.resource = exchange.Integer(m_resource, 0, 255, m_fields.resource);
    exchange.Number(m_x, kMinPosition, kMaxPosition, m_fields.x);
    exchange.Number(m_y, kMinPosition, kMaxPosition, m_fields.y);
    read.scaleX = exchange.Integer(m_scaleX, 0, 1600, m_fields.scaleX);
    read.scaleY = exchange.Integer(m_scaleY, 0, 1600, m_fields.scaleY);
    read.rotation = exchange.Integer(m_rotation, 0, 359, m_fields.rotation);
    read.alpha = exchange.Integer(m_alpha, 0, 100, m_fields.alpha);
    read.start = exchange.Integer(m_start, m_fields.start);
    read.end = exchange.Integer(m_end, m_fields.end);
    return read;
}

void CellPropertiesPanel::WriteRectangle(const QString& text, int mergeKey,
                                         const std::function<void(CellRecord&)>& edit) {
    std::vector<CellWrite> changes = DropUnchanged(
        m_host.HostCut(), RectangleChanges(m_host.HostCut(), m_host.HostSelection(), edit));
    if (!changes.empty()) {
        m_host.EditCells(std::move(changes), text, mergeKey);
    }
}

void CellPropertiesPanel::OnResourceEdited() {
    if (!ReadFields().resource) {
        return;
    }
    const int resource = m_fields.resource;
    WriteRectangle(QStringLiteral("セルNo"), kResourceId,
                   [resource](CellRecord& cell) { cell.resource = resource; });
}

void CellPropertiesPanel::OnPositionEdited(bool xAxis) {
    QLineEdit* edit = xAxis ? m_x : m_y;
    const auto value = static_cast<float>(LeadingInteger(edit->text()));
    (xAxis ? m_fields.x : m_fields.y) = value;
    (xAxis ? m_xTyped : m_yTyped) = true;
    WriteRectangle(QStringLiteral("位置"), xAxis ? kXId : kYId,
                   [xAxis, value](CellRecord& cell) { (xAxis ? cell.x : cell.y) = value; });
}

void CellPropertiesPanel::OnPositionLostFocus(bool xAxis) {
    // Only a typed position is written back: passing through the field leaves the cells
    // (which may hold fractions the edit does not show) as they are.
    if (!(xAxis ? m_xTyped : m_yTyped)) {
        return;
    }
    OnPositionEdited(xAxis);
    (xAxis ? m_xTyped : m_yTyped) = false;
    QLineEdit* edit = xAxis ? m_x : m_y;
    edit->setText(QString::number(LeadingInteger(edit->text())));
}

void CellPropertiesPanel::OnScaleEdited(bool xAxis) {
    const ReadResult read = ReadFields();
    if (!(xAxis ? read.scaleX : read.scaleY)) {
        return;
    }
    const int scale = xAxis ? m_fields.scaleX : m_fields.scaleY;
    const bool both = m_aspectLock->isChecked();
    if (both) {
        (xAxis ? m_fields.scaleY : m_fields.scaleX) = scale;
        (xAxis ? m_scaleY : m_scaleX)->setText(QString::number(scale));
    }
    WriteRectangle(QStringLiteral("拡大率"), xAxis ? kScaleXId : kScaleYId,
                   [xAxis, both, scale](CellRecord& cell) {
                       if (xAxis || both) {
                           cell.scaleX = scale;
                       }
                       if (!xAxis || both) {
                           cell.scaleY = scale;
                       }
                   });
}

void CellPropertiesPanel::OnRotationEdited() {
    if (!ReadFields().rotation) {
        return;
    }
    const int rotation = m_fields.rotation;
    WriteRectangle(QStringLiteral("回転"), kRotationId,
                   [rotation](CellRecord& cell) { cell.rotation = rotation; });
}

void CellPropertiesPanel::OnAlphaEdited() {
    if (!ReadFields().alpha) {
        return;
    }
    const int alpha = m_fields.alpha;
    WriteRectangle(QStringLiteral("透明度"), kAlphaId,
                   [alpha](CellRecord& cell) { cell.alpha = alpha; });
}

void CellPropertiesPanel::OnTween(TweenProperty property, const QString& text) {
    const ReadResult read = ReadFields();
    if (!read.start || !read.end) {
        return;
    }
    const TweenParameters params{m_fields.start, m_fields.end, LimitedUnit(), m_curve->Point(),
                                 m_aspectLock->isChecked()};
    std::vector<CellWrite> changes = DropUnchanged(
        m_host.HostCut(), TweenChanges(m_host.HostCut(), m_host.HostSelection(), property, params));
    if (!changes.empty()) {
        m_host.EditCells(std::move(changes), text, 0);
    }
}

}  // namespace plk
