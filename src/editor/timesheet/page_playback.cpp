#include "editor/timesheet/page_playback.h"

#include <QHBoxLayout>
#include <memory>

#include "editor/content/resource_palette.h"
#include "editor/timesheet/locked_cut_reader.h"
#include "editor/timesheet/palette_snapshot.h"
#include "editor/timesheet/playback_controls.h"
#include "editor/timesheet/time_sheet.h"

namespace plk {

CPlaybackControls* AttachPlaybackControls(CTimeSheet* page) {
    auto palette = std::make_shared<PaletteSnapshot>();
    auto refreshPalette = [page, palette] {
        if (page->Palette() != nullptr) {
            palette->Update(page->Palette()->Table());
        }
    };
    refreshPalette();
    auto* controls = new CPlaybackControls(
        std::make_unique<LockedCutReader>(page->GetCut(), page->CutMutex()),
        [palette] { return palette->Get(); }, page);
    {
        std::lock_guard lock(page->CutMutex());
        const Cut& cut = page->GetCut();
        controls->SetFrameCount(cut.CountNormalFrames(0, cut.FrameCount()));
    }
    page->UpperLayout()->addWidget(controls);

    QObject::connect(controls, &CPlaybackControls::aboutToStartPlayback, page, refreshPalette);
    QObject::connect(controls, &CPlaybackControls::aboutToDrawFrame, page, refreshPalette);
    QObject::connect(page, &CTimeSheet::normalFrameCountChanged, controls,
                     &CPlaybackControls::SetFrameCount);
    QObject::connect(page, &CTimeSheet::commandPlaybackStopRequested, controls,
                     &CPlaybackControls::RequestCommandStop);
    QObject::connect(page, &CTimeSheet::playbackMustEnd, controls, &CPlaybackControls::StopAndWait,
                     Qt::DirectConnection);
    return controls;
}

}  // namespace plk
