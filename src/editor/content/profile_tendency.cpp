#include "editor/content/profile_tendency.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "editor/app/control_id.h"
#include "editor/app/qt_text.h"
#include "editor/app/tool_window.h"
#include "editor/content/profile_browser.h"
#include "editor/content/profile_commands.h"
#include "editor/content/yaku_names.h"

namespace plk {
namespace {

constexpr int kFieldCount = 17;
static_assert(offsetof(TendencyRecord, reserved) == kFieldCount * sizeof(std::int32_t));

constexpr int kSpecialFields[3] = {0, 1, 2};
constexpr int kStrengthField = 3;
constexpr int kStyleFields[3] = {4, 5, 6};
constexpr int kFavouriteFields[5] = {7, 9, 11, 13, 15};
constexpr int kWeightFields[5] = {8, 10, 12, 14, 16};

// Lists the names of a yaku table (`count` entries, `name` of each in the shown language).
QComboBox* MakeYakuCombo(QWidget* parent, int id, int count, QString (*name)(int)) {
    auto* combo = new QComboBox(parent);
    SetControlId(combo, id);
    combo->setMaxVisibleItems(20);
    for (int i = 0; i < count; ++i) {
        combo->addItem(name(i));
    }
    return combo;
}

QSlider* MakeSlider(QWidget* parent, int id) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    SetControlId(slider, id);
    slider->setRange(0, 4);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    return slider;
}

QLabel* Label(const char* text, QWidget* parent) {
    return new QLabel(CProfileBrowser::tr(text), parent);
}

}  // namespace

