#pragma once

#include <QDialog>

#include "core/content/resource_table.h"
#include "core/timesheet/cut.h"
#include "media/anim/animation_export.h"

class QComboBox;
class QLabel;
class QSpinBox;

namespace plk {

// "アニメーションを書き出す": how the current cut is played and kept in an animated GIF or
// WebP. The playback runs on virtual time as `plkce-cli anim` runs it; 長さを調べる plays it
// once without writing and shows how long the animation lasts and how many frames it has.
class CAnimationExportDialog : public QDialog {
    Q_OBJECT
public:
    CAnimationExportDialog(QWidget* parent, const Cut& cut, const ResourceTable& palette);

    // The options as chosen; the format follows the file name chosen afterwards.
    AnimationExportOptions Options() const;
    // The length the last measure found, 0 before one.
    std::int64_t MeasuredMs() const { return m_measuredMs; }

private:
    void Measure();

    const Cut& m_cut;
    const ResourceTable& m_palette;
    QComboBox* m_mode = nullptr;
    QSpinBox* m_speed = nullptr;
    QSpinBox* m_seconds = nullptr;
    QSpinBox* m_clickEvery = nullptr;
    QComboBox* m_region = nullptr;
    QSpinBox* m_scale = nullptr;
    QSpinBox* m_quality = nullptr;
    QLabel* m_summary = nullptr;
    std::int64_t m_measuredMs = 0;
};

}  // namespace plk
