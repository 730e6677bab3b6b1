#pragma once
// The button's composed frames kept for later paints, each with everything it was made from.
//
// A button flips between a handful of looks (normal, over, down, checked, disabled, focused), and
// composing one costs far more than copying it out (the caption alone is dozens of copies). So the
// renderer keeps the last few frames, and a paint whose inputs all equal a kept frame's only copies
// that frame. Equality is exact: the picture's pixels are compared word for word, never by a digest.
//
// Bounded by a count and a byte budget (frames plus the picture copies they are keyed by), least
// recently used out first; the newest frame stays even alone above the budget, since it is on show.
// No window-system calls here, so the bookkeeping is tested natively.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "button/control/ButtonLayout.h"
#include "button/pixels/ImageDIB.h"

namespace button {

// The caption font as the paint read it: its logical description's bytes (zero past the face name,
// so two handles for one font compare equal). Not present: no usable font, no caption.
struct FontBytes {
  static constexpr size_t kMax = 96;  // a LOGFONTW is 92 bytes
  bool present = false;
  std::array<uint8_t, kMax> bytes{};
};

// The kind of target a frame was composed for. Compatible bitmaps take their pixel format from the
// target, so the GDI-made parts of a frame (scaled picture, caption) belong to one kind of target.
struct SurfaceKind {
  int32_t objectType = 0;  // 0: not a device context
  int32_t technology = 0;  // raster display, printer, metafile...
  int32_t bitmapBits = 0;  // a memory target: the bitmap selected into it
  int32_t bitmapPlanes = 0;
  uint32_t dibCompression = 0;  // ... when that bitmap is a DIB section
  std::array<uint32_t, 3> dibMasks{};
  bool operator==(const SurfaceKind& o) const;
  bool operator!=(const SurfaceKind& o) const { return !(*this == o); }
};

// Everything of a frame's inputs that is not a property, the state or the picture.
struct FrameSetting {
  button::Size area;
  FontBytes font;
  SurfaceKind surface;
  bool operator==(const FrameSetting& o) const;
};

// A picture's pixels as the paint reads them: width x height words, rows bottom-up.
struct PictureView {
  const uint32_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  size_t Words() const;  // 0 without pixels
};

// A paint's inputs, borrowed from the caller for one lookup.
struct FrameInputs {
  const button::ButtonPaintProps& props;
  const button::ButtonPaintState& state;
  const FrameSetting& setting;
  PictureView picture;
};

class CButtonFrameCache {
 public:
  static constexpr size_t kDefaultFrames = 6;
  static constexpr uint64_t kDefaultBytes = uint64_t(16) << 20;  // two full-screen frames

  struct Frame {
    button::ButtonPaintProps props;
    button::ButtonPaintState state;
    FrameSetting setting;
    std::shared_ptr<const std::vector<uint32_t>> picture;  // null: the frame matches nothing
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    CImageDIB pixels;  // the composed frame, setting.area in size
    bool Matches(const FrameInputs& in) const;
  };

  explicit CButtonFrameCache(size_t maxFrames = kDefaultFrames, uint64_t maxBytes = kDefaultBytes);

  // The kept frame made from exactly these inputs, now the most recently used one; null if none.
  Frame* Find(const FrameInputs& in);

  // Something to compose a new frame into, taken out of the cache: the least recently used frame when
  // the cache is full by count (its buffer is reused when the size fits), else a new empty one; null
  // without memory for one.
  std::unique_ptr<Frame> TakeForNew();

  // Keeps a composed frame as the most recently used one, made from `in`, and drops the least recently
  // used others until count and bytes fit. A picture equal to one already kept shares its copy;
  // without memory for a copy the frame is kept unmatched (shown, never found).
  Frame& Add(std::unique_ptr<Frame> frame, const FrameInputs& in);

  void Clear() { m_frames.clear(); }
  size_t Count() const { return m_frames.size(); }
  uint64_t Bytes() const;  // frames plus distinct picture copies

 private:
  std::shared_ptr<const std::vector<uint32_t>> CopyOf(PictureView picture) const;
  void Trim();

  size_t m_maxFrames;
  uint64_t m_maxBytes;
  std::vector<std::unique_ptr<Frame>> m_frames;  // most recently used first
};

}  // namespace button
