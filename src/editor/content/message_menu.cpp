#include "editor/content/message_menu.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "editor/app/control_id.h"
#include "editor/app/window_messages.h"
#include "editor/content/message_browser.h"

namespace plk {
namespace {

// Item i of a frequency combo stands for frequency 3 - i.
const char* const kFrequencyItems[] = {
    QT_TRANSLATE_NOOP("plk::CMessageBrowser", "よく使う"),
    QT_TRANSLATE_NOOP("plk::CMessageBrowser", "普通"),
    QT_TRANSLATE_NOOP("plk::CMessageBrowser", "ほとんど使わない"),
    QT_TRANSLATE_NOOP("plk::CMessageBrowser", "まったく使わない"),
};
const char* const kInitialCutItems[] = {"カット：1", "カット：2", "カット：3"};

QComboBox* MakeCombo(QWidget* parent, int id) {
    auto* combo = new QComboBox(parent);
    SetControlId(combo, id);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(12);
    return combo;
}

}  // namespace

CMessageMenu::CMessageMenu(QWidget* browser) : QWidget(browser), m_browser(browser) {
    auto* layout = new QVBoxLayout(this);

    auto* windowRow = new QHBoxLayout;
    windowRow->addWidget(new QLabel(CMessageBrowser::tr("メッセージウインドウカット"), this));
    m_cuts[0] = MakeCombo(this, kWindowCutComboId);
    windowRow->addWidget(m_cuts[0]);
    windowRow->addStretch(1);
    layout->addLayout(windowRow);

    for (int j = 0; j < 4; ++j) {
        const auto at = static_cast<std::size_t>(j);
        auto* group = new QGroupBox(CMessageBrowser::tr("セリフ%1").arg(j + 1), this);
        m_groups[at] = group;
        auto* grid = new QGridLayout(group);
        m_lines[at] = new QLineEdit(group);
        SetControlId(m_lines[at], kLineEditIds[at]);
        m_lines[at]->installEventFilter(this);
        grid->addWidget(m_lines[at], 0, 0, 1, 5);
        grid->addWidget(new QLabel(CMessageBrowser::tr("頻度"), group), 1, 0);
        m_frequencies[at] = MakeCombo(group, kFrequencyComboIds[at]);
        for (const char* item : kFrequencyItems) {
            m_frequencies[at]->addItem(CMessageBrowser::tr(item));
        }
        grid->addWidget(m_frequencies[at], 1, 1);
        grid->addWidget(new QLabel(CMessageBrowser::tr("カット"), group), 1, 2);
        m_cuts[at + 1] = MakeCombo(group, kLineCutComboIds[at]);
        grid->addWidget(m_cuts[at + 1], 1, 3);
        grid->setColumnStretch(4, 1);
        layout->addWidget(group);

        connect(m_lines[at], &QLineEdit::textChanged, this, [this, j] {
            if (!m_showing) {
                Report(WM_MESSAGE_TEXT_CHANGED, j + 1, 0);
            }
        });
        // `activated` comes from the user only; a combo with no selection reports nothing.
        connect(m_frequencies[at], &QComboBox::activated, this, [this, j](int item) {
            if (item >= 0) {
                Report(WM_MESSAGE_FREQUENCY_CHANGED, j + 1, item);
            }
        });
    }
    for (int c = 0; c < kCutComboCount; ++c) {
        connect(m_cuts[static_cast<std::size_t>(c)], &QComboBox::activated, this,
                [this, c](int item) {
                    if (item >= 0) {
                        Report(WM_MESSAGE_CUT_CHANGED, c + 1, item);
                    }
                });
    }
    layout->addStretch(1);

    QStringList initial;
    for (const char* item : kInitialCutItems) {
        initial.append(QString::fromUtf8(item));
    }
    FillCutCombos(initial);
}

void CMessageMenu::Report(std::uint32_t message, int number, int item) {
    SendWindowMessage(m_browser, message, static_cast<WParam>(number), item);
}

void CMessageMenu::ShowLineText(int line, const QString& text) {
    QLineEdit* edit = LineEdit(line);
    if (edit->text() == text) {
        return;
    }
    m_showing = true;
    const int cursor = edit->cursorPosition();
    edit->setText(text);
    edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
    m_showing = false;
}

void CMessageMenu::SelectFrequencyItem(int line, int item) {
    QComboBox* combo = FrequencyCombo(line);
    combo->setCurrentIndex(item >= 0 && item < combo->count() ? item : -1);
}

void CMessageMenu::SelectCutItem(int combo, int item) {
    QComboBox* box = CutCombo(combo);
    box->setCurrentIndex(item >= 0 && item < box->count() ? item : -1);
}

void CMessageMenu::FillCutCombos(const QStringList& items) {
    for (QComboBox* combo : m_cuts) {
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(-1);
    }
}

bool CMessageMenu::FieldsCutText() const {
    std::vector<const QWidget*> fields(m_lines.begin(), m_lines.end());
    fields.insert(fields.end(), m_frequencies.begin(), m_frequencies.end());
    fields.insert(fields.end(), m_cuts.begin(), m_cuts.end());
    return std::any_of(fields.begin(), fields.end(), [](const QWidget* field) {
        // Lower than a line of its text: the text is cut. (The Japanese page gives up
        // some padding but never that much.)
        return field->height() < field->fontMetrics().height();
    });
}

void CMessageMenu::PlaceLineTitlesBeside() {
    if (m_titlesBeside) {
        return;
    }
    m_titlesBeside = true;
    for (std::size_t j = 0; j < m_groups.size(); ++j) {
        QGroupBox* group = m_groups[j];
        auto* grid = static_cast<QGridLayout*>(group->layout());
        grid->removeWidget(m_lines[j]);
        grid->addWidget(new QLabel(group->title(), group), 0, 0);
        grid->addWidget(m_lines[j], 0, 1, 1, 4);
        group->setTitle(QString());
    }
}

bool CMessageMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut || event->type() == QEvent::FocusIn) {
        for (int j = 0; j < 4; ++j) {
            if (watched == m_lines[static_cast<std::size_t>(j)]) {
                if (event->type() == QEvent::FocusOut) {
                    Q_EMIT lineLeft(j);
                } else {
                    Q_EMIT lineEntered(j);
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace plk
