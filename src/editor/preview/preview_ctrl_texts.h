#pragma once

#include <QString>
#include <array>

#include "media/render/view_settings.h"

namespace plk {

// Zoom steps: the view is scaled by 2 to the power of the step.
inline constexpr int kMinZoomStep = -3;
inline constexpr int kMaxZoomStep = 5;

inline QString ZoomStepText(int step) {
    static const std::array<QString, kMaxZoomStep - kMinZoomStep + 1> texts = {
        QStringLiteral("×0.125"), QStringLiteral("×0.25"), QStringLiteral("×0.5"),
        QStringLiteral("×1.0"),   QStringLiteral("×2.0"),  QStringLiteral("×4.0"),
        QStringLiteral("×8.0"),   QStringLiteral("×16.0"), QStringLiteral("×32.0")};
    return texts.at(static_cast<std::size_t>(step - kMinZoomStep));
}

// The background image button before any choice, and after the image is taken away.
inline const QString kNoImageYetText = QStringLiteral("No Files");
inline const QString kNoImageText = QStringLiteral("No File");

// The guide check boxes carry consecutive ids, in the order of the renderer's switches.
inline constexpr int kFirstGuideId = 1018;
inline const std::array<QString, kGuideCount> kGuideTexts = {
    QStringLiteral("中央クロスバー"), QStringLiteral("中央クロスバー（リソース）"),
    QStringLiteral("800×600枠"), QStringLiteral("キャラクターメッセージ"),
    QStringLiteral("キャラクターメニューアイコン")};

// Grid list: item i draws lines 2 to the power of i pixels apart; item 0 (spacing 1)
// draws none.
inline const std::array<QString, 7> kGridTexts = {
    QStringLiteral("なし"), QStringLiteral("2"),  QStringLiteral("4"), QStringLiteral("8"),
    QStringLiteral("16"),   QStringLiteral("32"), QStringLiteral("64")};

}  // namespace plk
