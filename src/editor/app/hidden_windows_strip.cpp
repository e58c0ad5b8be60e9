#include "editor/app/hidden_windows_strip.h"

#include <QAction>

namespace plk {
namespace {

// The 表示 item's text without its mnemonic.
QString NameOf(const QAction* action) {
    QString name = action->text();
    const qsizetype mnemonic = name.indexOf(QStringLiteral("(&"));
    if (mnemonic >= 0) {
        name.truncate(mnemonic);
    }
    return name.remove(QLatin1Char('&')).trimmed();
}

}  // namespace

HiddenWindowsStrip::HiddenWindowsStrip(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("hiddenWindowsStrip"));
    setWordWrap(true);
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setMargin(4);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 246, 200));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setFrameShape(QFrame::StyledPanel);
    // A short main window clips the strip rather than growing.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setMinimumSize(0, 0);
    setToolTip(tr("隠れているウインドウです。クリックするか、表示 メニューで表示します"));
    connect(this, &QLabel::linkActivated, this, [this](const QString& link) {
        const int k = link.toInt();
        if (k >= 0 && k < static_cast<int>(m_windows.size())) {
            QAction* action = m_windows[static_cast<std::size_t>(k)].second;
            action->setChecked(false);
            action->trigger();  // checks it and shows the window
        }
    });
    hide();
}

void HiddenWindowsStrip::Watch(std::vector<std::pair<QWidget*, QAction*>> windows) {
    m_windows = std::move(windows);
}

QString HiddenWindowsStrip::TextFor(const QStringList& indices) const {
    QStringList links;
    for (const QString& index : indices) {
        const QAction* action = m_windows[static_cast<std::size_t>(index.toInt())].second;
        links << QStringLiteral("<a href=\"%1\">%2</a>").arg(index, NameOf(action).toHtmlEscaped());
    }
    //: %1 lists the hidden windows as links, joined by the list separator.
    return tr("隠れているウインドウ (表示 メニューで戻せます): %1")
        .arg(links.join(tr("、", "list separator")));
}

QStringList HiddenWindowsStrip::Offered() const {
    QStringList names;
    for (const auto& [window, action] : m_windows) {
        if (window->isHidden()) {
            names << NameOf(action);
        }
    }
    return names;
}

void HiddenWindowsStrip::Update() {
    QStringList hidden;
    for (std::size_t k = 0; k < m_windows.size(); ++k) {
        if (m_windows[k].first->isHidden()) {
            hidden << QString::number(k);
        }
    }
    setText(TextFor(hidden));
    setVisible(!hidden.isEmpty());
}

int HiddenWindowsStrip::HeightNamingAll(int width) const {
    QStringList all;
    for (std::size_t k = 0; k < m_windows.size(); ++k) {
        all << QString::number(k);
    }
    QLabel probe;
    probe.setWordWrap(true);
    probe.setTextFormat(Qt::RichText);
    probe.setMargin(margin());
    probe.setFrameShape(frameShape());
    probe.setFont(font());
    probe.setText(TextFor(all));
    return probe.heightForWidth(width);
}

}  // namespace plk
