// The program's own thread pool for blocking and heavy work (store calls, argon2id, key
// generation, QR decoding), apart from Qt's global pool. Qt's raster painting hands each large
// fill to the global pool in slices; both programs keep that pool to one worker (see
// `limitarPinturaEmFios`), so a second of argon2id there would hold up every repaint.
#pragma once

class QThreadPool;

namespace PoolDeTrabalho {

// The pool, created on first use; as many threads as the machine has cores.
[[nodiscard]] QThreadPool *pool();

// Qt's global pool, the one its raster painting slices large fills over, down to one worker:
// for a window repainted in many small regions, waking several threads for every fill costs far
// more than the fill (an idle animated window spends most of its time in those wake-ups). Call
// once, before any window exists.
void limitarPinturaEmFios();

} // namespace PoolDeTrabalho
