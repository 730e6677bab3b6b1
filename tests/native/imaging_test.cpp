// Decoder family, GIF decoder and picture routing: the rules that hostile or unusual files exercise.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "button/imaging/CAnyPicDecoder.h"
#include "button/imaging/CDataSource.h"
#include "button/imaging/CGifDecoder.h"
#include "button/imaging/CTextException.h"
#include "button/imaging/PictureDecode.h"
#include "button/pixels/ImageDIB.h"
#include "tests/native/imaging_forge.h"
#include "tests/support/TestPaths.h"

#include <tiffio.h>

namespace {

using tests::Bytes;

struct Outcome {
  int code = 0;  // 0: decoded
  std::string text;
  button::CDecodedBitmap bitmap;
};

Outcome DecodeBytes(const Bytes& bytes, int bpp = 32, const button::DecodeLimits& limits = button::DecodeLimits()) {
  Outcome out;
  button::CDataSource source;
  source.Attach("memory", bytes.data(), bytes.size());
  button::CAnyPicDecoder decoder;
  decoder.SetLimits(limits);
  try {
    decoder.Decode(source, out.bitmap, bpp);
  } catch (const button::CTextException& e) {
    out.code = e.GetCode();
    out.text = e.GetText();
  }
  return out;
}

// Pixel (x, y from the top) of a 32-bit decoded bitmap as 0xAARRGGBB.
uint32_t Px(const button::CDecodedBitmap& b, int x, int y) {
  uint32_t v;
  std::memcpy(&v, b.Row(y) + size_t(x) * 4, 4);
  return v;
}

uint32_t Opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

std::string TempFile(const std::string& name, const Bytes& bytes) {
  static const std::string dir = tests::MakeTempDir("imaging");
  const std::string path = dir + "/" + name;
  tests::WriteFile(path, bytes);
  return path;
}

// ---------------------------------------------------------------- recognition and the data source

TEST(ImagingRecognition, FormatsByContentInOrder) {
  Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13};
  EXPECT_EQ(DecodeBytes(png).code, button::kDecodeNoDecoder);
  EXPECT_EQ(DecodeBytes(png).text, "Decoder error: Library not compiled for this file type.\n");
  Bytes targa(18, 0);
  targa[2] = 2;
  targa[16] = 24;
  EXPECT_EQ(DecodeBytes(targa).code, button::kDecodeNoDecoder);
  Bytes pict(600, 0xAA);
  const uint8_t version2[] = {0x00, 0x11, 0x02, 0xFF};
  std::memcpy(pict.data() + 522, version2, 4);
  EXPECT_EQ(DecodeBytes(pict).code, button::kDecodeNoDecoder);
  pict.resize(540);  // too short to be looked at as PICT
  EXPECT_EQ(DecodeBytes(pict).code, button::kDecodeUnknownType);
  const std::string text = "Hello, this is plain text.\n";
  Outcome t = DecodeBytes(Bytes(text.begin(), text.end()));
  EXPECT_EQ(t.code, button::kDecodeUnknownType);
  EXPECT_EQ(t.text, "Decoder error: Unknown file type.\n");
  EXPECT_EQ(DecodeBytes(Bytes()).code, button::kDecodeUnknownType);
  const Bytes gif = tests::MakeGif({1, 1, {0, 0xFFFFFF}, {{0, 0, 1, 1, false, {}, {1}}}});
  EXPECT_EQ(DecodeBytes(gif).code, button::kDecodeUnknownType);  // the family has no GIF decoder
}

TEST(ImagingRecognition, EpsPreviewNeedsOffsetAndLength) {
  const std::vector<uint32_t> px = tests::Pattern(9, 5, 3);
  const Bytes tiff = tests::MakeTiff(9, 5, px, COMPRESSION_NONE, false);
  Outcome eps = DecodeBytes(tests::MakeEpsWithTiff(tiff, uint32_t(tiff.size())));
  ASSERT_EQ(eps.code, 0) << eps.text;
  Outcome plain = DecodeBytes(tiff);
  ASSERT_EQ(plain.code, 0);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(Px(eps.bitmap, x, y), Px(plain.bitmap, x, y));
  EXPECT_EQ(DecodeBytes(tests::MakeEpsWithTiff(tiff, 0)).code, button::kDecodeUnknownType);
  Bytes beyond = tests::MakeEpsWithTiff(tiff, 1);
  beyond[20] = 0xFF;  // offset far past the data
  beyond[21] = 0xFF;
  EXPECT_EQ(DecodeBytes(beyond).code, button::kDecodeEndOfData);
}

