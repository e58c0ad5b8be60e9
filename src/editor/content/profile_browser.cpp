#include "editor/content/profile_browser.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/text/sjis.h"
#include "editor/app/control_id.h"
#include "editor/app/cut_name_list.h"
#include "editor/app/qt_text.h"

namespace plk {
namespace {

QLabel* MakePage(QTabWidget* tabs, const QString& title) {
    auto* label = new QLabel(tabs);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setMargin(8);
    tabs->addTab(label, title);
    return label;
}

template <std::size_t N>
QString Text(const char (&field)[N]) {
    return QStringFromSjis(FieldText(field));
}

template <std::size_t N>
QString YakuLabel(const std::array<YakuName, N>& table, std::int32_t index) {
    if (index < 0 || index >= static_cast<std::int32_t>(N)) {
        return QString::number(index);
    }
    return QStringFromSjis(YakuText(table[static_cast<std::size_t>(index)]));
}

}  // namespace

CProfileBrowser::CProfileBrowser(QWidget* owner)
    : CToolWindow(QStringLiteral("Profile Browser"), owner), m_tabs(new QTabWidget(this)) {
    SetControlId(m_tabs, kPageTabsId);
    m_profileText = MakePage(m_tabs, QStringLiteral("キャラクタ"));
    m_tendencyText = MakePage(m_tabs, QStringLiteral("麻雀"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    ResetProfile();
    setFixedSize(460, 520);
}

void CProfileBrowser::ResetProfile() {
    m_block = ::plk::ResetProfile();
    Refresh();
}

void CProfileBrowser::LoadProfile(const ProfileBlock& block) {
    m_block = ::plk::LoadProfile(block);
    m_tabs->setCurrentIndex(0);
    Refresh();
}

void CProfileBrowser::ImportLegacyProfile(const LegacyProfileRecord& record) {
    m_block = ::plk::ImportLegacyProfile(record);
    m_tabs->setCurrentIndex(0);
    Refresh();
}

QString CProfileBrowser::CutText(std::int32_t cut) const {
    if (cut >= 0 && cut < m_cutNames.size()) {
        return m_cutNames[cut];
    }
    return QString::number(cut);
}

void CProfileBrowser::Refresh() {
    const ProfileRecord& p = m_block.profile;
    QStringList lines = {
        QStringLiteral("キャラクター名: ") + Text(p.characterName),
        QStringLiteral("英字名: ") + Text(p.romanName),
        QStringLiteral("愛称: ") + Text(p.nickname),
        QStringLiteral("年齢: ") + Text(p.age),
        QStringLiteral("国籍: ") + Text(p.nationality),
        QStringLiteral("身長/体重: ") + Text(p.heightWeight),
        QStringLiteral("スリーサイズ: ") + Text(p.threeSizes),
        QStringLiteral("フリーワード: ") + Text(p.freeWord1),
        QStringLiteral("フリーワード: ") + Text(p.freeWord2),
        QStringLiteral("フリーワード: ") + Text(p.freeWord3),
        QString(),
        QStringLiteral("プロフィールカット: ") + CutText(p.profileCut),
        QStringLiteral("メニューアイコンカット: ") + CutText(p.menuIconCut),
        QStringLiteral("メッセージウインドウカット: ") + CutText(p.messageWindowCut),
    };
    m_profileText->setText(lines.join(QLatin1Char('\n')));

    const TendencyRecord& t = m_block.tendency;
    const auto& special = SpecialYakuTable();
    const auto& favourite = FavouriteYakuTable();
    QStringList tendency = {
        QStringLiteral("特殊役１: ") + YakuLabel(special, t.specialYaku1),
        QStringLiteral("特殊役２: ") + YakuLabel(special, t.specialYaku2),
        QStringLiteral("特殊役３: ") + YakuLabel(special, t.specialYaku3),
        QStringLiteral("強さ: %1").arg(t.strength),
        QStringLiteral("タンヤオ - チャンタ: %1").arg(t.styleTanyaoChanta),
        QStringLiteral("平和 - 対々: %1").arg(t.stylePinfuToitoi),
        QStringLiteral("低め - 高め: %1").arg(t.styleLowHigh),
    };
    const std::int32_t favourites[5][2] = {{t.favourite1, t.weight1},
                                           {t.favourite2, t.weight2},
                                           {t.favourite3, t.weight3},
                                           {t.favourite4, t.weight4},
                                           {t.favourite5, t.weight5}};
    for (int i = 0; i < 5; ++i) {
        tendency.append(QStringLiteral("好きな役%1: %2 (%3)")
                            .arg(i + 1)
                            .arg(YakuLabel(favourite, favourites[i][0]))
                            .arg(favourites[i][1]));
    }
    m_tendencyText->setText(tendency.join(QLatin1Char('\n')));
}

LResult CProfileBrowser::OnWindowMessage(const WindowMessage& message) {
    if (message.Message() == WM_CUT_NAMES) {
        m_cutNames = CutNamesFromMessage(message.WParameter(), message.LParameter());
        Refresh();
    }
    return 0;
}

}  // namespace plk
