#pragma once

#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>

class QComboBox;
class QGroupBox;
class QLineEdit;

namespace plk {

// The page under the message browser's tabs (dialog 195): the shown situation's message
// window cut and its four lines, each with a frequency and a cut. The page holds no data:
// every edit is reported to the browser with a window message.
class CMessageMenu : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWindowCutComboId = 1102;
    static constexpr std::array<int, 4> kLineEditIds = {1087, 1091, 1092, 1093};
    static constexpr std::array<int, 4> kFrequencyComboIds = {1094, 1095, 1096, 1097};
    static constexpr std::array<int, 4> kLineCutComboIds = {1103, 1104, 1105, 1106};
    // Cut combos counted as the messages count them: 0 is combo 1102, 1..4 combos 1103..1106.
    static constexpr int kCutComboCount = 5;

    // `browser` receives the page's messages.
    explicit CMessageMenu(QWidget* browser);

    QLineEdit* LineEdit(int line) const { return m_lines[static_cast<std::size_t>(line)]; }
    QComboBox* FrequencyCombo(int line) const {
        return m_frequencies[static_cast<std::size_t>(line)];
    }
    QComboBox* CutCombo(int combo) const { return m_cuts[static_cast<std::size_t>(combo)]; }

    // These change what the page shows without reporting anything back.
    void ShowLineText(int line, const QString& text);
    // Item `item` of a combo; an item the combo does not have shows no selection.
    void SelectFrequencyItem(int line, int item);
    void SelectCutItem(int combo, int item);
    // Every cut combo lists `items` and selects nothing.
    void FillCutCombos(const QStringList& items);

    // Each line's title moves from its frame to the left of its edit, above the frequency
    // label: the page then needs one text row less per line. For a window whose tab rows
    // leave too little room (longer labels make more rows).
    void PlaceLineTitlesBeside();
    bool LineTitlesBeside() const { return m_titlesBeside; }
    // Whether an edit or combo of the page, as laid out, is too low to show its text whole.
    bool FieldsCutText() const;

Q_SIGNALS:
    // A line's edit lost the focus.
    void lineLeft(int line);
    // A line's edit got the focus.
    void lineEntered(int line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Report(std::uint32_t message, int number, int item);

    QWidget* m_browser;
    std::array<QGroupBox*, 4> m_groups{};
    std::array<QLineEdit*, 4> m_lines{};
    std::array<QComboBox*, 4> m_frequencies{};
    std::array<QComboBox*, kCutComboCount> m_cuts{};
    bool m_showing = false;
    bool m_titlesBeside = false;
};

}  // namespace plk
