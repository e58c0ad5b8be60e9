#pragma once

#include <QCoreApplication>
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
// Japanese source texts, shown through the panel's translation (see PanelText).
inline constexpr std::array<const char*, kGuideCount> kGuideTexts = {
    QT_TRANSLATE_NOOP("plk::CPreViewCtrl", "中央クロスバー"),
    QT_TRANSLATE_NOOP("plk::CPreViewCtrl", "中央クロスバー（リソース）"),
    QT_TRANSLATE_NOOP("plk::CPreViewCtrl", "800×600枠"),
    QT_TRANSLATE_NOOP("plk::CPreViewCtrl", "キャラクターメッセージ"),
    QT_TRANSLATE_NOOP("plk::CPreViewCtrl", "キャラクターメニューアイコン")};

// Grid list: item i draws lines 2 to the power of i pixels apart; item 0 (spacing 1)
// draws none.
inline constexpr std::array<const char*, 7> kGridTexts = {
    QT_TRANSLATE_NOOP("plk::CPreViewCtrl", "なし"), "2", "4", "8", "16", "32", "64"};

// A text of the tables above as the panel shows it, in the editor's language.
inline QString PanelText(const char* source) {
    return QCoreApplication::translate("plk::CPreViewCtrl", source);
}

}  // namespace plk
