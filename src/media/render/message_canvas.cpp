#include "media/render/message_canvas.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <mutex>

#include "core/text/sjis.h"
#include "media/render/frame_lock.h"
#include "media/render/texture_store.h"
#include "media/render/view_settings.h"

namespace plk {
namespace {

// The file fontconfig matches for a face name in Japanese text, or empty.
std::pair<std::string, int> MatchFontFile(const char* family) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return {};
    }
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    std::pair<std::string, int> found;
    if (match != nullptr) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            found = {reinterpret_cast<const char*>(file), index};
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return found;
}

// The Unicode code point of one Shift-JIS character, or 0 when it has none.
char32_t CodePointOf(int code) {
    std::string bytes;
    if (code > 0xFF) {
        bytes.push_back(static_cast<char>(code >> 8));
    }
    bytes.push_back(static_cast<char>(code & 0xFF));
    const std::string utf8 = SjisToUtf8(bytes);
    if (utf8.empty()) {
        return 0;
    }
    const auto* u = reinterpret_cast<const unsigned char*>(utf8.data());
    char32_t point = 0;
    if (u[0] < 0x80) {
        point = u[0];
    } else if ((u[0] & 0xE0) == 0xC0 && utf8.size() >= 2) {
        point = static_cast<char32_t>(((u[0] & 0x1F) << 6) | (u[1] & 0x3F));
    } else if ((u[0] & 0xF0) == 0xE0 && utf8.size() >= 3) {
        point = static_cast<char32_t>(((u[0] & 0x0F) << 12) | ((u[1] & 0x3F) << 6) | (u[2] & 0x3F));
    } else if ((u[0] & 0xF8) == 0xF0 && utf8.size() >= 4) {
        point = static_cast<char32_t>(((u[0] & 0x07) << 18) | ((u[1] & 0x3F) << 12) |
                                      ((u[2] & 0x3F) << 6) | (u[3] & 0x3F));
    }
    return point == 0xFFFD ? 0 : point;
}

// 8-bit coverage to the 65 grey levels of the glyph bitmaps, then to the canvas colour:
// level 0 is black, level L the grey 191 + L.
std::uint32_t CanvasGrey(unsigned coverage) {
    const unsigned level = (coverage * 64 + 127) / 255;
    if (level == 0) {
        return 0;
    }
    const unsigned grey = 191 + level;
    return (grey << 16) | (grey << 8) | grey;
}

}  // namespace

struct MessageCanvas::Glyph {
    int left = 0;   // from the pen x
    int top = 0;    // from the baseline, upwards
    int width = 0;  // the black box width rounded up to a multiple of 4
    int rows = 0;
    int advance = 0;
    std::vector<std::uint32_t> pixels;  // width x rows canvas colours
};

struct MessageCanvas::Font {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string file;
    int height = 0;
    int ascent = 0;
    std::map<int, Glyph> glyphs;

    ~Font() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }
};

MessageCanvas::MessageCanvas() = default;
MessageCanvas::~MessageCanvas() = default;

bool MessageCanvas::InitCanvas(int width, int height) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    m_layout.Clear();
    m_dirty = true;
    m_fonts.clear();

    auto font = std::make_unique<Font>();
    const auto [file, index] = MatchFontFile(kFaceName);
    if (!file.empty() && FT_Init_FreeType(&font->library) == 0 &&
        FT_New_Face(font->library, file.c_str(), index, &font->face) == 0) {
        // The face the program names fills its 32-pixel cell with its em (ascent and
        // descent add up to the em), so a full-width character is 32 pixels wide and a
        // half-width one 16. The match is sized the same way: em = 32 pixels, whatever
        // room its own ascent and descent claim.
        FT_Face face = font->face;
        FT_Set_Pixel_Sizes(face, 0, kFontHeight);
        const double ascender = face->units_per_EM > 0 && face->ascender > 0
                                    ? static_cast<double>(face->ascender) / face->units_per_EM
                                    : 0.88;
        font->file = file;
        font->height = kFontHeight;
        font->ascent = std::min(kFontHeight, static_cast<int>(ascender * kFontHeight + 0.5));
        m_fonts.emplace(0, std::move(font));
    }
    return true;
}

void MessageCanvas::Shutdown() {
    m_fonts.clear();
    m_pixels.clear();
    m_width = m_height = 0;
    m_layout.Clear();
}

bool MessageCanvas::HasFont() const {
    return m_fonts.count(0) != 0;
}

std::string MessageCanvas::FontFile() const {
    auto it = m_fonts.find(0);
    return it == m_fonts.end() ? std::string() : it->second->file;
}

int MessageCanvas::Ascent() const {
    auto it = m_fonts.find(0);
    return it == m_fonts.end() ? 0 : it->second->ascent;
}

void MessageCanvas::ClearCanvas(std::optional<QRect> rect) {
    m_layout.Clear();
    m_dirty = true;
    const QRect area =
        rect.value_or(QRect(0, 0, m_width, m_height)).intersected(QRect(0, 0, m_width, m_height));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::fill_n(m_pixels.begin() + y * m_width + area.left(), area.width(), 0u);
    }
}

