// ZBHOST.exe as its users run it: a generated property file with pictures of plain colours, the
// screenshot read back through the system's own BMP loader, the event log captured from stdout,
// and refused property files.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <algorithm>
#include <vector>

#include "tests/support/ChildProcess_win.h"
#include "tests/support/TestPaths.h"
#include "tests/support/UiDriver_win.h"

namespace {

// The control module of this build, registered so that ZBHOST makes our control and no other.
class RegisteredControl : public ::testing::Environment {
 public:
  void SetUp() override {
    HMODULE module = LoadLibraryW((tests::OwnFolder() + L"\\ZEPHONBUTTONPRO.OCX").c_str());
    ASSERT_NE(module, nullptr);
    using Fn = HRESULT(STDAPICALLTYPE*)();
    auto reg = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_NE(reg, nullptr);
    ASSERT_EQ(reg(), S_OK);
  }
};
const auto* const kControl = ::testing::AddGlobalTestEnvironment(new RegisteredControl);

// A 24-bit BMP of one colour (r, g, b), written here independently of ZBHOST's own writer.
void WriteSolidBmp(const std::string& path, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  const int stride = (w * 3 + 3) & ~3;
  std::vector<uint8_t> f(size_t(54 + stride * h), 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + size_t(i)] = uint8_t(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, uint32_t(f.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  f[26] = 1;
  f[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &f[size_t(54 + y * stride + x * 3)];
      p[0] = b;
      p[1] = g;
      p[2] = r;
    }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(f.data()), std::streamsize(f.size()));
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

using HostRun = tests::ChildRun;

// Runs ZBHOST.exe with `args` and collects its exit status, stdout and stderr.
HostRun RunHost(const std::wstring& args) { return tests::RunChild(tests::OwnFolder() + L"\\ZBHOST.exe", args); }

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Index of the first line at or after `from` that starts with `prefix`, or -1.
int Find(const std::vector<std::string>& lines, const std::string& prefix, int from = 0) {
  for (int i = std::max(from, 0); i < int(lines.size()); ++i)
    if (lines[size_t(i)].compare(0, prefix.size(), prefix) == 0) return i;
  return -1;
}

// A screenshot read through the system's BMP loader.
class Shot {
 public:
  explicit Shot(const std::string& path)
      : m_bitmap(static_cast<HBITMAP>(
            LoadImageW(nullptr, Wide(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION))),
        m_dc(CreateCompatibleDC(nullptr)) {
    if (m_bitmap) {
      BITMAP bm{};
      GetObjectW(m_bitmap, sizeof bm, &bm);
      width = bm.bmWidth;
      height = bm.bmHeight;
      m_old = SelectObject(m_dc, m_bitmap);
    }
  }
  ~Shot() {
    if (m_old) SelectObject(m_dc, m_old);
    DeleteDC(m_dc);
    if (m_bitmap) DeleteObject(m_bitmap);
  }
  bool Loaded() const { return m_bitmap != nullptr; }
  // 0xRRGGBB at (x, y), y downward.
  uint32_t At(int x, int y) const {
    const COLORREF c = GetPixel(m_dc, x, y);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
  }
  int width = 0, height = 0;

 private:
  HBITMAP m_bitmap;
  HDC m_dc;
  HGDIOBJ m_old = nullptr;
};

constexpr uint32_t kBack = 0x204060, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00,
                   kMagenta = 0xFF00FF;

class ZbhostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = tests::MakeTempDir("zbhost") + "\\";
    WriteSolidBmp(dir + "red.bmp", 40, 30, 0xFF, 0, 0);
    WriteSolidBmp(dir + "green.bmp", 40, 30, 0, 0xFF, 0);
    WriteSolidBmp(dir + "blue.bmp", 40, 30, 0, 0, 0xFF);
    CreateDirectoryA((dir + "pics").c_str(), nullptr);
    WriteSolidBmp(dir + "pics\\yellow.bmp", 50, 24, 0xFF, 0xFF, 0);
    WriteSolidBmp(dir + "pics\\magenta.bmp", 50, 24, 0xFF, 0, 0xFF);
    // Two buttons: A with three state pictures, B a check button (mode 3) whose pictures sit in a
    // subfolder; both named relative to the file.
    WriteText(dir + "buttons.txt",
              "[Window]\r\nBackColor=#204060\r\n"
              "[A]\r\nLeft=20\r\nTop=20\r\nWidth=40\r\nHeight=30\r\n"
              "PictureURL=red.bmp\r\nPictureOverURL=green.bmp\r\nPictureDownURL=blue.bmp\r\n"
              "[B]\r\nLeft=90\r\nTop=20\r\nWidth=50\r\nHeight=24\r\nButtonMode=3\r\n"
              "PictureURL=pics/yellow.bmp\r\nPictureDownURL=pics\\magenta.bmp\r\n");
  }
  HostRun Host(const std::string& file, const std::string& args) {
    return RunHost(L"\"" + Wide(dir + file) + L"\" " + Wide(args));
  }
  std::string dir;
};

TEST_F(ZbhostTest, ScreenshotShowsEveryButtonsPictureWhereTheFilePutsIt) {
  const HostRun run = Host("buttons.txt", "--wait 100 --screenshot \"" + dir + "shot.bmp\"");
  ASSERT_EQ(run.code, 0u) << run.err;
  EXPECT_NE(run.out.find("# screenshot saved to "), std::string::npos) << run.out;
  Shot shot(dir + "shot.bmp");
  ASSERT_TRUE(shot.Loaded());
  // The client area fits the buttons with a margin of 10: B ends at 140 across, A at 50 down
  // (the height is held at its minimum of 40).
  EXPECT_EQ(shot.width, 150);
  EXPECT_EQ(shot.height, 60);
  EXPECT_EQ(shot.At(20, 20), kRed);
  EXPECT_EQ(shot.At(59, 49), kRed);
  EXPECT_EQ(shot.At(115, 31), kYellow);
  EXPECT_EQ(shot.At(139, 43), kYellow);
  EXPECT_EQ(shot.At(5, 5), kBack);
  EXPECT_EQ(shot.At(60, 35), kBack);
  EXPECT_EQ(shot.At(115, 44), kBack);
  EXPECT_EQ(shot.At(149, 59), kBack);
}

TEST_F(ZbhostTest, ClicksReachTheButtonsInOrderAndTheScreenshotFollowsThem) {
  const HostRun run = Host("buttons.txt", "--wait 50 --click B --rclick a --screenshot \"" + dir + "clicked.bmp\"");
  ASSERT_EQ(run.code, 0u) << run.err;
  const std::vector<std::string> log = Lines(run.out);
  // A left click: press, click, release; the check button latches on at the press.
  const int check = Find(log, "B OnCheck IsCheck=True");
  const int down = Find(log, "B MouseDown Button=1 Shift=0 x=25 y=12");
  const int click = Find(log, "B MouseClick", down);
  const int up = Find(log, "B MouseUp Button=0 Shift=0 x=25 y=12", click);
  EXPECT_GE(check, 0) << run.out;
  EXPECT_GE(down, 0) << run.out;
  EXPECT_LT(check, down);
  EXPECT_GT(click, down) << run.out;
  EXPECT_GT(up, click) << run.out;
  // Then the right click on A, which the command line names in another letter case.
  const int rdown = Find(log, "A MouseRightDown Button=2 Shift=0 x=20 y=15", up);
  const int rup = Find(log, "A MouseRightUp Button=0", rdown);
  const int rclick = Find(log, "A MouseRightClick", rup);
  EXPECT_GT(rdown, up) << run.out;
  EXPECT_GT(rup, rdown) << run.out;
  EXPECT_GT(rclick, rup) << run.out;
  for (const std::string& line : log)
    EXPECT_TRUE(line.rfind("A ", 0) == 0 || line.rfind("B ", 0) == 0 || line.rfind("# ", 0) == 0) << line;

  Shot shot(dir + "clicked.bmp");
  ASSERT_TRUE(shot.Loaded());
  EXPECT_EQ(shot.At(115, 31), kMagenta);  // B latched: its down picture stays
  EXPECT_EQ(shot.At(40, 35), kRed);       // a right click leaves A as it was
}

TEST_F(ZbhostTest, WhatTheControlReportsWhileLoadingIsLogged) {
  WriteText(dir + "broken.bmp", "BM this is no picture");
  WriteText(dir + "broken.txt", "[C]\nPictureURL=broken.bmp\n");
  const HostRun run = Host("broken.txt", "--wait 0 --exit-after 0");
  EXPECT_EQ(run.code, 0u) << run.err;
  const std::string url = "C PictureError URL=\"" + dir + "broken.bmp\"";
  EXPECT_NE(run.out.find(url), std::string::npos) << run.out;
}

TEST_F(ZbhostTest, RefusedPropertyFilesNameFileAndLineAndShowNothing) {
  struct Case {
    const char* text;
    int line;
    const char* says;
  } cases[] = {
      {"[A]\nPictureURL=red.bmp\nNoSuchThing=1\n", 3, "NoSuchThing: the button control has no such property"},
      {"[A]\nAlignHor=left\n", 2, "AlignHor: \"left\" is not a number"},
      {"[A]\nAlignHor=40000\n", 2, "AlignHor: \"40000\" is out of range"},
      {"[A]\n\nPictureOverURL=missing.bmp\n", 3, "PictureOverURL: picture file not found: "},
      {"[A]\nBackGroundColor=#12345\n", 2, "BackGroundColor: "},
      {"[A]\nEnabled=maybe\n", 2, "Enabled: \"maybe\" is not True or False"},
      {"[A]\nToolTipWaitTime=5\nToolWaitTime=6\n", 3, "set twice"},
      {"[A]\nTextFont=Liberation Sans,huge\n", 2, "TextFont: font"},
      {"[A]\nPictureRES=missing.bmp\n", 2, "PictureRES: picture file not found"},
      {"[A]\nText=ok\n[A]\n", 3, "a second button named A"},
  };
  for (const Case& c : cases) {
    WriteText(dir + "bad.txt", c.text);
    const HostRun run = Host("bad.txt", "--wait 0 --exit-after 0");
    EXPECT_EQ(run.code, 2u) << c.text;
    const std::vector<std::string> err = Lines(run.err);
    ASSERT_EQ(err.size(), 1u) << c.text << run.err;
    const std::string where = "ZBHOST: " + dir + "bad.txt:" + std::to_string(c.line) + ": ";
    EXPECT_EQ(err[0].rfind(where, 0), 0u) << err[0];
    EXPECT_NE(err[0].find(c.says), std::string::npos) << err[0];
    EXPECT_EQ(run.out, "") << c.text;
  }
  const HostRun unknown = Host("buttons.txt", "--click Z");
  EXPECT_EQ(unknown.code, 2u);
  EXPECT_NE(unknown.err.find("no button named Z"), std::string::npos) << unknown.err;
}

}  // namespace
