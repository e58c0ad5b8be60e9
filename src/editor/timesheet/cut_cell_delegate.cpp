#include "editor/timesheet/cut_cell_delegate.h"

#include <QPainter>

namespace plk {
namespace {

// Texts kept at most; past it the cache starts again (messages of control rows vary).
constexpr qsizetype kMaxCachedTexts = 4096;
constexpr int kTextMargin = 3;

}  // namespace

const QStaticText& CutCellDelegate::Shaped(const QString& text, const QFont& font) const {
    if (font != m_font || m_texts.size() > kMaxCachedTexts) {
        m_texts.clear();
        m_font = font;
    }
    auto it = m_texts.find(text);
    if (it == m_texts.end()) {
        QStaticText shaped(text);
        shaped.setTextFormat(Qt::PlainText);
        shaped.prepare(QTransform(), font);
        it = m_texts.insert(text, shaped);
    }
    return *it;
}

void CutCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QBrush>()) {
        painter->fillRect(option.rect, background.value<QBrush>());
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) {
        return;
    }
    const QVariant foreground = index.data(Qt::ForegroundRole);
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(foreground.canConvert<QBrush>() ? foreground.value<QBrush>().color()
                                                    : option.palette.color(QPalette::Text));
    const QStaticText& shaped = Shaped(text, option.font);
    const QSizeF size = shaped.size();
    const QPointF at(option.rect.left() + kTextMargin,
                     option.rect.top() + (option.rect.height() - size.height()) / 2.0);
    painter->drawStaticText(at, shaped);
    painter->restore();
}

}  // namespace plk
