// The background kept from frame to frame: recording and comparing the
// background's drawing calls, and keeping its picture.
#include "chart/ChartBackground.h"

#include <algorithm>
#include <cstring>

#include "platform/DamageTiles.h"

namespace drivesim {

namespace {

// The state a call leaves: whether it moved the pen and the pen's place
// then, the pen, the brush, the text background and the alignment.
constexpr std::size_t kLeftStateSize = 14;

// Backgrounds in a row that differed from the one before, after which the
// background is recorded only now and then; and how often then.
constexpr int kChangesBeforeRest = 4;
constexpr int kRecordingPeriod = 16;

// Beyond this share of the image drawn on since, copying back costs more
// than drawing the background again: reading the kept picture as well as
// writing the buffer.
constexpr double kMostDamage = 0.4;

void AppendDouble(std::vector<std::int32_t>& key, double value) {
  std::int32_t halves[2];
  std::memcpy(halves, &value, sizeof halves);
  key.push_back(halves[0]);
  key.push_back(halves[1]);
}

}  // namespace

// ---------------------------------------------------------------------------
// RecordedCall

void TChartCanvas3D::RecordedCall::Begin(BackgroundRecord& record, Op op) {
  fRecord = &record;
  if (record.depth++ > 0 || !fCanvas.DrawsIntoBuffer()) return;
  fActive = true;
  record.key.clear();
  record.key.push_back(op);
}

void TChartCanvas3D::RecordedCall::End() {
  --fRecord->depth;
  if (fLeftState >= 0) {
    StoreLeftState(fRecord->recording.data() + fLeftState);
    fRecord->recordedChanges += fCanvas.fBufferImage->ChangeCount() - fChangesBefore;
  }
}

TChartCanvas3D::RecordedCall& TChartCanvas3D::RecordedCall::operator<<(const std::string& text) {
  if (!fActive) return *this;
  std::vector<std::int32_t>& key = fRecord->key;
  key.push_back(static_cast<std::int32_t>(text.size()));
  for (std::size_t i = 0; i < text.size(); i += 4) {
    std::uint32_t packed = 0;
    for (std::size_t k = i; k < std::min(text.size(), i + 4); ++k) {
      packed = (packed << 8) | static_cast<unsigned char>(text[k]);
    }
    key.push_back(static_cast<std::int32_t>(packed));
  }
  return *this;
}

TChartCanvas3D::RecordedCall& TChartCanvas3D::RecordedCall::Points(const TPoint* points,
                                                                   int count) {
  if (!fActive) return *this;
  *this << count;
  for (int i = 0; points && i < count; ++i) *this << points[i].X << points[i].Y;
  return *this;
}

TChartCanvas3D::RecordedCall& TChartCanvas3D::RecordedCall::Lines(const TThinLine* lines,
                                                                  int count) {
  if (!fActive) return *this;
  *this << count;
  for (int i = 0; lines && i < count; ++i) {
    const TThinLine& l = lines[i];
    *this << l.X0 << l.Y0 << l.X1 << l.Y1 << static_cast<std::int32_t>(l.Color);
  }
  return *this;
}

void TChartCanvas3D::RecordedCall::AppendState() {
  TCanvas& target = *fCanvas.fTarget;
  std::vector<std::int32_t>& key = fRecord->key;
  const TPen& pen = target.Pen();
  const TBrush& brush = target.Brush();
  const TFont& font = target.Font();
  const TRect clip = target.HasClip() ? target.ClipRect() : TRect{};
  const std::int32_t state[] = {static_cast<std::int32_t>(pen.Color()),
                                pen.Width(),
                                static_cast<std::int32_t>(pen.Style()),
                                static_cast<std::int32_t>(pen.Mode()),
                                pen.AlternatePixels(),
                                static_cast<std::int32_t>(brush.Color()),
                                static_cast<std::int32_t>(brush.Style()),
                                target.BackgroundMode(),
                                static_cast<std::int32_t>(target.BackgroundColor()),
                                static_cast<std::int32_t>(target.TextAlign()),
                                target.HasClip(),
                                clip.Left,
                                clip.Top,
                                clip.Right,
                                clip.Bottom,
                                static_cast<std::int32_t>(font.Color()),
                                font.Height(),
                                static_cast<std::int32_t>(font.Style()),
                                font.Orientation(),
                                font.Charset(),
                                font.PixelsPerInch(),
                                fCanvas.fRoundLines,
                                fCanvas.f3D,
                                fCanvas.fMonochrome,
                                fCanvas.fZoomText,
                                fCanvas.fBufferImage->Width(),
                                fCanvas.fBufferImage->Height()};
  key.insert(key.end(), std::begin(state), std::end(state));
  // Only a line from the pen's place starts where the pen stands; every
  // other call moves the pen first or does not use it.
  if (key.front() == kLineTo) {
    const TCanvas::PenPlace place = target.Place();
    key.insert(key.end(), {place.Position.X, place.Position.Y, place.Phase});
  }
  AppendDouble(key, fCanvas.fScale);
  AppendDouble(key, fCanvas.fZoomFactor);
  *this << font.Name();
}

void TChartCanvas3D::RecordedCall::StoreLeftState(std::int32_t* state) const {
  TCanvas& target = *fCanvas.fTarget;
  const TCanvas::PenPlace place = target.Place();
  // The place is kept only when the call moved the pen: a call that leaves
  // it alone leaves it where this frame's pen stood, wherever that was.
  const bool moved = place.Position.X != fPlaceBefore.Position.X ||
                     place.Position.Y != fPlaceBefore.Position.Y ||
                     place.Phase != fPlaceBefore.Phase;
  const std::int32_t left[kLeftStateSize] = {moved,
                                             moved ? place.Position.X : 0,
                                             moved ? place.Position.Y : 0,
                                             moved ? place.Phase : 0,
                                             static_cast<std::int32_t>(target.Pen().Color()),
                                             target.Pen().Width(),
                                             static_cast<std::int32_t>(target.Pen().Style()),
                                             static_cast<std::int32_t>(target.Pen().Mode()),
                                             target.Pen().AlternatePixels(),
                                             static_cast<std::int32_t>(target.Brush().Color()),
                                             static_cast<std::int32_t>(target.Brush().Style()),
                                             target.BackgroundMode(),
                                             static_cast<std::int32_t>(target.BackgroundColor()),
                                             static_cast<std::int32_t>(target.TextAlign())};
  std::copy(std::begin(left), std::end(left), state);
}

void TChartCanvas3D::RecordedCall::ApplyLeftState(const std::int32_t* state) {
  TCanvas& target = *fCanvas.fTarget;
  if (state[0]) target.RestorePlace({{state[1], state[2]}, state[3]});
  TPen pen;
  pen.SetColor(static_cast<TColor>(state[4]));
  pen.SetWidth(state[5]);
  pen.SetStyle(static_cast<TPenStyle>(state[6]));
  pen.SetMode(static_cast<TPenMode>(state[7]));
  pen.SetAlternatePixels(state[8] != 0);
  target.Pen().Assign(pen);
  // The colour first: a colour given to a clear brush makes it solid.
  TBrush brush;
  brush.SetColor(static_cast<TColor>(state[9]));
  brush.SetStyle(static_cast<TBrushStyle>(state[10]));
  target.Brush().Assign(brush);
  // After the brush, whose change sets the text background anew.
  target.SetBackgroundMode(state[11]);
  target.SetBackgroundColor(static_cast<TColor>(state[12]));
  target.SetTextAlign(static_cast<unsigned>(state[13]));
}

bool TChartCanvas3D::RecordedCall::Skip() {
  if (!fActive) return false;
  fPlaceBefore = fCanvas.fTarget->Place();
  AppendState();
  const std::vector<std::int32_t>& key = fRecord->key;
  const std::size_t n = key.size();
  if (fRecord->pass == BackgroundRecord::Pass::kRecord) {
    std::vector<std::int32_t>& recording = fRecord->recording;
    recording.push_back(static_cast<std::int32_t>(n));
    recording.insert(recording.end(), key.begin(), key.end());
    fLeftState = static_cast<std::ptrdiff_t>(recording.size());
    recording.resize(recording.size() + kLeftStateSize);
    fChangesBefore = fCanvas.fBufferImage->ChangeCount();
    return false;
  }
  const std::vector<std::int32_t>& calls = fRecord->calls;
  const std::size_t at = fRecord->cursor;
  if (at + 1 + n + kLeftStateSize > calls.size() || calls[at] != static_cast<std::int32_t>(n) ||
      !std::equal(key.begin(), key.end(), calls.begin() + static_cast<std::ptrdiff_t>(at + 1))) {
    throw BackgroundChanged{};
  }
  ApplyLeftState(calls.data() + at + 1 + n);
  fRecord->cursor = at + 1 + n + kLeftStateSize;
  return true;
}

void TChartCanvas3D::RecordedCall::Refuse() {
  if (!fActive) return;
  if (fRecord->pass == BackgroundRecord::Pass::kCompare) throw BackgroundChanged{};
  fRecord->recordingComplete = false;
}

// ---------------------------------------------------------------------------
// TChartCanvas3D: the kept background

bool TChartCanvas3D::DrawsIntoBuffer() const {
  return fBuffered && fFramesPaintEveryPixel && fBufferImage && fTarget &&
         fTarget == &fBufferImage->Canvas();
}

bool TChartCanvas3D::CanReuseBackground() const {
  const BackgroundRecord* record = fBackground.get();
  return record && record->pictureValid && record->callsComplete && fBuffered &&
         fFramesPaintEveryPixel && fBufferImage && fBufferImage->Damage() &&
         fBufferImage->Damage()->MarkedShare() <= kMostDamage &&
         record->picture->Width() == fBufferImage->Width() &&
         record->picture->Height() == fBufferImage->Height();
}

void TChartCanvas3D::BeginBackground(bool reuse) {
  if (!DrawsIntoBuffer()) {
    if (fBackground) fBackground->pass = BackgroundRecord::Pass::kNone;
    return;
  }
  if (!fBackground) fBackground = std::make_unique<BackgroundRecord>();
  BackgroundRecord& record = *fBackground;
  record.depth = 0;
  record.pass = BackgroundRecord::Pass::kNone;
  // A background that changed in frame after frame (a time axis that moves
  // on in every tick) is recorded only in two frames of every
  // kRecordingPeriod, to find out whether it has come to rest, and its
  // frames are drawn as if nothing were kept.
  if (record.changes >= kChangesBeforeRest && ++record.framesAtRest % kRecordingPeriod > 1) {
    fBufferImage->KeepDamage(false);
    return;
  }
  fBufferImage->KeepDamage(true);
  if (reuse && CanReuseBackground()) {
    record.pass = BackgroundRecord::Pass::kCompare;
    record.cursor = 0;
  } else {
    record.pass = BackgroundRecord::Pass::kRecord;
    record.recording.clear();
    record.recordingComplete = true;
    record.recordedChanges = 0;
  }
  record.changesAtStart = fBufferImage->ChangeCount();
}

void TChartCanvas3D::EndBackground() {
  if (!fBackground) return;
  BackgroundRecord& record = *fBackground;
  const auto pass = record.pass;
  record.pass = BackgroundRecord::Pass::kNone;
  if (pass == BackgroundRecord::Pass::kCompare) {
    // Every call was the same, nothing else drew: the buffer becomes the
    // kept picture again where the last frame drew over it.
    if (record.cursor != record.calls.size() ||
        fBufferImage->ChangeCount() != record.changesAtStart ||
        !fTarget->RestoreDamage(*record.picture)) {
      throw BackgroundChanged{};
    }
    ++fBackgroundReuses;
    return;
  }
  if (pass != BackgroundRecord::Pass::kRecord) return;
  // Whatever drew on the buffer outside the recorded calls (straight on
  // the surface, say) would not be drawn again by the record.
  if (fBufferImage->ChangeCount() - record.changesAtStart != record.recordedChanges) {
    record.recordingComplete = false;
  }
  const bool same =
      record.recordingComplete && record.callsComplete && record.recording == record.calls;
  if (!same) {
    ++record.changes;
    record.calls.swap(record.recording);
    record.callsComplete = record.recordingComplete;
    record.pictureValid = false;
    return;
  }
  record.changes = 0;
  record.framesAtRest = 0;
  const bool kept = record.pictureValid && record.picture->Width() == fBufferImage->Width() &&
                    record.picture->Height() == fBufferImage->Height();
  if (kept) {
    // The kept background drawn again whole (most of the buffer had been
    // drawn on): the buffer shows the kept picture again everywhere.
    fBufferImage->Damage()->Clear();
    return;
  }
  // Two frames in a row drew this background: its picture is kept, sharing
  // the buffer's pixels until the rest of the frame draws on them.
  if (!record.picture) record.picture = std::make_unique<TBitmap>();
  TCanvas& keep = record.picture->Canvas();
  keep.RemoveClip();
  record.picture->SetSize(fBufferImage->Width(), fBufferImage->Height());
  keep.Draw(0, 0, *fBufferImage);
  fBufferImage->Damage()->Clear();
  record.pictureValid = true;
}

}  // namespace drivesim