TEST(ImagingDataSource, ReadsStopAtTheEnd) {
  const uint8_t data[] = {1, 2, 3, 4, 5};
  button::CDataSource s;
  s.Attach("x", data, sizeof(data));
  EXPECT_EQ(s.ReadLE32(), 0x04030201u);
  EXPECT_THROW(s.ReadLE16(), button::CTextException);
  EXPECT_EQ(s.Position(), 4u);  // a failed read does not move
  EXPECT_EQ(s.ReadByte(), 5);
  try {
    s.ReadBytes(size_t(-1));
    FAIL();
  } catch (const button::CTextException& e) {
    EXPECT_EQ(e.GetCode(), button::kDecodeEndOfData);
    EXPECT_EQ(e.GetText(), "End of file reached while decoding.\n");
  }
}

TEST(ImagingFiles, OpenResultsAndNameIgnored) {
  button::CAnyPicDecoder decoder;
  button::CDecodedBitmap bitmap;
  const std::string dir = tests::MakeTempDir("imaging-open");
  auto codeOf = [&](const std::string& path) {
    try {
      decoder.DecodeFile(path, bitmap, 32);
      return 0;
    } catch (const button::CTextException& e) {
      return e.GetCode();
    }
  };
  EXPECT_EQ(codeOf(dir + "/missing.bmp"), button::kDecodeOpenFailed);
  EXPECT_EQ(codeOf(dir + "/no-folder/missing.bmp"), button::kDecodePathNotFound);
  try {
    decoder.DecodeFile(dir + "/missing.bmp", bitmap, 32);
  } catch (const button::CTextException& e) {
    EXPECT_EQ(e.GetText(), "Decoder error: Opening " + dir + "/missing.bmp failed\n");
  }
  // An empty file cannot be mapped: an open failure, not an unknown format.
  EXPECT_EQ(codeOf(TempFile("empty.bmp", {})), button::kDecodeAccessDenied);
  // A bitmap named .jpg is a bitmap.
  const Bytes bmp = tests::MakeBmp({2, 2, 24}, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  EXPECT_EQ(codeOf(TempFile("really-a-bitmap.jpg", bmp)), 0);
  EXPECT_EQ(Px(bitmap, 0, 0), Opaque(0xFF0000));
  EXPECT_EQ(Px(bitmap, 1, 1), Opaque(0xFFFFFF));
}

// ---------------------------------------------------------------- Windows bitmaps

TEST(ImagingBmp, EveryDepthAndBothRowOrders) {
  const int w = 13, h = 5;
  const std::vector<uint32_t> rgb = tests::Pattern(w, h, 7);
  for (int bpp : {24, 32}) {
    for (bool topDown : {false, true}) {
      tests::BmpLayout layout{w, h, bpp};
      layout.topDown = topDown;
      Outcome o = DecodeBytes(tests::MakeBmp(layout, rgb));
      ASSERT_EQ(o.code, 0) << o.text;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          ASSERT_EQ(Px(o.bitmap, x, y) & 0xFFFFFF, rgb[size_t(y * w + x)])
              << bpp << " " << topDown << " " << x << "," << y;
        }
      }
      if (bpp == 24) {
        EXPECT_EQ(Px(o.bitmap, 3, 2) >> 24, 255u);
      }
    }
  }
  for (int bpp : {4, 8}) {
    const std::vector<uint32_t> pal = tests::Palette(1 << bpp, 11);
    const std::vector<uint8_t> idx = tests::IndexPattern(w, h, 1 << bpp, 5);
    for (uint32_t compression : {0u, bpp == 4 ? 2u : 1u}) {
      for (bool topDown : {false, true}) {
        tests::BmpLayout layout{w, h, bpp, compression, topDown, pal};
        Outcome o = DecodeBytes(tests::MakeBmpIndexed(layout, idx));
        ASSERT_EQ(o.code, 0) << o.text;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) ASSERT_EQ(Px(o.bitmap, x, y), Opaque(pal[idx[size_t(y * w + x)]]));
        // Left to choose, the decoder keeps palette indices at 8 bits.
        Outcome eight = DecodeBytes(tests::MakeBmpIndexed(layout, idx), 0);
        ASSERT_EQ(eight.bitmap.BitsPerPixel(), 8);
        EXPECT_EQ(eight.bitmap.Row(2)[3], idx[size_t(2 * w + 3)]);
      }
    }
  }
}

