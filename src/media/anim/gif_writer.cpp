#include <gif_lib.h>
#include <libimagequant.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "core/io/file_error.h"
#include "core/io/file_io.h"
#include "core/playback/animation_timing.h"
#include "media/anim/animation_writer.h"

namespace plk {
namespace {

constexpr int kMaxDelayCs = 0xFFFF;
// Viewers show a delay of 0 or 1 centisecond as a tenth of a second, so no frame is that
// short: a shorter one is left out and the frame before it stays on show for its time.
constexpr int kMinDelayCs = 2;
constexpr int kTransparentIndex = 255;

struct LiqAttrDeleter {
    void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct LiqImageDeleter {
    void operator()(liq_image* image) const { liq_image_destroy(image); }
};
struct LiqResultDeleter {
    void operator()(liq_result* result) const { liq_result_destroy(result); }
};
struct ColorMapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// The smallest rectangle holding every pixel where the two pictures differ; empty when
// they are the same.
QRect ChangedRect(const QImage& before, const QImage& after) {
    const int width = after.width();
    const int height = after.height();
    const auto line = [](const QImage& image, int y) {
        return reinterpret_cast<const QRgb*>(image.constScanLine(y));
    };
    const auto rowDiffers = [&](int y) {
        return std::memcmp(line(before, y), line(after, y),
                           static_cast<std::size_t>(width) * sizeof(QRgb)) != 0;
    };
    int top = 0;
    while (top < height && !rowDiffers(top)) {
        ++top;
    }
    if (top == height) {
        return {};
    }
    int bottom = height - 1;
    while (!rowDiffers(bottom)) {
        --bottom;
    }
    int left = width;
    int right = -1;
    for (int y = top; y <= bottom; ++y) {
        const QRgb* a = line(before, y);
        const QRgb* b = line(after, y);
        int x = 0;
        while (x < left && a[x] == b[x]) {
            ++x;
        }
        left = std::min(left, x);
        int r = width - 1;
        while (r > right && a[r] == b[r]) {
            --r;
        }
        right = std::max(right, r);
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

class GifWriter final : public AnimationWriter {
public:
    GifWriter(const std::filesystem::path& out, QSize size)
        : m_out(out), m_file(out), m_size(size) {
        int error = 0;
        m_gif = EGifOpen(this, &GifWriter::Output, &error);
        if (!m_gif) {
            Fail(error);
        }
        EGifSetGifVersion(m_gif, true);
        Check(EGifPutScreenDesc(m_gif, size.width(), size.height(), 8, 0, nullptr));
        // The application extension that makes viewers loop forever.
        static constexpr GifByteType kLoop[] = {1, 0, 0};
        Check(EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE));
        Check(EGifPutExtensionBlock(m_gif, 11, "NETSCAPE2.0"));
        Check(EGifPutExtensionBlock(m_gif, 3, kLoop));
        Check(EGifPutExtensionTrailer(m_gif));

        m_attr.reset(liq_attr_create());
        if (!m_attr) {
            throw std::bad_alloc();
        }
        liq_set_speed(m_attr.get(), 6);
    }

    ~GifWriter() override {
        if (m_gif) {
            int error = 0;
            EGifCloseFile(m_gif, &error);
        }
    }

    void AddFrame(const QImage& picture, std::int64_t startMs, std::int64_t durationMs) override {
        if (!m_pending.isNull() && CentisecondDelay(startMs, startMs + durationMs) < kMinDelayCs) {
            return;  // too short for viewers: the frame before stays on show instead
        }
        if (!m_pending.isNull()) {
            WriteFrame(m_pending, CentisecondDelay(m_pendingStartMs, startMs));
        }
        m_pending = picture;
        m_pendingStartMs = startMs;
    }

    void Finish(std::int64_t endMs) override {
        if (!m_pending.isNull()) {
            WriteFrame(m_pending, CentisecondDelay(m_pendingStartMs, endMs));
        }
        int error = 0;
        GifFileType* gif = std::exchange(m_gif, nullptr);
        if (EGifCloseFile(gif, &error) != GIF_OK) {
            Fail(error);
        }
        if (m_writeFailed) {
            std::rethrow_exception(m_writeFailed);
        }
        m_file.Commit();
    }

private:
    static int Output(GifFileType* gif, const GifByteType* bytes, int size) {
        auto* self = static_cast<GifWriter*>(gif->UserData);
        if (self->m_writeFailed) {
            return 0;
        }
        try {
            self->m_file.Write(bytes, static_cast<std::size_t>(size));
        } catch (...) {
            self->m_writeFailed = std::current_exception();
            return 0;
        }
        return size;
    }

    void WriteFrame(const QImage& picture, int delay) {
        const bool first = m_previous.isNull();
        const QRect changed = first ? picture.rect() : ChangedRect(m_previous, picture);
        if (changed.isEmpty()) {
            WriteHold(delay);
            return;
        }
        const int now = std::clamp(delay, 0, kMaxDelayCs);
        WriteChange(picture, changed, first, now);
        WriteHold(delay - now);
        m_previous = picture;
    }

    [[noreturn]] void Fail(int error) {
        if (m_writeFailed) {
            std::rethrow_exception(m_writeFailed);
        }
        const char* text = GifErrorString(error);
        throw FileError(FileError::Kind::Generic, m_out,
                        std::string("the GIF could not be written: ") + (text ? text : "?"));
    }

    void Check(int status) {
        if (status != GIF_OK) {
            Fail(m_gif ? m_gif->Error : 0);
        }
    }

    void PutControl(int delay, bool transparent) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = delay;
        control.TransparentColor = transparent ? kTransparentIndex : NO_TRANSPARENT_COLOR;
        GifByteType bytes[4];
        EGifGCBToExtension(&control, bytes);
        Check(EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, 4, bytes));
    }

