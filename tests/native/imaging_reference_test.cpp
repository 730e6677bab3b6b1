// Decoded pixels against an independent decoder's, picture by picture, over a corpus listed in its
// manifest.txt (made by tests/data/imaging/make-corpus.sh). The corpus is the committed one unless
// ZB_IMAGING_CORPUS names another folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "button/imaging/CAnyPicDecoder.h"
#include "button/imaging/CGifDecoder.h"
#include "button/imaging/CTextException.h"
#include "button/pixels/ImageDIB.h"
#include "tests/native/imaging_forge.h"

namespace {

std::string CorpusDir() {
  if (const char* d = std::getenv("ZB_IMAGING_CORPUS")) return d;
  const char* data = std::getenv("ZB_TEST_DATA");
  return std::string(data ? data : "tests/data") + "/imaging";
}

// A PAM file as 0xAARRGGBB words, top row first.
struct Reference {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

bool LoadPam(const std::string& path, Reference& ref) {
  const tests::Bytes b = tests::ReadFile(path);
  const std::string text(b.begin(), b.end());
  const size_t end = text.find("ENDHDR\n");
  if (text.compare(0, 3, "P7\n") != 0 || end == std::string::npos) return false;
  std::istringstream header(text.substr(3, end - 3));
  std::string key;
  int depth = 0, maxval = 0;
  while (header >> key) {
    if (key == "WIDTH")
      header >> ref.width;
    else if (key == "HEIGHT")
      header >> ref.height;
    else if (key == "DEPTH")
      header >> depth;
    else if (key == "MAXVAL")
      header >> maxval;
    else
      header.ignore(1000, '\n');
  }
  const size_t start = end + 7, count = size_t(ref.width) * size_t(ref.height);
  if (maxval != 255 || depth < 1 || depth > 4 || b.size() < start + count * size_t(depth)) return false;
  ref.pixels.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = b.data() + start + i * size_t(depth);
    const bool grey = depth <= 2;
    const uint32_t r = p[0], g = grey ? p[0] : p[1], bl = grey ? p[0] : p[2];
    const uint32_t a = depth == 2 ? p[1] : depth == 4 ? p[3] : 255;
    ref.pixels[i] = (a << 24) | (r << 16) | (g << 8) | bl;
  }
  return true;
}

struct Entry {
  std::string picture, reference, mode;
};

std::vector<Entry> Manifest() {
  std::vector<Entry> entries;
  std::ifstream f(CorpusDir() + "/manifest.txt");
  Entry e;
  while (f >> e.picture >> e.reference >> e.mode) entries.push_back(e);
  return entries;
}

TEST(ImagingReference, EveryPictureMatchesTheIndependentDecoder) {
  const std::vector<Entry> entries = Manifest();
  ASSERT_GE(entries.size(), 40u) << "no corpus in " << CorpusDir();
  const uint32_t background = 0x00123456;  // 0x00BBGGRR
  const uint32_t backgroundPixel = 0x00563412;
  for (const Entry& e : entries) {
    SCOPED_TRACE(e.picture);
    Reference ref;
    ASSERT_TRUE(LoadPam(CorpusDir() + "/" + e.reference, ref));
    const std::string path = CorpusDir() + "/" + e.picture;
    std::vector<uint32_t> ours(ref.pixels.size());  // top row first
    int width = 0, height = 0;
    if (e.mode == "gif") {
      button::CImageDIB dib;
      button::CGifDecoder decoder;
      ASSERT_EQ(decoder.Decode(&dib, background, path), button::CGifDecoder::kDecoded);
      width = dib.Width();
      height = dib.Height();
      ASSERT_EQ(width, ref.width);
      ASSERT_EQ(height, ref.height);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) ours[size_t(y * width + x)] = dib.Pixel(x, height - 1 - y);
    } else {
      button::CDecodedBitmap bitmap;
      button::CAnyPicDecoder decoder;
      try {
        decoder.DecodeFile(path, bitmap, 32);
      } catch (const button::CTextException& ex) {
        FAIL() << ex.GetText();
      }
      width = bitmap.Width();
      height = bitmap.Height();
      ASSERT_EQ(width, ref.width);
      ASSERT_EQ(height, ref.height);
      ASSERT_EQ(bitmap.BitsPerPixel(), 32);
      for (int y = 0; y < height; ++y) std::memcpy(&ours[size_t(y * width)], bitmap.Row(y), size_t(width) * 4);
    }
    int mismatches = 0;
    for (size_t i = 0; i < ours.size() && mismatches < 5; ++i) {
      uint32_t expected = ref.pixels[i], got = ours[i];
      if (e.mode == "gif" && (expected >> 24) == 0)
        expected = backgroundPixel;  // transparent
      else if (e.mode == "rgb")
        expected &= 0xFFFFFF, got &= 0xFFFFFF;
      else if (e.mode == "gif")
        expected = expected | 0xFF000000u;
      if (got != expected) {
        ++mismatches;
        ADD_FAILURE() << "pixel " << i % size_t(width) << "," << i / size_t(width) << std::hex << " got " << got
                      << " expected " << expected;
      }
    }
  }
}

}  // namespace
