#include "button/control/ButtonRendererFrames.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <tuple>

namespace button {

bool SurfaceKind::operator==(const SurfaceKind& o) const {
  auto tie = [](const SurfaceKind& k) {
    return std::tie(k.objectType, k.technology, k.bitmapBits, k.bitmapPlanes, k.dibCompression, k.dibMasks);
  };
  return tie(*this) == tie(o);
}

bool FrameSetting::operator==(const FrameSetting& o) const {
  return area == o.area && surface == o.surface && font.present == o.font.present &&
         (!font.present || font.bytes == o.font.bytes);
}

size_t PictureView::Words() const {
  if (!pixels || width <= 0 || height <= 0) return 0;
  return size_t(width) * size_t(height);  // both fit a CImageDIB, whose block is far below SIZE_MAX
}

namespace {

uint64_t FrameBytes(const CButtonFrameCache::Frame& f) {
  return f.pixels.HasPixels() ? uint64_t(f.pixels.Width()) * uint64_t(f.pixels.Height()) * 4 : 0;
}

bool SamePicture(const std::vector<uint32_t>& copy, int32_t w, int32_t h, PictureView p) {
  return w == p.width && h == p.height && copy.size() == p.Words() &&
         std::memcmp(copy.data(), p.pixels, copy.size() * sizeof(uint32_t)) == 0;
}

}  // namespace

bool CButtonFrameCache::Frame::Matches(const FrameInputs& in) const {
  // Cheapest first: most misses differ in the state or a property, not in the picture.
  if (!picture || !(setting == in.setting) || !button::SameFrameInputs(state, in.state) ||
      !button::SameFrameInputs(props, in.props))
    return false;
  return SamePicture(*picture, pictureWidth, pictureHeight, in.picture);
}

CButtonFrameCache::CButtonFrameCache(size_t maxFrames, uint64_t maxBytes)
    : m_maxFrames(std::max<size_t>(maxFrames, 1)), m_maxBytes(maxBytes) {
  // Room for one more than the limit, so that Add never reallocates on its way to trimming.
  m_frames.reserve(m_maxFrames + 1);
}

CButtonFrameCache::Frame* CButtonFrameCache::Find(const FrameInputs& in) {
  for (auto it = m_frames.begin(); it != m_frames.end(); ++it) {
    if (!(*it)->Matches(in)) continue;
    std::rotate(m_frames.begin(), it, it + 1);
    return m_frames.front().get();
  }
  return nullptr;
}

std::unique_ptr<CButtonFrameCache::Frame> CButtonFrameCache::TakeForNew() {
  if (m_frames.size() >= m_maxFrames) {
    std::unique_ptr<Frame> oldest = std::move(m_frames.back());
    m_frames.pop_back();
    oldest->picture.reset();
    return oldest;
  }
  return std::unique_ptr<Frame>(new (std::nothrow) Frame);
}

std::shared_ptr<const std::vector<uint32_t>> CButtonFrameCache::CopyOf(PictureView picture) const {
  for (const auto& f : m_frames)
    if (f->picture && SamePicture(*f->picture, f->pictureWidth, f->pictureHeight, picture)) return f->picture;
  // Keeping the inputs only saves later work: without memory for them the frame simply matches nothing.
  try {
    return std::make_shared<const std::vector<uint32_t>>(picture.pixels, picture.pixels + picture.Words());
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

CButtonFrameCache::Frame& CButtonFrameCache::Add(std::unique_ptr<Frame> frame, const FrameInputs& in) {
  Frame& f = *frame;
  f.picture = CopyOf(in.picture);
  f.pictureWidth = in.picture.width;
  f.pictureHeight = in.picture.height;
  try {
    f.props = in.props;  // the caption text may need memory
    f.state = in.state;
    f.setting = in.setting;
  } catch (const std::bad_alloc&) {
    f.picture.reset();
  }
  m_frames.insert(m_frames.begin(), std::move(frame));  // within the reserved capacity
  Trim();
  return f;
}

uint64_t CButtonFrameCache::Bytes() const {
  uint64_t total = 0;
  for (size_t i = 0; i < m_frames.size(); ++i) {
    const Frame& f = *m_frames[i];
    total += FrameBytes(f);
    if (!f.picture) continue;
    // A copy shared by several frames counts once.
    bool counted = false;
    for (size_t j = 0; j < i && !counted; ++j) counted = m_frames[j]->picture == f.picture;
    if (!counted) total += uint64_t(f.picture->size()) * sizeof(uint32_t);
  }
  return total;
}

void CButtonFrameCache::Trim() {
  while (m_frames.size() > 1 && (m_frames.size() > m_maxFrames || Bytes() > m_maxBytes)) m_frames.pop_back();
}

}  // namespace button
