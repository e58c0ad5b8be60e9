#pragma once

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace plk {

// Paints the grid's cells: the background of the model (the rectangle's highlight, control
// rows) and the text left-aligned. The texts are few and short (numbers, command labels),
// so each is shaped once and kept, instead of being laid out again for every cell of
// every repaint, which made showing a page of 26 parts slow.
class CutCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const QStaticText& Shaped(const QString& text, const QFont& font) const;

    mutable QHash<QString, QStaticText> m_texts;
    mutable QFont m_font;
};

}  // namespace plk
