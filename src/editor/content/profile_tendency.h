#pragma once

#include <QWidget>
#include <array>

#include "core/content/tendency.h"

class QComboBox;
class QLabel;
class QSlider;

namespace plk {

class CToolWindow;

// The tendency page "麻雀" (dialog 235): how the character plays. It owns the
// TendencyRecord; every combo choice and slider step is stored at once as an undo command
// on the browser's history.
class CProfileTendency : public QWidget {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> kSpecialComboIds = {1119, 1120, 1121};
    static constexpr int kStrengthSliderId = 1122;
    static constexpr int kStrengthTextId = 1123;
    static constexpr std::array<int, 3> kStyleSliderIds = {1134, 1135, 1136};
    static constexpr std::array<int, 5> kFavouriteComboIds = {1124, 1125, 1126, 1127, 1128};
    static constexpr std::array<int, 5> kWeightSliderIds = {1129, 1130, 1131, 1132, 1133};

    explicit CProfileTendency(CToolWindow* browser);

    const TendencyRecord& Record() const { return m_record; }
    // Puts a record on the page (load, legacy import, reset).
    void Show(const TendencyRecord& record);

    // The record's fields counted as 32-bit words from its start (specialYaku1 is 0,
    // weight5 is 16). The edit the undo commands make.
    void ApplyValue(int field, std::int32_t value);
    // The combo or slider that shows a field.
    QWidget* FieldControl(int field) const;

Q_SIGNALS:
    void revealed();

private:
    std::int32_t& Value(int field);
    void Store(int field, std::int32_t value);
    void ShowField(int field);

    CToolWindow* m_browser;
    TendencyRecord m_record{};
    // The control of each field: a combo or a slider.
    std::array<QComboBox*, 17> m_combos{};
    std::array<QSlider*, 17> m_sliders{};
    QLabel* m_strengthText;
    bool m_showing = false;
    // The steps of one slider drag merge into one undo step.
    int m_dragSession = 0;
};

}  // namespace plk
