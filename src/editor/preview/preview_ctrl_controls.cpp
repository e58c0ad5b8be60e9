// The panel's controls and their arrangement.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/app/control_id.h"
#include "editor/preview/preview_ctrl.h"
#include "editor/preview/preview_ctrl_texts.h"
#include "editor/preview/tick_slider.h"

namespace plk {
namespace {

template <typename Control>
Control* WithId(Control* control, int id) {
    SetControlId(control, id);
    return control;
}

// A value shown beside its slider, wide enough for the longest text it will hold.
QLabel* ValueText(const QString& text, const QString& widest, int id, QWidget* parent) {
    auto* label = WithId(new QLabel(text, parent), id);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 4);
    return label;
}

constexpr int kSliderWidth = 180;

QSlider* PlainSlider(int minimum, int maximum, int value, int id, QWidget* parent) {
    auto* slider = WithId(new TickSlider(minimum, maximum, value, parent), id);
    slider->setMinimumWidth(kSliderWidth);
    return slider;
}

QLineEdit* SizeEdit(int value, int id, QWidget* parent) {
    auto* edit = WithId(new QLineEdit(QString::number(value), parent), id);
    // The text is read as up to 256 characters.
    edit->setMaxLength(256);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    return edit;
}

}  // namespace

QWidget* CPreViewCtrl::BuildSizeControls() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(0, 1);

    m_xSlider = WithId(new TickSlider(kMinXSize, kMaxXSize, m_xSize, box), 1012);
    m_xSlider->SetTickMarks({128, 256, 384, 512, 640, 800, 1024});
    m_xEdit = SizeEdit(m_xSize, 1025, box);
    m_ySlider = WithId(new TickSlider(kMinYSize, kMaxYSize, m_ySize, box), 1013);
    m_ySlider->SetTickMarks({128, 256, 384, 512, 640, 800});
    m_yEdit = SizeEdit(m_ySize, 1026, box);
    for (QSlider* slider : {static_cast<QSlider*>(m_xSlider), static_cast<QSlider*>(m_ySlider)}) {
        slider->setPageStep(16);
        slider->setMinimumWidth(kSliderWidth);
    }

    m_zoomSlider = WithId(new TickSlider(kMinZoomStep, kMaxZoomStep, 0, box), 1014);
    std::vector<int> steps;
    for (int step = kMinZoomStep; step <= kMaxZoomStep; ++step) {
        steps.push_back(step);
    }
    m_zoomSlider->SetTickMarks(std::move(steps));
    m_zoomSlider->setPageStep(1);
    m_zoomSlider->setMinimumWidth(kSliderWidth);
    m_zoomText = ValueText(ZoomStepText(0), ZoomStepText(kMinZoomStep), 1027, box);

    grid->addWidget(new QLabel(tr("X（横方向）のサイズ"), box), 0, 0, 1, 2);
    grid->addWidget(m_xSlider, 1, 0);
    grid->addWidget(m_xEdit, 1, 1);
    grid->addWidget(new QLabel(tr("Y（縦方向）のサイズ"), box), 2, 0, 1, 2);
    grid->addWidget(m_ySlider, 3, 0);
    grid->addWidget(m_yEdit, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("ZOOM"), box), 4, 0, 1, 2);
    grid->addWidget(m_zoomSlider, 5, 0);
    grid->addWidget(m_zoomText, 5, 1);
    return box;
}

QWidget* CPreViewCtrl::BuildBackgroundControls() {
    auto* box = new QGroupBox(tr("背景"), this);
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    const QString widest = QStringLiteral("255");

    m_redSlider = PlainSlider(0, 255, 0, 1015, box);
    m_greenSlider = PlainSlider(0, 255, 0, 1016, box);
    m_blueSlider = PlainSlider(0, 255, 0, 1017, box);
    m_redText = ValueText(QStringLiteral("0"), widest, 1031, box);
    m_greenText = ValueText(QStringLiteral("0"), widest, 1032, box);
    m_blueText = ValueText(QStringLiteral("0"), widest, 1033, box);
    const struct {
        const char* name;
        QSlider* slider;
        QLabel* value;
    } rows[] = {{"R", m_redSlider, m_redText},
                {"G", m_greenSlider, m_greenText},
                {"B", m_blueSlider, m_blueText}};
    int row = 0;
    for (const auto& channel : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(channel.name), box), row, 0);
        grid->addWidget(channel.slider, row, 1);
        grid->addWidget(channel.value, row, 2);
        ++row;
    }
    m_sync = WithId(new QCheckBox(tr("同期"), box), 1099);
    grid->addWidget(m_sync, row++, 0, 1, 3);

    m_imageButton = WithId(new QPushButton(kNoImageYetText, box), 1112);
    m_imageButton->setCheckable(true);
    grid->addWidget(m_imageButton, row++, 0, 1, 3);

    m_alphaSlider = PlainSlider(0, 100, 100, 1023, box);
    m_alphaText = ValueText(QStringLiteral("100"), QStringLiteral("100"), 1030, box);
    grid->addWidget(new QLabel(tr("アルファ値"), box), row++, 0, 1, 3);
    grid->addWidget(m_alphaSlider, row, 0, 1, 2);
    grid->addWidget(m_alphaText, row, 2);
    return box;
}

QWidget* CPreViewCtrl::BuildGuideControls() {
    auto* box = new QGroupBox(tr("ガイド"), this);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < kGuideCount; ++i) {
        auto* check = WithId(new QCheckBox(PanelText(kGuideTexts[i]), box), kFirstGuideId + i);
        layout->addWidget(check);
        connect(check, &QCheckBox::clicked, this, [this, i](bool on) { OnGuideClicked(i, on); });
    }
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("罫線"), box));
    m_grid = WithId(new QComboBox(box), 1100);
    for (const char* item : kGridTexts) {
        m_grid->addItem(PanelText(item));
    }
    row->addWidget(m_grid, 1);
    layout->addLayout(row);
    return box;
}

}  // namespace plk
