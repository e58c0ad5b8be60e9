#include "editor/timesheet/page_playback.h"

#include <QHBoxLayout>
#include <algorithm>
#include <memory>

#include "editor/content/resource_palette.h"
#include "editor/timesheet/locked_cut_reader.h"
#include "editor/timesheet/palette_snapshot.h"
#include "editor/timesheet/playback_controls.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

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
    // The preview follows the sheet: the row the author chooses is drawn, and so is every
    // change of the frame on show (neither while the page plays).
    QObject::connect(page, &CTimeSheet::activeRowChanged, controls, [page, controls](int row) {
        const Cut& cut = page->GetCut();
        if (row < 0 || row >= cut.FrameCount()) {
            return;
        }
        // A control row shows the normal frame before it.
        const int before = cut.NormalFramesBefore(row);
        controls->ShowFrameNumber(std::max(1, before + (cut.Frame(row).IsNormal() ? 1 : 0)));
    });
    QObject::connect(page, &CTimeSheet::cutEdited, controls, [page, controls] {
        if (page->Sheet() == nullptr || page->Sheet()->CurrentPage() == page) {
            controls->RedrawFrame();
        }
    });
    QObject::connect(page, &CTimeSheet::playbackMustEnd, controls, &CPlaybackControls::StopAndWait,
                     Qt::DirectConnection);
    return controls;
}

}  // namespace plk