TEST(ImagingBmp, OneBitIgnoresItsColourTable) {
  tests::BmpLayout layout{10, 2, 1};
  layout.palette = {0xFF0000, 0x0000FF};  // red and blue
  Outcome o = DecodeBytes(tests::MakeBmpIndexed(layout, {1, 0, 1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1}));
  ASSERT_EQ(o.code, 0) << o.text;
  EXPECT_EQ(Px(o.bitmap, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(Px(o.bitmap, 1, 0), 0xFF000000u);
  EXPECT_EQ(Px(o.bitmap, 9, 0), 0xFFFFFFFFu);
  EXPECT_EQ(Px(o.bitmap, 0, 1), 0xFF000000u);
  Outcome eight = DecodeBytes(tests::MakeBmpIndexed(layout, std::vector<uint8_t>(20, 1)), 8);
  EXPECT_EQ(eight.bitmap.Row(1)[9], 1);
}

TEST(ImagingBmp, ColourTableSizesAreSafe) {
  // 300 entries declared and present: only 256 are kept, and the pixels start after all 300.
  tests::BmpLayout big{4, 1, 8};
  big.palette = tests::Palette(300, 2);
  Outcome o = DecodeBytes(tests::MakeBmpIndexed(big, {0, 255, 7, 1}));
  ASSERT_EQ(o.code, 0) << o.text;
  EXPECT_EQ(Px(o.bitmap, 1, 0), Opaque(big.palette[255]));
  EXPECT_EQ(Px(o.bitmap, 2, 0), Opaque(big.palette[7]));
  // Two entries for an 8-bit picture: indices beyond them are opaque black.
  tests::BmpLayout small{3, 1, 8};
  small.palette = {0x123456, 0xABCDEF};
  o = DecodeBytes(tests::MakeBmpIndexed(small, {1, 2, 200}));
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(Px(o.bitmap, 0, 0), Opaque(0xABCDEF));
  EXPECT_EQ(Px(o.bitmap, 1, 0), 0xFF000000u);
  EXPECT_EQ(Px(o.bitmap, 2, 0), 0xFF000000u);
  // A colour count that no file can hold.
  small.colorsUsed = 0x7FFFFFFF;
  EXPECT_EQ(DecodeBytes(tests::MakeBmpIndexed(small, {0, 0, 0})).code, button::kDecodeEndOfData);
}

TEST(ImagingBmp, HeaderRulesAndCodes) {
  const std::vector<uint32_t> px = tests::Pattern(3, 2, 1);
  tests::BmpLayout layout{3, 2, 24};
  Bytes bad = tests::MakeBmp(layout, px);
  bad[0] = 'X';
  // "XM" is no longer recognised as a bitmap at all.
  EXPECT_EQ(DecodeBytes(bad).code, button::kDecodeUnknownType);
  for (uint32_t size : {12u, 108u, 124u}) {
    layout.headerSize = size;
    Outcome o = DecodeBytes(tests::MakeBmp(layout, px));
    EXPECT_EQ(o.code, button::kDecodeBadHeader);
    EXPECT_EQ(o.text, "Decoder error: Bitmap decoder: BITMAPINFOHEADER has wrong size.\n");
  }
  layout.headerSize = 40;
  for (int bpp : {0, 2, 16, 48}) {
    layout.bpp = bpp;
    Outcome o = DecodeBytes(tests::MakeBmpRaw(layout, Bytes(64, 0)));
    EXPECT_EQ(o.code, button::kDecodeBadHeader);
    EXPECT_EQ(o.text, "Decoder error: Decoding bmp: Illegal bpp value.\n");
  }
  // The depth is judged after the declared file size: a short 16-bit file is missing data first.
  layout.bpp = 16;
  layout.fileSizeField = 100000;
  EXPECT_EQ(DecodeBytes(tests::MakeBmpRaw(layout, Bytes(64, 0))).code, button::kDecodeEndOfData);
  layout.fileSizeField = -1;
  layout.bpp = 24;
  for (int w : {0, -3}) {
    tests::BmpLayout s = layout;
    s.width = w;
    EXPECT_EQ(DecodeBytes(tests::MakeBmpRaw(s, Bytes(64, 0))).code, button::kDecodeBadHeader);
  }
  tests::BmpLayout flat = layout;
  flat.height = 0;
  EXPECT_EQ(DecodeBytes(tests::MakeBmpRaw(flat, Bytes(64, 0))).code, button::kDecodeBadHeader);
  // The declared file size must be present; a zero field asks for nothing.
  layout.fileSizeField = 100000;
  EXPECT_EQ(DecodeBytes(tests::MakeBmp(layout, px)).code, button::kDecodeEndOfData);
  layout.fileSizeField = 0;
  EXPECT_EQ(DecodeBytes(tests::MakeBmp(layout, px)).code, 0);
}

TEST(ImagingBmp, AbsurdSizesAreRefusedBeforeAllocating) {
  // A 30000 x 30000 header over a few bytes: the missing pixels are noticed first.
  tests::BmpLayout layout{30000, 30000, 24};
  EXPECT_EQ(DecodeBytes(tests::MakeBmpRaw(layout, Bytes(16, 0))).code, button::kDecodeEndOfData);
  // RLE cannot be measured in advance: the limits decide.
  tests::BmpLayout rle{30000, 30000, 8, 1};
  rle.palette = tests::Palette(256, 1);
  Outcome o = DecodeBytes(tests::MakeBmpRaw(rle, {0, 1}));
  EXPECT_EQ(o.code, button::kDecodeNoMemory);
  button::DecodeLimits generous;
  generous.maxPixels = uint64_t(1) << 40;
  generous.maxDimension = 1 << 30;
  tests::BmpLayout wide{0x7FFFFFFF, 0x7FFFFFFF, 8, 1};
  wide.palette = rle.palette;
  EXPECT_EQ(DecodeBytes(tests::MakeBmpRaw(wide, {0, 1}), 32, generous).code, button::kDecodeNoMemory);
  tests::BmpLayout lowest{1, 1, 24};
  Bytes b = tests::MakeBmpRaw(lowest, Bytes(4, 0));
  b[22] = 0, b[23] = 0, b[24] = 0, b[25] = 0x80;  // height INT32_MIN
  EXPECT_EQ(DecodeBytes(b).code, button::kDecodeBadHeader);
}

TEST(ImagingBmp, RleEscapesAndRowEnds) {
  tests::BmpLayout layout{4, 3, 8, 1};
  layout.palette = {0x000000, 0x111111, 0x222222, 0x333333};
  // Row 0 (bottom): a run of 9 that must stop at the row end; row 1: absolute run of 3 plus padding.
  const Bytes rows = {9, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 0, 0, 1};
  Outcome o = DecodeBytes(tests::MakeBmpRaw(layout, rows));
  ASSERT_EQ(o.code, 0) << o.text;
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Px(o.bitmap, x, 2), Opaque(0x111111));
  EXPECT_EQ(Px(o.bitmap, 0, 1), Opaque(0x222222));
  EXPECT_EQ(Px(o.bitmap, 1, 1), Opaque(0x333333));
  EXPECT_EQ(Px(o.bitmap, 3, 1), 0u);  // not covered by the row's runs
  // End of bitmap on row 1 leaves the top row unwritten.
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Px(o.bitmap, x, 0), 0u);

  Outcome delta = DecodeBytes(tests::MakeBmpRaw(layout, {2, 1, 0, 2, 1, 1, 0, 0}));
  EXPECT_EQ(delta.code, button::kDecodeNoDecoder);
  EXPECT_EQ(delta.text, "Decoder error: Encountered delta escape.\n");
  layout.bpp = 4;
  layout.compression = 2;
  EXPECT_EQ(DecodeBytes(tests::MakeBmpRaw(layout, {0, 2, 1, 1})).code, button::kDecodeNoDecoder);
  // RLE4: an encoded run alternates the nibbles; an absolute run of 5 takes 3 bytes plus one pad.
  const Bytes rle4 = {3, 0x12, 0, 0, 0, 5, 0x30, 0x21, 0x30, 0, 0, 0, 0, 1};
  o = DecodeBytes(tests::MakeBmpRaw(layout, rle4));
  ASSERT_EQ(o.code, 0) << o.text;
  EXPECT_EQ(Px(o.bitmap, 0, 2), Opaque(0x111111));
  EXPECT_EQ(Px(o.bitmap, 1, 2), Opaque(0x222222));
  EXPECT_EQ(Px(o.bitmap, 2, 2), Opaque(0x111111));
  EXPECT_EQ(Px(o.bitmap, 0, 1), Opaque(0x333333));
  EXPECT_EQ(Px(o.bitmap, 3, 1), Opaque(0x111111));  // the fifth pixel fell off the row
  // A stream that ends without an end-of-bitmap code.
  EXPECT_EQ(DecodeBytes(tests::MakeBmpRaw(layout, {3, 0x12})).code, button::kDecodeEndOfData);
}

