#include "png_writer.h"

#include <spng.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace plk::tools {

std::vector<std::uint8_t> EncodePng(const Canvas& canvas) {
    std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> context(spng_ctx_new(SPNG_CTX_ENCODER),
                                                                &spng_ctx_free);
    if (!context) {
        throw std::runtime_error("cannot create a PNG encoder");
    }
    spng_set_option(context.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr header{};
    header.width = static_cast<std::uint32_t>(canvas.Width());
    header.height = static_cast<std::uint32_t>(canvas.Height());
    header.bit_depth = 8;
    header.color_type = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    spng_set_ihdr(context.get(), &header);

    const std::vector<Rgba>& pixels = canvas.Pixels();
    int error = spng_encode_image(context.get(), pixels.data(), pixels.size() * sizeof(Rgba),
                                  SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
    if (error != 0) {
        throw std::runtime_error(std::string("PNG encoding failed: ") + spng_strerror(error));
    }
    std::size_t length = 0;
    void* buffer = spng_get_png_buffer(context.get(), &length, &error);
    if (buffer == nullptr || error != 0) {
        throw std::runtime_error(std::string("PNG encoding failed: ") + spng_strerror(error));
    }
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    std::vector<std::uint8_t> png(bytes, bytes + length);
    std::free(buffer);
    return png;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

}  // namespace plk::tools
