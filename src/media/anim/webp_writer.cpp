#include <webp/encode.h>
#include <webp/mux.h>

#include <limits>
#include <memory>

#include "core/io/file_error.h"
#include "core/io/file_io.h"
#include "media/anim/animation_writer.h"

namespace plk {
namespace {

struct EncoderDeleter {
    void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
};

class WebpWriter final : public AnimationWriter {
public:
    WebpWriter(const std::filesystem::path& out, QSize size, std::optional<int> lossyQuality)
        : m_out(out), m_file(out), m_size(size) {
        WebPAnimEncoderOptions options;
        if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&m_config)) {
            Fail("the WebP encoder does not match its library");
        }
        options.anim_params.loop_count = 0;
        options.allow_mixed = 0;
        m_config.lossless = lossyQuality ? 0 : 1;
        if (lossyQuality) {
            m_config.quality = static_cast<float>(*lossyQuality);
        }
        m_encoder.reset(WebPAnimEncoderNew(size.width(), size.height(), &options));
        if (!m_encoder) {
            Fail("the WebP encoder could not be created");
        }
    }

    void AddFrame(const QImage& picture, std::int64_t startMs, std::int64_t) override {
        WebPPicture frame;
        if (!WebPPictureInit(&frame)) {
            Fail("the WebP encoder does not match its library");
        }
        frame.use_argb = 1;
        frame.width = picture.width();
        frame.height = picture.height();
        // Format_ARGB32 lies in memory as B, G, R, A on the little-endian hosts we build for.
        const bool imported = WebPPictureImportBGRA(&frame, picture.constBits(),
                                                    static_cast<int>(picture.bytesPerLine())) != 0;
        const bool added =
            imported && WebPAnimEncoderAdd(m_encoder.get(), &frame, Timestamp(startMs), &m_config);
        WebPPictureFree(&frame);
        if (!added) {
            Fail(imported ? WebPAnimEncoderGetError(m_encoder.get()) : "out of memory");
        }
    }

    void Finish(std::int64_t endMs) override {
        WebPData data;
        WebPDataInit(&data);
        if (!WebPAnimEncoderAdd(m_encoder.get(), nullptr, Timestamp(endMs), nullptr) ||
            !WebPAnimEncoderAssemble(m_encoder.get(), &data)) {
            Fail(WebPAnimEncoderGetError(m_encoder.get()));
        }
        std::unique_ptr<WebPData, void (*)(WebPData*)> owned(&data, WebPDataClear);
        m_file.Write(data.bytes, data.size);
        m_file.Commit();
    }

private:
    int Timestamp(std::int64_t ms) const {
        if (ms > std::numeric_limits<int>::max()) {
            Fail("the animation is too long for WebP");
        }
        return static_cast<int>(ms);
    }

    [[noreturn]] void Fail(const char* what) const {
        throw FileError(FileError::Kind::Generic, m_out,
                        std::string("the WebP could not be written: ") + (what ? what : "?"));
    }

    std::filesystem::path m_out;
    AtomicFileWriter m_file;  // opened first, so a bad target fails before any encoding
    QSize m_size;
    WebPConfig m_config{};
    std::unique_ptr<WebPAnimEncoder, EncoderDeleter> m_encoder;
};

}  // namespace

std::unique_ptr<AnimationWriter> MakeWebpWriter(const std::filesystem::path& out, QSize size,
                                                std::optional<int> lossyQuality) {
    return std::make_unique<WebpWriter>(out, size, lossyQuality);
}

}  // namespace plk