TEST(ImagingBmp, EveryTruncationFailsCleanly) {
  tests::BmpLayout rle{21, 6, 8, 1};
  rle.palette = tests::Palette(256, 4);
  tests::BmpLayout rgb{7, 5, 24};
  const Bytes rleFile = tests::MakeBmpIndexed(rle, tests::IndexPattern(21, 6, 256, 9));
  const Bytes rgbFile = tests::MakeBmp(rgb, tests::Pattern(7, 5, 2));
  for (const Bytes* whole : {&rleFile, &rgbFile}) {
    ASSERT_EQ(DecodeBytes(*whole).code, 0);
    // Every row of the RLE file ends with its own code, so only its final end-of-bitmap may go.
    const size_t complete = whole == &rleFile ? whole->size() - 2 : whole->size();
    for (size_t n = 0; n < whole->size(); ++n) {
      const int code = DecodeBytes(Bytes(whole->begin(), whole->begin() + long(n))).code;
      const int expected = n < 2 ? button::kDecodeUnknownType : n >= complete ? 0 : button::kDecodeEndOfData;
      ASSERT_EQ(code, expected) << n;
    }
  }
}

// ---------------------------------------------------------------- JPEG

TEST(ImagingJpeg, GreyAtBothDepths) {
  const int w = 19, h = 11;
  const std::vector<uint32_t> px = tests::Pattern(w, h, 9);
  Outcome grey = DecodeBytes(tests::MakeJpeg(w, h, px, true, 90), 32);
  ASSERT_EQ(grey.code, 0) << grey.text;
  ASSERT_EQ(grey.bitmap.BitsPerPixel(), 32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t p = Px(grey.bitmap, x, y);
      ASSERT_EQ(p >> 24, 255u);
      ASSERT_EQ(p & 0xFF, (p >> 8) & 0xFF);
      ASSERT_EQ(p & 0xFF, (p >> 16) & 0xFF);
    }
  }
  Outcome eight = DecodeBytes(tests::MakeJpeg(w, h, px, true, 90), 0);
  ASSERT_EQ(eight.bitmap.BitsPerPixel(), 8);
  EXPECT_EQ(eight.bitmap.Row(4)[6], Px(grey.bitmap, 6, 4) & 0xFF);
}

