#include "editor/content/message_line_preview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "core/content/message_text.h"
#include "core/text/message_layout.h"
#include "editor/app/qt_text.h"
#include "editor/content/message_browser.h"
#include "media/render/message_canvas.h"

namespace plk {

// The strip, scaled down to the page's width when it is narrower than 800 pixels (the
// line breaks are the game's either way); a red bar along its foot when text runs over.
class MessageLinePreview::StripView : public QWidget {
public:
    explicit StripView(QWidget* parent) : QWidget(parent) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setFixedHeight(MessageCanvas::kHeight * 3 / 4);
        setMinimumWidth(MessageCanvas::kWidth / 2);
    }
    void Show(const QImage& strip, bool overflows) {
        m_strip = strip;
        m_overflows = overflows;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        const double scale = std::min(1.0, std::min(width() / double(MessageCanvas::kWidth),
                                                    height() / double(MessageCanvas::kHeight)));
        const QRectF target(0, 0, MessageCanvas::kWidth * scale, MessageCanvas::kHeight * scale);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!m_strip.isNull()) {
            painter.drawImage(target, m_strip);
        }
        if (m_overflows) {
            painter.fillRect(QRectF(0, target.bottom() - 3, target.width(), 3),
                             QColor(220, 40, 40));
        }
    }

private:
    QImage m_strip;
    bool m_overflows = false;
};

MessageLinePreview::MessageLinePreview(QWidget* parent)
    : QWidget(parent), m_canvas(std::make_unique<MessageCanvas>()) {
    // Playback owns "MESSAGETEXTURE"; this canvas only draws for the page.
    m_canvas->SetCopiesToTexture(false);
    m_canvas->InitCanvas();

    m_view = new StripView(this);
    // The heading names the line, or in red what falls below the window: one row either
    // way, so the page above never loses room to it.
    m_caption = new QLabel(this);
    m_caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_count = new QLabel(this);

    auto* header = new QHBoxLayout;
    header->addWidget(m_caption, 1);
    header->addWidget(m_count);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(header);
    layout->addWidget(m_view);
    ShowLine(0, {});
}

MessageLinePreview::~MessageLinePreview() = default;

void MessageLinePreview::ShowLine(int line, std::string_view sjis) {
    m_canvas->ClearCanvas();
    m_canvas->LayoutMessage(sjis, 0, true);
    m_strip = m_canvas->Image();
    const std::optional<std::size_t> beyond = FirstByteBeyondLines(sjis);
    m_view->Show(m_strip, beyond.has_value());

    m_count->setText(CMessageBrowser::tr("%1 / %2 バイト").arg(sjis.size()).arg(kMessageTextMax));
    m_overflow = beyond ? QStringFromSjis(sjis.substr(*beyond)) : QString();
    if (m_overflow.isEmpty()) {
        m_caption->setStyleSheet(QString());
        m_caption->setText(CMessageBrowser::tr("セリフ%1 のプレビュー").arg(line + 1));
        m_caption->setToolTip(QString());
        return;
    }
    const QString text = CMessageBrowser::tr("セリフ%1: 3行に収まらない部分（表示されません）: %2")
                             .arg(line + 1)
                             .arg(m_overflow);
    m_caption->setStyleSheet(QStringLiteral("color: #c02020;"));
    const int room = std::max(m_caption->width(), width() - m_count->sizeHint().width() - 8);
    m_caption->setText(m_caption->fontMetrics().elidedText(text, Qt::ElideRight, room));
    m_caption->setToolTip(text);
}

QString MessageLinePreview::CountText() const {
    return m_count->text();
}

}  // namespace plk
