#include "media/render/front_buffer.h"

#include <algorithm>
#include <cstring>

namespace plk {

void FrontBuffer::Begin(const QImage& canvas, const QRect& source) {
    m_asked = source;
    m_canvasSize = canvas.size();
    // As QImage::copy reads its rectangle: a null one means all of it.
    m_source = source.isNull() ? canvas.rect() : source & canvas.rect();
    if (m_source.isEmpty() || canvas.isNull()) {
        m_source = QRect();
        m_image = QImage();
        m_bits = nullptr;
        return;
    }
    if (m_image.size() != m_source.size() || m_image.format() != canvas.format()) {
        m_image = QImage(m_source.size(), canvas.format());
    }
    m_bits = m_image.isNull() ? nullptr : m_image.bits();  // detaches a shared buffer
    m_stride = m_image.bytesPerLine();
}

void FrontBuffer::Copy(const QImage& canvas, const QRect& rows) {
    if (m_bits == nullptr) {
        return;
    }
    const int first = std::max(rows.top(), m_source.top());
    const int last = std::min(rows.bottom(), m_source.bottom());
    const int pixelBytes = canvas.depth() / 8;
    const std::size_t lineBytes = static_cast<std::size_t>(m_source.width()) * pixelBytes;
    const uchar* from = canvas.constBits() + static_cast<qsizetype>(m_source.left()) * pixelBytes;
    for (int y = first; y <= last; ++y) {
        std::memcpy(m_bits + (y - m_source.top()) * m_stride, from + y * canvas.bytesPerLine(),
                    lineBytes);
    }
}

}  // namespace plk
