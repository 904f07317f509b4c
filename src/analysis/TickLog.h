#pragma once
// The record of the main window's run: one row per timer tick (time, load
// velocity, setpoint and both gear angles), kept from "Process" after
// start-up or "Reset" for as long as the simulation runs.
//
// The rows are appended to chunks of kChunkTicks rows that never move once
// filled, so that appending costs the same at the millionth row as at the
// first and no row is ever copied to make room. The log holds at most its
// capacity (by default a million ticks, 1000 s of simulated time, about
// five and a half hours of the window's running, 40 MB): rows that come
// after it is full are counted but not kept, so that a run left going for
// days cannot exhaust the memory.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "analysis/RunRecord.h"

namespace drivesim {

class TickLog {
 public:
  static constexpr std::size_t kChunkTicks = 4096;
  static constexpr std::size_t kDefaultCapacity = 1'000'000;

  explicit TickLog(std::size_t capacity = kDefaultCapacity);
  TickLog(const TickLog&) = delete;
  TickLog& operator=(const TickLog&) = delete;

  // Appends a row; when the log is full the row is only counted as
  // dropped, and false is returned.
  bool Append(const TickSample& tick);
  // Empties the log and gives back its memory but one chunk.
  void Clear();

  std::size_t Size() const { return fSize; }
  std::size_t Capacity() const { return fCapacity; }
  bool Full() const { return fSize == fCapacity; }
  // Rows that arrived after the log was full.
  std::int64_t Dropped() const { return fDropped; }

  const TickSample& operator[](std::size_t index) const {
    return (*fChunks[index / kChunkTicks])[index % kChunkTicks];
  }

 private:
  using Chunk = std::array<TickSample, kChunkTicks>;
  std::vector<std::unique_ptr<Chunk>> fChunks;
  std::size_t fCapacity;
  std::size_t fSize = 0;
  std::int64_t fDropped = 0;
};

}  // namespace drivesim
