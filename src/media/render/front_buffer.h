#pragma once

#include <QImage>
#include <QRect>

namespace plk {

// The presented picture: a copy of part of the canvas in a buffer kept from frame to frame,
// so a present costs no allocation and can be filled a few rows at a time by several
// threads while the frame is drawn.
class FrontBuffer {
public:
    // Readies the buffer for `source` of `canvas` (an empty rectangle presents nothing; a
    // null one the whole canvas): the right size and format, and the only user of its
    // pixels. Call on the thread that owns the renderer, before any Copy.
    void Begin(const QImage& canvas, const QRect& source);
    // Copies the rows of `canvas` within `rows` (whole-width; only those in the source
    // count) into the buffer. Threads may copy rows of their own at once; the canvas must
    // be the one given to Begin, and those rows finished.
    void Copy(const QImage& canvas, const QRect& rows);
    // Begin and Copy of every row.
    void Present(const QImage& canvas, const QRect& source) {
        Begin(canvas, source);
        Copy(canvas, canvas.rect());
    }

    // True when the buffer was last readied for `source` of a canvas of `canvas`'s size
    // and format.
    bool Holds(const QImage& canvas, const QRect& source) const {
        return m_asked == source && m_canvasSize == canvas.size() &&
               m_image.format() == canvas.format() && !m_image.isNull();
    }

    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
    QRect m_asked;
    QSize m_canvasSize;
    QRect m_source;
    uchar* m_bits = nullptr;  // taken on the owning thread: scanLine would touch the header
    qsizetype m_stride = 0;
};

}  // namespace plk
