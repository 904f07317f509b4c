#pragma once
// The chart canvas's record of a frame's background, and the recorded
// drawing call (see TChartCanvas3D::BeginBackground). Only the chart
// canvas's own sources include this.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartCanvas.h"

namespace drivesim {

struct TChartCanvas3D::BackgroundRecord {
  enum class Pass { kNone, kRecord, kCompare };
  Pass pass = Pass::kNone;
  // Recorded calls under way: only the outermost is recorded.
  int depth = 0;
  // The calls of the last background that was drawn: each entry is its key's
  // length, the key (the call, its arguments and the state it draws in) and
  // the state it left.
  std::vector<std::int32_t> calls;
  // Whether every call of that background could be recorded.
  bool callsComplete = false;
  // This frame's calls while they are drawn, and whether all could be.
  std::vector<std::int32_t> recording;
  bool recordingComplete = true;
  // Recorded backgrounds in a row that differed from the one before, and
  // frames since they began to be recorded only now and then.
  int changes = 0;
  int framesAtRest = 0;
  // Where the comparison stands in calls.
  std::size_t cursor = 0;
  // The key being built.
  std::vector<std::int32_t> key;
  // The picture of that background, once two frames in a row drew it.
  std::unique_ptr<TBitmap> picture;
  bool pictureValid = false;
  // The buffer's change count when the background began, and the changes
  // the recorded calls made: while comparing, any change means something
  // drew that is not recorded; while recording, any change beyond the
  // recorded calls' does.
  std::uint64_t changesAtStart = 0;
  std::uint64_t recordedChanges = 0;
};

// One drawing call of the chart canvas. While a background is recorded or
// compared, the outermost call builds its key from what is streamed into it
// and Skip():
// - recording, appends the key and, when the call is done, the state it
//   left, and lets the call draw;
// - comparing, finds the same key next in the last background's calls,
//   gives the canvas the state the call left then, and skips the call; a
//   different key throws BackgroundChanged.
// A call that cannot be keyed (a picture, whose pixels may change) calls
// Refuse() instead: the background is then not kept, or no longer the same.
class TChartCanvas3D::RecordedCall {
 public:
  enum Op : std::int32_t {
    kPlotPixel = 1,
    kEllipse,
    kFillArea,
    kLineTo,
    kRectangle,
    kRoundedRectangle,
    kText,
    kHorizontal,
    kVertical,
    kSegment,
    kPolygon,
    kRotatedText,
    kGradient,
    kClearAround,
    kSegments,
    kPicture
  };
  // Inline: most calls are made while nothing is recorded.
  RecordedCall(TChartCanvas3D& canvas, Op op) : fCanvas(canvas) {
    BackgroundRecord* record = canvas.fBackground.get();
    if (record && record->pass != BackgroundRecord::Pass::kNone) Begin(*record, op);
  }
  ~RecordedCall() {
    if (fRecord) End();
  }
  RecordedCall(const RecordedCall&) = delete;
  RecordedCall& operator=(const RecordedCall&) = delete;

  RecordedCall& operator<<(int value) {
    if (fActive) fRecord->key.push_back(value);
    return *this;
  }
  RecordedCall& operator<<(const TRect& rect) {
    return *this << rect.Left << rect.Top << rect.Right << rect.Bottom;
  }
  RecordedCall& operator<<(const std::string& text);
  RecordedCall& Points(const TPoint* points, int count);
  RecordedCall& Lines(const TThinLine* lines, int count);
  // True when the call is to draw nothing: its pixels are already there.
  bool Skip();
  void Refuse();

 private:
  void Begin(BackgroundRecord& record, Op op);
  void End();
  void AppendState();
  void ApplyLeftState(const std::int32_t* state);
  void StoreLeftState(std::int32_t* state) const;

  TChartCanvas3D& fCanvas;
  // The record while one is made or compared, else nullptr.
  BackgroundRecord* fRecord = nullptr;
  bool fActive = false;
  // Where the state the call leaves goes in the recording, or -1.
  std::ptrdiff_t fLeftState = -1;
  // The pen's place and the buffer's change count when the call began.
  TCanvas::PenPlace fPlaceBefore{};
  std::uint64_t fChangesBefore = 0;
};

}  // namespace drivesim