TEST(ImagingJpeg, DamagedStreams) {
  const int w = 32, h = 24;
  const Bytes whole = tests::MakeJpeg(w, h, tests::Pattern(w, h, 3), false, 80);
  // Cut inside the entropy-coded data: the library's premature-end path completes the picture.
  Bytes cut(whole.begin(), whole.begin() + long(whole.size() * 3 / 4));
  Outcome o = DecodeBytes(cut);
  EXPECT_EQ(o.code, 0) << o.text;
  EXPECT_EQ(o.bitmap.Width(), w);
  // Cut inside the headers: a libjpeg error, code 6, its own text with a line feed.
  Bytes header(whole.begin(), whole.begin() + 40);
  o = DecodeBytes(header);
  EXPECT_EQ(o.code, button::kDecodeNoDecoder);
  EXPECT_EQ(o.text.back(), '\n');
  // Every prefix either decodes or fails with code 6; the decoder object stays usable.
  button::CAnyPicDecoder decoder;
  for (size_t n = 3; n < whole.size(); n += 7) {
    button::CDataSource source;
    source.Attach("cut", whole.data(), n);
    button::CDecodedBitmap bitmap;
    try {
      decoder.Decode(source, bitmap, 32);
    } catch (const button::CTextException& e) {
      ASSERT_EQ(e.GetCode(), button::kDecodeNoDecoder) << n;
    }
  }
  button::CDataSource source;
  source.Attach("whole", whole.data(), whole.size());
  button::CDecodedBitmap bitmap;
  EXPECT_NO_THROW(decoder.Decode(source, bitmap, 32));
  // A frame header claiming 65000 x 65000 is refused by the limits.
  Bytes huge = whole;
  for (size_t i = 2; i + 9 < huge.size(); ++i) {
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 5] = 0xFD, huge[i + 6] = 0xE8, huge[i + 7] = 0xFD, huge[i + 8] = 0xE8;
      break;
    }
  }
  EXPECT_EQ(DecodeBytes(huge).code, button::kDecodeNoMemory);
}

TEST(ImagingJpeg, EndlessScansAreCut) {
  // A progressive picture whose last scan repeats: a handful of repeats decode (the library only
  // warns), more than CJPEGDecoder::kMaxScans are refused instead of being worked through.
  const Bytes progressive = tests::MakeJpeg(16, 16, tests::Pattern(16, 16, 2), false, 80, true);
  size_t lastScan = 0;
  for (size_t i = 2; i + 1 < progressive.size(); ++i) {
    if (progressive[i] == 0xFF && progressive[i + 1] == 0xDA) lastScan = i;
  }
  ASSERT_GT(lastScan, 0u);
  const Bytes scan(progressive.begin() + long(lastScan), progressive.end() - 2);
  auto withRepeats = [&](int n) {
    Bytes b(progressive.begin(), progressive.end() - 2);
    for (int i = 0; i < n; ++i) b.insert(b.end(), scan.begin(), scan.end());
    b.push_back(0xFF);
    b.push_back(0xD9);
    return b;
  };
  EXPECT_EQ(DecodeBytes(withRepeats(5)).code, 0);
  const Outcome many = DecodeBytes(withRepeats(button::CJPEGDecoder::kMaxScans + 10));
  EXPECT_EQ(many.code, button::kDecodeNoDecoder);
  // Like every libjpeg message: its own line feed, then the decoder error's.
  EXPECT_EQ(many.text, "Decoder error: Too many scans in a progressive JPEG.\n\n");
}

// ---------------------------------------------------------------- TIFF

