#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/message_layout.h"

namespace plk {

// The message strip: Shift-JIS text typed one character per step into an 800 x 96 canvas
// in the 32-pixel "ＭＳ ゴシック" (the system's match for it), light grey on black, then
// copied into the "MESSAGETEXTURE" texture with the black made transparent.
class MessageCanvas {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 96;
    static constexpr int kFontHeight = 32;
    static constexpr const char* kFaceName = "ＭＳ ゴシック";

    struct GlyphMetrics {
        int advance = 0;
        int height = 0;
    };

    MessageCanvas();
    ~MessageCanvas();
    MessageCanvas(const MessageCanvas&) = delete;
    MessageCanvas& operator=(const MessageCanvas&) = delete;

    // Creates the canvas and the font of key 0. False only when the canvas cannot be
    // made; a missing font leaves a canvas on which no text appears.
    bool InitCanvas(int width = kWidth, int height = kHeight);
    void Shutdown();
    bool HasFont() const;
    // The file the font came from (empty without one).
    std::string FontFile() const;

    // Pen, progress and line to the start; the pixels of `rect` (default: all) to black.
    void ClearCanvas(std::optional<QRect> rect = std::nullopt);
    bool IsMessageComplete(std::string_view text) const { return m_layout.IsComplete(text); }
    // Lays out the next character (every remaining one with `allAtOnce`) in the font of
    // `fontKey`, then copies the canvas into "MESSAGETEXTURE" when the store holds it.
    // True once the whole text is laid out. `placed` receives the characters drawn.
    bool LayoutMessage(std::string_view text, int fontKey, bool allAtOnce,
                       std::vector<PlacedCharacter>* placed = nullptr);
    // Draws one character at `pen` (its cell's top-left corner): upright, on the baseline
    // at pen y + ascent, replacing the pixels under its box.
    GlyphMetrics DrawGlyph(int code, QPoint pen, int fontKey);

    // A canvas of its own (the message browser's line preview) leaves the playback's
    // "MESSAGETEXTURE" alone.
    void SetCopiesToTexture(bool copies) { m_copiesToTexture = copies; }

    const MessageLayout& Layout() const { return m_layout; }
    // The canvas as an opaque picture (grey on black).
    QImage Image() const;
    // One canvas pixel: 0 for black, else 0x00gggggg with g in 192..255.
    std::uint32_t Pixel(int x, int y) const {
        return m_pixels[static_cast<std::size_t>(y * m_width + x)];
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Ascent() const;

private:
    struct Font;
    struct Glyph;
    const Glyph* FindGlyph(Font& font, int code);
    void CopyToTexture() const;

    std::vector<std::uint32_t> m_pixels;
    int m_width = 0;
    int m_height = 0;
    MessageLayout m_layout;
    bool m_dirty = true;  // the texture lags behind the canvas
    bool m_copiesToTexture = true;
    std::map<int, std::unique_ptr<Font>> m_fonts;
};

}  // namespace plk
