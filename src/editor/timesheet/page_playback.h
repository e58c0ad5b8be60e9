#pragma once

namespace plk {

class CPlaybackControls;
class CTimeSheet;

// Gives a time-sheet page its playback controls: placed in the page's upper row, reading
// the page's cut under its mutex and a copy of the palette taken on this thread, the frame
// slider following the number of normal frames, a command playback stopped by the page's
// tab-change request, and any playback ended (and waited for) before the page goes.
CPlaybackControls* AttachPlaybackControls(CTimeSheet* page);

}  // namespace plk
