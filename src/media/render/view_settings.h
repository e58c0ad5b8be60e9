#pragma once

#include <QColor>
#include <array>
#include <cstdint>
#include <string>

namespace plk {

enum class Guide {
    CentreCrossbar,
    ResourceCrossbar,
    ScreenFrame,    // the game's 800 x 600 screen
    MessageWindow,  // the game's message window and name plate
    MenuIcon,
};
inline constexpr int kGuideCount = 5;

// What the preview's control panel sets and the drawing reads.
struct ViewSettings {
    std::array<bool, kGuideCount> guides{};
    std::uint8_t backgroundRed = 0;
    std::uint8_t backgroundGreen = 0;
    std::uint8_t backgroundBlue = 0;
    std::string backgroundImagePath;
    std::string backgroundImageName;  // its key in the texture store
    std::uint8_t backgroundImageAlpha = 100;
    float zoom = 1.0f;
    float gridSpacing = 0.0f;  // 1.0 or less: no grid
    // Onion skin of a still frame: the normal frames on each side drawn faintly beneath it.
    bool onionSkin = false;
    int onionDepth = 2;  // 1..3 on each side

    bool GuideOn(Guide guide) const { return guides[static_cast<std::size_t>(guide)]; }
    void SetGuide(Guide guide, bool on) { guides[static_cast<std::size_t>(guide)] = on; }
    QColor Background() const { return QColor(backgroundRed, backgroundGreen, backgroundBlue); }
};

// Names of the built-in images in the texture store.
inline constexpr const char* kMenuIconGuideName = "edit メニューアイコン ガイド.pr3";
inline constexpr const char* kMessageWindowGuideName =
    "edit キャラクターメッセージウインドウ ガイド.pr3";
inline constexpr const char* kNameFontName = "キャラクター名用英文字フォント01.pr3";
inline constexpr const char* kMessageTextureName = "MESSAGETEXTURE";

}  // namespace plk
