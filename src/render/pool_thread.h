#pragma once
// Runs a piece of work on a thread of Qt's global thread pool and waits for it.
//
// Qt's raster engine (Qt 6.4) splits every large fill into pieces for the global pool unless
// the painting thread is one of the pool's own threads. When frames are painted while the
// encoder keeps both cores busy, those pieces only add hand-offs and wake-ups; painting from a
// pool thread keeps each frame on one thread. Later Qt versions use a pool of their own for
// this, and the work then simply runs on another thread.
#include <functional>

namespace solvane {

// Runs `work` on a global-pool thread and returns when it has finished; an exception it
// throws is rethrown here. Runs `work` on the calling thread when that is a pool thread
// already or the pool has no thread to spare.
void runOnPoolThread(const std::function<void()>& work);

// Runs the painting of album frames the way the album is made: with few cores the encoder,
// the scaler and the painter keep them all busy, and Qt's own splitting of every large fill
// over its pool costs more than it gains, so it runs on a pool thread (turning the splitting
// off); with cores to spare it runs here and the splitting speeds up painting.
void runAsAlbumPainter(const std::function<void()>& work);

}  // namespace solvane