TEST(ImagingTiff, AlphaAndFailures) {
  const int w = 6, h = 4;
  const std::vector<uint32_t> px = tests::Pattern(w, h, 5);
  std::vector<uint8_t> alpha(size_t(w * h), 255);
  alpha[0] = 0;
  Outcome o = DecodeBytes(tests::MakeTiff(w, h, px, COMPRESSION_LZW, true, alpha));
  ASSERT_EQ(o.code, 0) << o.text;
  EXPECT_TRUE(o.bitmap.HasAlpha());
  EXPECT_EQ(Px(o.bitmap, 0, 0) >> 24, 0u);
  EXPECT_EQ(Px(o.bitmap, 5, 3), Opaque(px[size_t(w * h - 1)]));
  EXPECT_EQ(Px(o.bitmap, 1, 0), Opaque(px[1]));
  Outcome opaque = DecodeBytes(tests::MakeTiff(w, h, px, COMPRESSION_ADOBE_DEFLATE, false));
  EXPECT_FALSE(opaque.bitmap.HasAlpha());

  button::DecodeLimits tight;
  tight.maxPixels = 20;
  Outcome big = DecodeBytes(tests::MakeTiff(w, h, px, COMPRESSION_NONE, false), 32, tight);
  EXPECT_EQ(big.code, button::kDecodeNoMemory);
  EXPECT_EQ(big.text, "Decoder error: Out of memory allocating TIFF buffer.\n");

  Bytes broken = {'I', 'I', 42, 0, 0xFF, 0xFF, 0xFF, 0x7F};
  Outcome b = DecodeBytes(broken);
  EXPECT_EQ(b.code, button::kDecodeNotBitmap);
  EXPECT_GT(b.text.size(), std::string("Decoder error: \n").size());
  const Bytes whole = tests::MakeTiff(40, 30, tests::Pattern(40, 30, 1), COMPRESSION_LZW, false);
  for (size_t n = 4; n < whole.size(); n += 13) {
    const int code = DecodeBytes(Bytes(whole.begin(), whole.begin() + long(n))).code;
    ASSERT_TRUE(code == 0 || code == button::kDecodeNotBitmap) << n << " " << code;
  }
}

// ---------------------------------------------------------------- GIF

struct GifRun {
  GifRun() : holder(std::make_shared<button::CImageDIB>()), dib(*holder) {}
  int result = 0;
  int rows = 0;
  std::shared_ptr<button::CImageDIB> holder;
  button::CImageDIB& dib;
};

GifRun DecodeGif(const Bytes& bytes, uint32_t background = 0x00FF8040) {
  GifRun run;
  button::CGifDecoder decoder;
  run.result = decoder.DecodeMemory(&run.dib, background, bytes.data(), bytes.size());
  run.rows = decoder.RowsDecoded();
  return run;
}

// Memory rows are bottom-up: y from the top.
uint32_t Top(const button::CImageDIB& d, int x, int y) { return d.Pixel(x, d.Height() - 1 - y); }