CProfileTendency::CProfileTendency(CToolWindow* browser) : QWidget(browser), m_browser(browser) {
    auto* layout = new QVBoxLayout(this);

    auto* special = new QGroupBox(CProfileBrowser::tr("特殊役"), this);
    auto* specialLayout = new QVBoxLayout(special);
    for (int i = 0; i < 3; ++i) {
        QComboBox* combo = MakeYakuCombo(special, kSpecialComboIds[static_cast<std::size_t>(i)],
                                         kSpecialYakuCount, SpecialYakuName);
        m_combos[kSpecialFields[i]] = combo;
        specialLayout->addWidget(combo);
    }
    layout->addWidget(special);

    auto* strength = new QGroupBox(CProfileBrowser::tr("雀力レベル"), this);
    auto* strengthRow = new QHBoxLayout(strength);
    strengthRow->addWidget(Label(QT_TRANSLATE_NOOP("plk::CProfileBrowser", "弱"), strength));
    m_sliders[kStrengthField] = MakeSlider(strength, kStrengthSliderId);
    strengthRow->addWidget(m_sliders[kStrengthField], 1);
    strengthRow->addWidget(Label(QT_TRANSLATE_NOOP("plk::CProfileBrowser", "強"), strength));
    m_strengthText = new QLabel(strength);
    SetControlId(m_strengthText, kStrengthTextId);
    m_strengthText->setMinimumWidth(24);
    m_strengthText->setAlignment(Qt::AlignCenter);
    strengthRow->addWidget(m_strengthText);
    layout->addWidget(strength);

    auto* style = new QGroupBox(CProfileBrowser::tr("傾向"), this);
    auto* styleGrid = new QGridLayout(style);
    const char* const ends[3][2] = {
        {QT_TRANSLATE_NOOP("plk::CProfileBrowser", "タンヤオ系"),
         QT_TRANSLATE_NOOP("plk::CProfileBrowser", "チャンタ系")},
        {QT_TRANSLATE_NOOP("plk::CProfileBrowser", "ピンフ系"),
         QT_TRANSLATE_NOOP("plk::CProfileBrowser", "トイトイ系")},
        {QT_TRANSLATE_NOOP("plk::CProfileBrowser", "低め役"),
         QT_TRANSLATE_NOOP("plk::CProfileBrowser", "高め役")},
    };
    for (int i = 0; i < 3; ++i) {
        styleGrid->addWidget(Label(ends[i][0], style), i, 0, Qt::AlignRight);
        m_sliders[kStyleFields[i]] =
            MakeSlider(style, kStyleSliderIds[static_cast<std::size_t>(i)]);
        styleGrid->addWidget(m_sliders[kStyleFields[i]], i, 1);
        styleGrid->addWidget(Label(ends[i][1], style), i, 2);
    }
    styleGrid->setColumnStretch(1, 1);
    layout->addWidget(style);

    auto* favourites = new QGroupBox(CProfileBrowser::tr("特に設定する役"), this);
    auto* favouriteGrid = new QGridLayout(favourites);
    favouriteGrid->addWidget(new QLabel(QStringLiteral("0"), favourites), 0, 1, Qt::AlignLeft);
    favouriteGrid->addWidget(new QLabel(QStringLiteral("4"), favourites), 0, 1, Qt::AlignRight);
    for (int i = 0; i < 5; ++i) {
        const auto at = static_cast<std::size_t>(i);
        m_combos[kFavouriteFields[i]] = MakeYakuCombo(favourites, kFavouriteComboIds[at],
                                                      kFavouriteYakuCount, FavouriteYakuName);
        favouriteGrid->addWidget(m_combos[kFavouriteFields[i]], i + 1, 0);
        QSlider* weight = MakeSlider(favourites, kWeightSliderIds[at]);
        weight->setToolTip(CProfileBrowser::tr("0に設定するとその役を全く狙わなくなります"));
        m_sliders[kWeightFields[i]] = weight;
        favouriteGrid->addWidget(weight, i + 1, 1);
    }
    favouriteGrid->setColumnStretch(0, 1);
    favouriteGrid->setColumnStretch(1, 1);
    layout->addWidget(favourites);
    layout->addStretch(1);

    for (int field = 0; field < kFieldCount; ++field) {
        if (QComboBox* combo = m_combos[static_cast<std::size_t>(field)]) {
            connect(combo, &QComboBox::activated, this, [this, field](int item) {
                if (item >= 0) {
                    ++m_dragSession;
                    Store(field, item);
                    ++m_dragSession;
                }
            });
        }
        if (QSlider* slider = m_sliders[static_cast<std::size_t>(field)]) {
            connect(slider, &QSlider::valueChanged, this, [this, field](int value) {
                if (!m_showing) {
                    Store(field, value);
                }
            });
            // A drag is one step; every other scroll notification (keys, clicks on the
            // track, the wheel) is a step of its own.
            connect(slider, &QSlider::actionTriggered, this, [this, slider] {
                if (!slider->isSliderDown()) {
                    ++m_dragSession;
                }
            });
            connect(slider, &QSlider::sliderPressed, this, [this] { ++m_dragSession; });
            connect(slider, &QSlider::sliderReleased, this, [this] { ++m_dragSession; });
        }
    }
    Show(DefaultTendency());
}

std::int32_t& CProfileTendency::Value(int field) {
    return reinterpret_cast<std::int32_t*>(&m_record)[field];
}

void CProfileTendency::Store(int field, std::int32_t value) {
    const std::int32_t before = Value(field);
    if (before == value) {
        return;
    }
    m_browser->PushEdit(
        std::make_unique<SetTendencyValueCommand>(this, field, before, value, m_dragSession));
}

void CProfileTendency::Show(const TendencyRecord& record) {
    m_record = record;
    for (int field = 0; field < kFieldCount; ++field) {
        ShowField(field);
    }
}

void CProfileTendency::ShowField(int field) {
    const std::int32_t value = Value(field);
    m_showing = true;
    if (QComboBox* combo = m_combos[static_cast<std::size_t>(field)]) {
        // An index past the table stays in the record and shows no selection.
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
    }
    if (QSlider* slider = m_sliders[static_cast<std::size_t>(field)]) {
        slider->setValue(value);
    }
    if (field == kStrengthField) {
        m_strengthText->setText(QString::asprintf("%d", value));
    }
    m_showing = false;
}

QWidget* CProfileTendency::FieldControl(int field) const {
    if (field < 0 || field >= static_cast<int>(m_combos.size())) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(field);
    if (m_combos[index] != nullptr) {
        return m_combos[index];
    }
    return m_sliders[index];
}

void CProfileTendency::ApplyValue(int field, std::int32_t value) {
    Value(field) = value;
    Q_EMIT revealed();
    ShowField(field);
}

}  // namespace plk