const MessageCanvas::Glyph* MessageCanvas::FindGlyph(Font& font, int code) {
    auto it = font.glyphs.find(code);
    if (it != font.glyphs.end()) {
        return &it->second;
    }
    Glyph glyph;
    const char32_t point = CodePointOf(code);
    const FT_UInt index = point != 0 ? FT_Get_Char_Index(font.face, point) : 0;
    if (FT_Load_Glyph(font.face, index, FT_LOAD_RENDER | FT_LOAD_NO_BITMAP) == 0) {
        const FT_GlyphSlot slot = font.face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.width = (static_cast<int>(bitmap.width) + 3) & ~3;
        glyph.pixels.assign(static_cast<std::size_t>(glyph.width * glyph.rows), 0);
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
            for (int x = 0; x < static_cast<int>(bitmap.width); ++x) {
                glyph.pixels[static_cast<std::size_t>(y * glyph.width + x)] = CanvasGrey(row[x]);
            }
        }
    }
    return &font.glyphs.emplace(code, std::move(glyph)).first->second;
}

MessageCanvas::GlyphMetrics MessageCanvas::DrawGlyph(int code, QPoint pen, int fontKey) {
    auto it = m_fonts.find(fontKey);
    if (it == m_fonts.end()) {
        return {};  // no such font: nothing drawn, no advance, no height
    }
    Font& font = *it->second;
    const Glyph* glyph = FindGlyph(font, code);
    m_dirty = true;
    const int left = pen.x() + glyph->left;
    const int top = pen.y() + font.ascent - glyph->top;
    for (int y = 0; y < glyph->rows; ++y) {
        const int cy = top + y;
        if (cy < 0 || cy >= m_height) {
            continue;
        }
        for (int x = 0; x < glyph->width; ++x) {
            const int cx = left + x;
            if (cx >= 0 && cx < m_width) {
                m_pixels[static_cast<std::size_t>(cy * m_width + cx)] =
                    glyph->pixels[static_cast<std::size_t>(y * glyph->width + x)];
            }
        }
    }
    return {glyph->advance, font.height};
}

bool MessageCanvas::LayoutMessage(std::string_view text, int fontKey, bool allAtOnce,
                                  std::vector<PlacedCharacter>* placed) {
    if (m_width > 0) {
        auto font = m_fonts.find(fontKey);
        const int lineHeight = font == m_fonts.end() ? 0 : font->second->height;
        do {
            if (m_layout.IsComplete(text)) {
                break;
            }
            // The layout asks for the advance with its pen still at the character's cell.
            auto character = m_layout.Step(text, lineHeight, [&](int code) {
                return DrawGlyph(code, QPoint(m_layout.PenX(), m_layout.PenY()), fontKey).advance;
            });
            if (character && placed != nullptr) {
                placed->push_back(*character);
            }
        } while (allAtOnce);
        // A complete text redrawn pass after pass changes nothing: the texture keeps it.
        if (m_dirty && m_copiesToTexture) {
            CopyToTexture();
            m_dirty = false;
        }
    }
    return m_layout.IsComplete(text);
}

void MessageCanvas::CopyToTexture() const {
    std::lock_guard lock(FrameMutex());
    TextureEntry* entry = TextureStore::Instance().Find(kMessageTextureName);
    if (entry == nullptr || !entry->HasTexture()) {
        return;
    }
    for (std::uint32_t row = 0; row < entry->tilesY; ++row) {
        for (std::uint32_t column = 0; column < entry->tilesX; ++column) {
            TextureTile& tile = entry->tiles[row * entry->tilesX + column];
            QImage& texture = tile.texture;
            if (texture.format() != QImage::Format_ARGB32_Premultiplied &&
                texture.format() != QImage::Format_ARGB32 &&
                texture.format() != QImage::Format_RGB32) {
                continue;  // another format receives nothing
            }
            const int x0 = static_cast<int>(column * entry->tileWidth);
            const int y0 = static_cast<int>(row * entry->tileHeight);
            const int w = std::min(texture.width(), m_width - x0);
            const int h = std::min(texture.height(), m_height - y0);
            for (int y = 0; y < h; ++y) {
                auto* out = reinterpret_cast<std::uint32_t*>(texture.scanLine(y));
                const std::uint32_t* in =
                    &m_pixels[static_cast<std::size_t>((y0 + y) * m_width + x0)];
                for (int x = 0; x < w; ++x) {
                    out[x] = in[x] != 0 ? (in[x] | 0xFF000000u) : 0u;
                }
            }
        }
    }
}

QImage MessageCanvas::Image() const {
    QImage image(m_width, m_height, QImage::Format_RGB32);
    for (int y = 0; y < m_height; ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < m_width; ++x) {
            out[x] = 0xFF000000u | m_pixels[static_cast<std::size_t>(y * m_width + x)];
        }
    }
    return image;
}

}  // namespace plk