void ExpectPixels(const button::CImageDIB& d, const std::vector<uint32_t>& pal, const std::vector<uint8_t>& idx, int w,
                  int h) {
  ASSERT_EQ(d.Width(), w);
  ASSERT_EQ(d.Height(), h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(Top(d, x, y), Opaque(pal[idx[size_t(y * w + x)]])) << x << "," << y;
}

TEST(ImagingGif, SequentialInterlacedAndFullTable) {
  const int w = 37, h = 29;
  const std::vector<uint32_t> pal = tests::Palette(256, 3);
  const std::vector<uint8_t> idx = tests::IndexPattern(w, h, 256, 8);
  for (bool interlaced : {false, true}) {
    tests::GifFrame f{0, 0, w, h, interlaced, {}, idx};
    GifRun r = DecodeGif(tests::MakeGif({w, h, pal, {f}}));
    EXPECT_EQ(r.result, button::CGifDecoder::kDecoded);
    ExpectPixels(r.dib, pal, idx, w, h);
  }
  // A large noisy image fills the 4096-entry table: with clear codes, and without (the table then
  // stays full and decoding goes on with the strings it has).
  const int bw = 300, bh = 200;
  const std::vector<uint8_t> noisy = tests::IndexPattern(bw, bh, 200, 4);
  for (bool neverClear : {false, true}) {
    tests::GifFrame f{0, 0, bw, bh, false, {}, noisy};
    f.neverClear = neverClear;
    GifRun r = DecodeGif(tests::MakeGif({bw, bh, pal, {f}}));
    ExpectPixels(r.dib, pal, noisy, bw, bh);
  }
  // Small tables: 2 colours with the smallest code size.
  const std::vector<uint32_t> two = {0x000000, 0xFFFFFF};
  const std::vector<uint8_t> bits = tests::IndexPattern(17, 9, 2, 1);
  GifRun r = DecodeGif(tests::MakeGif({17, 9, two, {{0, 0, 17, 9, true, {}, bits}}}));
  ExpectPixels(r.dib, two, bits, 17, 9);
}

TEST(ImagingGif, FirstImageTransparencyAndLocalTable) {
  const std::vector<uint32_t> global = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
  const std::vector<uint32_t> local = {0xFF0000, 0x00FF00};
  tests::GifFrame first{3, 2, 5, 4, false, local, std::vector<uint8_t>(20, 1)};
  first.indices[0] = 0;
  first.transparent = 0;
  first.delay = 25;
  tests::GifFrame second{0, 0, 10, 10, false, {}, std::vector<uint8_t>(100, 2)};
  button::CGifDecoder decoder;
  button::CImageDIB dib;
  const Bytes bytes = tests::MakeGif({10, 10, global, {first, second}});
  ASSERT_EQ(decoder.DecodeMemory(&dib, 0x00336699, bytes.data(), bytes.size()), button::CGifDecoder::kDecoded);
  ASSERT_EQ(dib.Width(), 5);
  ASSERT_EQ(dib.Height(), 4);
  EXPECT_EQ(Top(dib, 0, 0), 0x00996633u);  // background colour, red and blue swapped, fourth byte 0
  EXPECT_EQ(Top(dib, 1, 0), Opaque(0x00FF00));
  EXPECT_EQ(decoder.Delay(), 25);
  EXPECT_EQ(decoder.TransparentIndex(), 0);
  // The local table does not leak into the next decode: the global one is restored.
  tests::GifFrame plain{0, 0, 2, 1, false, {}, {3, 1}};
  const Bytes again = tests::MakeGif({2, 1, global, {plain}});
  ASSERT_EQ(decoder.DecodeMemory(&dib, 0, again.data(), again.size()), button::CGifDecoder::kDecoded);
  EXPECT_EQ(Top(dib, 0, 0), Opaque(0xA0B0C0));
  EXPECT_EQ(decoder.TransparentIndex(), -1);
}

TEST(ImagingGif, ResultCodes) {
  button::CGifDecoder decoder;
  button::CImageDIB dib;
  const Bytes gif = tests::MakeGif({1, 1, {0, 0xFFFFFF}, {{0, 0, 1, 1, false, {}, {1}}}});
  EXPECT_EQ(decoder.Decode(&dib, 0, TempFile("missing-folder/none.gif", {})), button::CGifDecoder::kUnreadable);
  EXPECT_EQ(decoder.Decode(nullptr, 0, TempFile("ok.gif", gif)), button::CGifDecoder::kUnreadable);
  EXPECT_EQ(decoder.Decode(&dib, 0, TempFile("bmp.gif", tests::MakeBmp({1, 1, 24}, {0}))),
            button::CGifDecoder::kNotGif);
  EXPECT_EQ(decoder.Decode(&dib, 0, TempFile("short.gif", {'G', 'I'})), button::CGifDecoder::kNotGif);
  EXPECT_EQ(decoder.Decode(&dib, 0, TempFile("nothing.gif", {})), button::CGifDecoder::kNotGif);
  Bytes lower = gif;
  lower[0] = 'g', lower[1] = 'i', lower[2] = 'f';
  EXPECT_EQ(decoder.Decode(&dib, 0, TempFile("lower.gif", lower)), button::CGifDecoder::kDecoded);
  EXPECT_EQ(Top(dib, 0, 0), 0xFFFFFFFFu);
  // Read but without an image: the screen-sized white buffer.
  const Bytes noImage = {'G', 'I', 'F', '8', '9', 'a', 4, 0, 3, 0, 0, 0, 0, 0x3B};
  EXPECT_EQ(decoder.Decode(&dib, 0, TempFile("empty.gif", noImage)), button::CGifDecoder::kDecoded);
  EXPECT_EQ(dib.Width(), 4);
  EXPECT_EQ(dib.Height(), 3);
}

TEST(ImagingGif, BrokenStreamsKeepTheRowsDecodedSoFar) {
  const std::vector<uint32_t> pal = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
  const int w = 4, h = 3;
  // Two rows of index 1 as literal codes, then a code far beyond the next free one.
  std::vector<std::pair<int, int>> codes = {{4, 3}};
  for (int i = 0; i < 8; ++i) codes.push_back({1, i < 3 ? 3 : 4});
  codes.push_back({15, 4});
  GifRun r = DecodeGif(tests::MakeGifRaw(w, h, w, h, pal, 2, tests::PackCodes(codes)));
  EXPECT_EQ(r.result, button::CGifDecoder::kDecoded);
  EXPECT_EQ(r.rows, 2);
  EXPECT_EQ(Top(r.dib, 3, 1), Opaque(0x0000FF));
  EXPECT_EQ(Top(r.dib, 0, 2), 0xFFFFFFFFu);  // the third row was never decoded

  // Minimum code sizes that cannot be: nothing decoded, nothing broken.
  for (int m : {0, 9, 12, 255}) {
    GifRun bad = DecodeGif(tests::MakeGifRaw(w, h, w, h, pal, m, tests::PackCodes({{1 << std::min(m, 11), 12}})));
    EXPECT_EQ(bad.result, button::CGifDecoder::kDecoded);
    EXPECT_EQ(bad.rows, 0);
  }
  // A string longer than the rest of the image is cut at the image's end.
  const std::vector<uint8_t> ones(size_t(w * h), 1);
  std::vector<std::pair<int, int>> longRun = tests::LzwCodes(std::vector<uint8_t>(200, 1), 2, false);
  GifRun cut = DecodeGif(tests::MakeGifRaw(w, h, w, h, pal, 2, tests::PackCodes(longRun)));
  EXPECT_EQ(cut.rows, h);
  ExpectPixels(cut.dib, pal, ones, w, h);
  // An image larger than the screen gets its own size; a zero-sized one decodes nothing.
  GifRun large = DecodeGif(tests::MakeGif({2, 2, pal, {{0, 0, 6, 5, false, {}, std::vector<uint8_t>(30, 3)}}}));
  ExpectPixels(large.dib, pal, std::vector<uint8_t>(30, 3), 6, 5);
  GifRun zero = DecodeGif(tests::MakeGifRaw(2, 2, 0, 7, pal, 2, tests::PackCodes({{4, 3}, {5, 3}})));
  EXPECT_EQ(zero.result, button::CGifDecoder::kDecoded);
  EXPECT_EQ(zero.rows, 0);
  GifRun nothing = DecodeGif(tests::MakeGifRaw(0, 0, 0, 0, pal, 2, tests::PackCodes({{4, 3}})));
  EXPECT_EQ(nothing.result, button::CGifDecoder::kDecoded);
  EXPECT_FALSE(nothing.dib.HasPixels());
}

TEST(ImagingGif, EveryTruncationEndsCleanly) {
  const std::vector<uint32_t> pal = tests::Palette(16, 2);
  tests::GifFrame f{0, 0, 23, 13, true, {}, tests::IndexPattern(23, 13, 16, 3)};
  f.transparent = 4;
  const Bytes whole = tests::MakeGif({23, 13, pal, {f}});
  int lastRows = 0;
  for (size_t n = 0; n <= whole.size(); ++n) {
    GifRun r = DecodeGif(Bytes(whole.begin(), whole.begin() + long(n)));
    ASSERT_EQ(r.result, n < 3 ? button::CGifDecoder::kNotGif : button::CGifDecoder::kDecoded);
    ASSERT_GE(r.rows, lastRows);  // more data never means fewer rows
    lastRows = r.rows;
  }
  EXPECT_EQ(lastRows, 13);
}

// ---------------------------------------------------------------- routing

TEST(ImagingRouting, NamesDecideTheDecoder) {
  EXPECT_TRUE(button::IsGifPicturePath("a.GIF"));
  EXPECT_TRUE(button::IsGifPicturePath("x.gIf"));
  EXPECT_TRUE(button::IsGifPicturePath("agif"));
  EXPECT_TRUE(button::IsGifPicturePath("gif"));
  EXPECT_FALSE(button::IsGifPicturePath("if"));
  EXPECT_FALSE(button::IsGifPicturePath("a.gif.bmp"));
  EXPECT_FALSE(button::IsGifPicturePath("a.gi"));

  const Bytes bmp = tests::MakeBmp({3, 2, 24}, tests::Pattern(3, 2, 4));
  const Bytes gif = tests::MakeGif({2, 1, {0x0000FF, 0xFF0000}, {{0, 0, 2, 1, false, {}, {1, 0}, 1}}});
  button::CImageDIB dib;
  button::PictureResult r = button::DecodePictureFile(TempFile("pic.gif.bmp", bmp), 0, dib);
  EXPECT_TRUE(r.Ok());
  EXPECT_FALSE(r.viaGif);
  EXPECT_EQ(dib.Width(), 3);
  EXPECT_EQ(dib.Pixel(0, 1) & 0xFFFFFF, tests::Pattern(3, 2, 4)[0]);
  r = button::DecodePictureFile(TempFile("bitmap.jpg", bmp), 0, dib);
  EXPECT_TRUE(r.Ok());
  r = button::DecodePictureFile(TempFile("anim.GIF", gif), 0x0000FF00, dib);
  EXPECT_TRUE(r.Ok());
  EXPECT_TRUE(r.viaGif);
  EXPECT_EQ(dib.Pixel(0, 0), 0x0000FF00u);  // transparent: the background
  EXPECT_EQ(dib.Pixel(1, 0), Opaque(0x0000FF));
  r = button::DecodePictureFile(TempFile("gif-named.jpg", gif), 0, dib);
  EXPECT_EQ(r.outcome, button::PictureOutcome::DecoderFailed);
  EXPECT_EQ(r.code, button::kDecodeUnknownType);
  r = button::DecodePictureFile(TempFile("bitmap-named.gif", bmp), 0, dib);
  EXPECT_EQ(r.outcome, button::PictureOutcome::GifNotGif);
  r = button::DecodePictureFile(TempFile("gone/none.gif", {}), 0, dib);
  EXPECT_EQ(r.outcome, button::PictureOutcome::GifUnreadable);
  r = button::DecodePictureFile(TempFile("gone2/none.bmp", {}), 0, dib);
  EXPECT_EQ(r.outcome, button::PictureOutcome::DecoderFailed);
  EXPECT_EQ(r.code, button::kDecodePathNotFound);
}

}  // namespace
