// The Windows file source: open results from the platform's errors, and UTF-8 paths.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "button/imaging/CAnyPicDecoder.h"
#include "button/imaging/CFileSource.h"
#include "button/imaging/PictureDecode.h"
#include "button/pixels/ImageDIB.h"
#include "tests/native/imaging_forge.h"
#include "tests/support/TestPaths.h"

namespace {

namespace fs = std::filesystem;

// A handle closed when it goes.
struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

std::string Utf8(const fs::path& p) { return p.u8string(); }

// Writes through the wide-character API, whatever the ANSI code page.
bool Write(const fs::path& p, const tests::Bytes& bytes) {
  Handle f{CreateFileW(p.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)};
  DWORD written = 0;
  return f.h != INVALID_HANDLE_VALUE && WriteFile(f.h, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

TEST(ImagingWinFileSource, PlatformErrorsBecomeOpenResults) {
  const fs::path dir = fs::u8path(tests::MakeTempDir("imaging-win"));
  const fs::path file = dir / "locked.bmp";
  ASSERT_TRUE(Write(file, tests::MakeBmp({2, 1, 24}, {0x112233, 0x445566})));
  button::CFileSource source;
  EXPECT_EQ(source.Open(Utf8(file)), 0);
  EXPECT_EQ(source.Size(), fs::file_size(file));
  source.Close();
  EXPECT_EQ(source.Open(Utf8(dir / "missing.bmp")), 4);
  EXPECT_EQ(source.Open(Utf8(dir / "missing" / "x.bmp")), 3);
  {
    // Another handle without read sharing: a sharing violation.
    Handle lock{CreateFileW(file.wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
    ASSERT_NE(lock.h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(source.Open(Utf8(file)), 5);
  }
  EXPECT_EQ(source.Open(Utf8(file)), 0);
  // The mapping is read-only and shares reading: others may read while we decode.
  Handle reader{CreateFileW(file.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)};
  EXPECT_NE(reader.h, INVALID_HANDLE_VALUE);
}

TEST(ImagingWinFileSource, NonAsciiPathsDecode) {
  const fs::path dir = fs::u8path(tests::MakeTempDir("imaging-win")) / fs::u8path(u8"Bilder \u00e4\u00f1\u20ac");
  fs::create_directories(dir);
  const fs::path bmp = dir / fs::u8path(u8"b\u00f6t\u00f3n.bmp");
  const fs::path gif = dir / fs::u8path(u8"\u00fcber.GIF");
  ASSERT_TRUE(Write(bmp, tests::MakeBmp({2, 1, 24}, {0x112233, 0x445566})));
  ASSERT_TRUE(Write(gif, tests::MakeGif({1, 1, {0x00, 0xABCDEF}, {{0, 0, 1, 1, false, {}, {1}}}})));
  button::CImageDIB dib;
  button::PictureResult r = button::DecodePictureFile(Utf8(bmp), 0, dib);
  ASSERT_TRUE(r.Ok()) << r.text;
  EXPECT_EQ(dib.Pixel(1, 0) & 0xFFFFFF, 0x445566u);
  r = button::DecodePictureFile(Utf8(gif), 0, dib);
  ASSERT_TRUE(r.Ok()) << r.text;
  EXPECT_TRUE(r.viaGif);
  EXPECT_EQ(dib.Pixel(0, 0) & 0xFFFFFF, 0xABCDEFu);
}

}  // namespace
