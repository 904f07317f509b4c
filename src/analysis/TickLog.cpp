#include "analysis/TickLog.h"

namespace drivesim {

TickLog::TickLog(std::size_t capacity) : fCapacity(capacity) {}

bool TickLog::Append(const TickSample& tick) {
  if (fSize == fCapacity) {
    ++fDropped;
    return false;
  }
  const std::size_t chunk = fSize / kChunkTicks;
  if (chunk == fChunks.size()) fChunks.push_back(std::make_unique<Chunk>());
  (*fChunks[chunk])[fSize % kChunkTicks] = tick;
  ++fSize;
  return true;
}

void TickLog::Clear() {
  // The first chunk stays: the next run needs it at once.
  if (fChunks.size() > 1) fChunks.resize(1);
  fSize = 0;
  fDropped = 0;
}

}  // namespace drivesim