    // Keeps the picture on show `delay` centiseconds longer: one transparent pixel per
    // longest delay.
    void WriteHold(int delay) {
        while (delay > 0) {
            const int now = std::min(delay, kMaxDelayCs);
            PutControl(now, true);
            std::unique_ptr<ColorMapObject, ColorMapDeleter> map(GifMakeMapObject(256, nullptr));
            if (!map) {
                throw std::bad_alloc();
            }
            Check(EGifPutImageDesc(m_gif, 0, 0, 1, 1, false, map.get()));
            GifPixelType pixel = kTransparentIndex;
            Check(EGifPutLine(m_gif, &pixel, 1));
            delay -= now;
        }
    }

    void WriteChange(const QImage& picture, const QRect& rect, bool first, int delay) {
        const QImage part = picture.copy(rect).convertToFormat(QImage::Format_RGBA8888);
        const int width = rect.width();
        const int height = rect.height();
        // The first frame may use every colour; later ones keep the last index for the
        // pixels they leave as they were.
        liq_set_max_colors(m_attr.get(), first ? 256 : 255);
        std::vector<const void*> rows(static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) {
            rows[static_cast<std::size_t>(y)] = part.constScanLine(y);
        }
        std::unique_ptr<liq_image, LiqImageDeleter> image(liq_image_create_rgba_rows(
            m_attr.get(), const_cast<void**>(rows.data()), width, height, 0));
        if (!image) {
            throw std::bad_alloc();
        }
        liq_result* quantized = nullptr;
        if (liq_image_quantize(image.get(), m_attr.get(), &quantized) != LIQ_OK) {
            throw FileError(FileError::Kind::Generic, m_out, "the GIF palette could not be made");
        }
        std::unique_ptr<liq_result, LiqResultDeleter> result(quantized);
        liq_set_dithering_level(result.get(), 1.0f);
        std::vector<unsigned char> indices(static_cast<std::size_t>(width) * height);
        if (liq_write_remapped_image(result.get(), image.get(), indices.data(), indices.size()) !=
            LIQ_OK) {
            throw FileError(FileError::Kind::Generic, m_out, "the GIF frame could not be mapped");
        }
        const liq_palette* palette = liq_get_palette(result.get());

        std::array<GifColorType, 256> colours{};
        for (unsigned i = 0; i < palette->count && i < colours.size(); ++i) {
            colours[i] = {palette->entries[i].r, palette->entries[i].g, palette->entries[i].b};
        }
        if (!first) {
            for (int y = 0; y < height; ++y) {
                const auto* before =
                    reinterpret_cast<const QRgb*>(m_previous.constScanLine(rect.top() + y)) +
                    rect.left();
                const auto* after =
                    reinterpret_cast<const QRgb*>(picture.constScanLine(rect.top() + y)) +
                    rect.left();
                unsigned char* out = indices.data() + static_cast<std::size_t>(y) * width;
                for (int x = 0; x < width; ++x) {
                    if (before[x] == after[x]) {
                        out[x] = kTransparentIndex;
                    }
                }
            }
        }

        PutControl(delay, !first);
        std::unique_ptr<ColorMapObject, ColorMapDeleter> map(GifMakeMapObject(256, colours.data()));
        if (!map) {
            throw std::bad_alloc();
        }
        Check(EGifPutImageDesc(m_gif, rect.left(), rect.top(), width, height, false, map.get()));
        for (int y = 0; y < height; ++y) {
            Check(EGifPutLine(m_gif, indices.data() + static_cast<std::size_t>(y) * width, width));
        }
    }

    std::filesystem::path m_out;
    AtomicFileWriter m_file;
    QSize m_size;
    GifFileType* m_gif = nullptr;
    std::unique_ptr<liq_attr, LiqAttrDeleter> m_attr;
    QImage m_previous;  // the last picture written, as given
    QImage m_pending;   // the frame whose delay is known once the next one is kept
    std::int64_t m_pendingStartMs = 0;
    std::exception_ptr m_writeFailed;
};

}  // namespace

std::unique_ptr<AnimationWriter> MakeGifWriter(const std::filesystem::path& out, QSize size) {
    return std::make_unique<GifWriter>(out, size);
}

}  // namespace plk
