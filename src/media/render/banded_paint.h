#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <vector>

#include "media/render/band_pool.h"

namespace plk {

// Banded painting draws each sprite in strips of at most this many rows. Qt's raster engine
// hands a blend of 96 or more spans to its own small thread pool and waits for it; the band
// threads would all queue on that pool, so each blend stays under that size (a quad gives one
// span a row). Within that, taller strips cost less: each strip brings the textures it
// crosses into the cache again.
inline constexpr int kStripRows = 88;
// Chunks are planned in whole slices of this many rows (the last one may be shorter)...
inline constexpr int kPlanSliceRows = 8;
// ...and hold at least this many rows, below which a chunk's own cost (each sprite set up
// and its texture loaded again) outweighs the balance it buys.
inline constexpr int kMinChunkRows = 3 * kPlanSliceRows;

// The chunks the band threads take one after another, top to bottom, for a `width` x
// `height` canvas shared by `bands` threads: a guided plan. Each chunk is about a thread's
// fair share of the estimated cost still left (`chunkCost` of a rectangle, its area without
// one), so the first ones are big and the last ones small. Big chunks are cheap to draw: a
// sprite goes through all the strips of a chunk before the next sprite, so its texture stays
// in the cache from strip to strip, and the painters change state less; each split costs
// that again. Small chunks at the end let the threads finish together: whoever is done
// first takes the next small one, so the frame waits at most for one small chunk, and a
// thread that wakes late or gets less of the processor simply takes fewer. (On the heavy
// benchmark frame, fixed chunks of 176 rows left the two threads finishing 0.3-0.4 ms apart,
// and 44-row chunks, though better balanced, cost a sixth more processor time.)
std::vector<QRect> PlanChunks(int width, int height, int bands,
                              const std::function<double(const QRect& chunk)>& chunkCost = {});

// What a banded paint did: how many threads drew, and the time between the first and the
// last of them finishing (what the frame lost to imbalance; 0 with one thread).
struct BandReport {
    static constexpr int kMaxThreads = 8;
    int threads = 1;
    double finishSpreadMs = 0.0;
};

// Paints `target` on up to `bands` threads at once (the calling thread and the pool's workers
// that start in time). Each thread has a painter of its own and takes the next chunk of
// PlanChunks until none is left. `paint` is called once per chunk with the painter clipped
// to the chunk, the chunk's rectangle and kStripRows: it draws each shape in strips of that
// many rows of the chunk (SpriteDrawer::DrawPlanned does), and may then read the chunk's
// finished rows (e.g. copy them out) on the same thread.
// Every painter works on the whole canvas at the canvas's own coordinates (a header over the
// same pixels), so a shape crossing chunk or strip edges is drawn in every part it touches
// with the very transform a single painter would use, and the parts join pixel for pixel into
// the single-painter picture.
// One band (or no pool) paints straight on `target` with one painter, no clip, the whole
// canvas as the rectangle and no strips (0), as Qt draws by default. `target` must not have a
// painter open. At most BandReport::kMaxThreads threads draw.
BandReport PaintInBands(
    QImage& target, int bands, BandPool* pool,
    const std::function<void(QPainter& painter, const QRect& area, int stripRows)>& paint,
    const std::function<double(const QRect& chunk)>& chunkCost = {});

}  // namespace plk
