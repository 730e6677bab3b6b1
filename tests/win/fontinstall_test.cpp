// Fonts fetched from internet addresses: CInternetFontInstaller and the control's
// InstallFontFromInternet against an HTTP server inside the test, serving fonts the test makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "button/imaging/CInternetFontInstaller.h"
#include "tests/support/LoopbackHttpServer_win.h"
#include "tests/support/TestFont.h"
#include "tests/win/control_props_support.h"

using namespace tests;
using tests::LoopbackHttpServer;

namespace {

std::wstring TempFolder() {
  wchar_t dir[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, dir);
  return dir;
}

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void WriteAll(const std::wstring& path, const std::string& bytes) {
  std::ofstream(path.c_str(), std::ios::binary) << bytes;
}
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The face GDI really uses when asked for `face` at `height`.
std::wstring FaceOf(const std::wstring& face, int height = 16) {
  LOGFONTW lf{};
  lf.lfHeight = -height;
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t used[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, used);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  return used;
}

// Working files the installer makes in the temporary folder while a download runs.
size_t WorkingFiles() {
  size_t n = 0;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((TempFolder() + L"ZPX*.tmp").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do ++n;
  while (FindNextFileW(h, &fd));
  FindClose(h);
  return n;
}

// Takes an added font file away again at the end of a test (the product never does).
struct FontFileCleanup {
  std::wstring path;
  ~FontFileCleanup() {
    while (RemoveFontResourceW(path.c_str())) {
    }
    DeleteFileW(path.c_str());
  }
};

}  // namespace

TEST(InternetFontInstaller, TheServedFontBecomesUsableByNameFromItsFileInTheTemporaryFolder) {
  LoopbackHttpServer server;
  ASSERT_NE(server.port(), 0);
  const std::string font = tests::MakeTrueTypeFont("Zb Font Alpha");
  server.Set("/fonts/ZbAlpha.ttf", font);
  const std::wstring local = TempFolder() + L"ZbAlpha.ttf";
  FontFileCleanup cleanup{local};
  // Wine keeps the face it chose for a font description for good, even after the font is added:
  // the look before the installation uses another size than the looks after it.
  ASSERT_NE(FaceOf(L"Zb Font Alpha", 15), L"Zb Font Alpha");
  const size_t working = WorkingFiles();

  button::CInternetFontInstaller installer;
  ASSERT_TRUE(installer.Install(server.Url(L"/fonts/ZbAlpha.ttf"))) << installer.GetErrorText().c_str();
  EXPECT_EQ(installer.GetErrorText(), L"");
  EXPECT_EQ(FaceOf(L"Zb Font Alpha"), L"Zb Font Alpha");
  EXPECT_EQ(ReadAll(local), font);
  EXPECT_EQ(WorkingFiles(), working);

  // The file is in use by the font engine now: a second call finds the font there and fetches
  // nothing.
  const int requests = server.requests;
  button::CInternetFontInstaller again;
  EXPECT_TRUE(again.Install(server.Url(L"/fonts/ZbAlpha.ttf")));
  EXPECT_EQ(again.GetErrorText(), L"");
  EXPECT_EQ(server.requests, requests);
}

TEST(InternetFontInstaller, FailuresSayWhyAndLeaveNoFilesBehind) {
  LoopbackHttpServer server;
  ASSERT_NE(server.port(), 0);
  server.Set("/fonts/Page.ttf", "<html><body>Font moved</body></html>");
  server.Set("/fonts/Broken.ttf", std::string("\x00\x01\x00\x00", 4) + std::string(300, 'x'));
  const std::wstring temp = TempFolder();
  const size_t working = WorkingFiles();
  struct Case {
    std::wstring url;
    std::wstring text;
    bool fetched;
  };
  const std::wstring missing = server.Url(L"/fonts/Missing.ttf");
  const std::wstring closed = L"http://127.0.0.1:9/fonts/Face.ttf";
  const Case cases[] = {
      {missing, L"Requested URL not found: " + missing, true},
      {server.Url(L"/status/500/Face.ttf"), L"Unknown server error.", true},
      {closed, L"Internet Session - Cant open URL: " + closed, false},
      {server.Url(L"/fonts/Page.ttf"), L"Adding font to system fail fontname: " + temp + L"Page.ttf", true},
      {server.Url(L"/fonts/Broken.ttf"), L"Adding font to system fail fontname: " + temp + L"Broken.ttf", true},
      {server.Url(L"/fonts/"), L"Bad HTTP URL (Font name).", false},
      {L"", L"Bad HTTP URL (Font name).", false},
      // Names that are no plain file in the temporary folder are refused before any transfer.
      {server.Url(L"/fonts/COM1"), L"Internet Session - Cant Create temp file: " + temp + L"COM1", false},
      {server.Url(L"/fonts/nul.ttf"), L"Internet Session - Cant Create temp file: " + temp + L"nul.ttf", false},
      {server.Url(L"/fonts/Face.ttf?v=2"), L"Internet Session - Cant Create temp file: " + temp + L"Face.ttf?v=2",
       false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.url.begin(), k.url.end()));
    const int requests = server.requests;
    button::CInternetFontInstaller installer;
    EXPECT_FALSE(installer.Install(k.url));
    EXPECT_EQ(installer.GetErrorText(), k.text);
    EXPECT_EQ(server.requests, requests + (k.fetched ? 1 : 0));
  }
  EXPECT_FALSE(Exists(temp + L"Page.ttf"));
  EXPECT_FALSE(Exists(temp + L"Broken.ttf"));
  EXPECT_FALSE(Exists(temp + L"Missing.ttf"));
  EXPECT_EQ(WorkingFiles(), working);
}

TEST(InternetFontInstaller, OnlyAFontReplacesAnEarlierFileOfTheSameName) {
  LoopbackHttpServer server;
  ASSERT_NE(server.port(), 0);
  const std::wstring local = TempFolder() + L"ZbKeep.ttf";
  FontFileCleanup cleanup{local};
  WriteAll(local, "earlier file");
  server.Set("/a/ZbKeep.ttf", "<html>not a font</html>");
  const std::string font = tests::MakeTrueTypeFont("Zb Font Keep");
  server.Set("/c/ZbKeep.ttf", font);

  for (const wchar_t* path : {L"/a/ZbKeep.ttf", L"/b/ZbKeep.ttf"}) {
    button::CInternetFontInstaller installer;
    EXPECT_FALSE(installer.Install(server.Url(path)));
    EXPECT_EQ(ReadAll(local), "earlier file") << installer.GetErrorText().c_str();
  }
  button::CInternetFontInstaller installer;
  ASSERT_TRUE(installer.Install(server.Url(L"/c/ZbKeep.ttf"))) << installer.GetErrorText().c_str();
  EXPECT_EQ(ReadAll(local), font);
  EXPECT_EQ(FaceOf(L"Zb Font Keep"), L"Zb Font Keep");
}

TEST(ControlFonts, InstallFontFromInternetAnswersTrueOrFiresInternetFontErrorOnce) {
  LoopbackHttpServer server;
  ASSERT_NE(server.port(), 0);
  server.Set("/fonts/ZbBeta.ttf", tests::MakeTrueTypeFont("Zb Font Beta"));
  FontFileCleanup cleanup{TempFolder() + L"ZbBeta.ttf"};
  common::ComPtr<IDispatch> c = CreateControl();
  ASSERT_TRUE(c);
  ASSERT_HRESULT_SUCCEEDED(SiteAndInit(c.Get(), nullptr));
  auto events = EventRecorder::Attach(c.Get());
  ASSERT_TRUE(events);
  common::ComPtr<IPersistStreamInit> persist;
  ASSERT_HRESULT_SUCCEEDED(c->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()));
  const HRESULT dirtyBefore = persist->IsDirty();

  // Failures: FALSE, one event each with the reason, nothing else changed.
  const std::wstring missing = server.Url(L"/fonts/Missing.ttf");
  for (const std::wstring& url : {missing, std::wstring()}) {
    common::Variant result;
    ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"InstallFontFromInternet", {Str(url)}, &result));
    EXPECT_EQ(AsLong(result), 0);
  }
  EXPECT_EQ(events->TextsOf(12),
            (std::vector<std::wstring>{L"Requested URL not found: " + missing, L"Bad HTTP URL (Font name)."}));
  EXPECT_EQ(events->events.size(), 2u);
  EXPECT_EQ(persist->IsDirty(), dirtyBefore);

  common::Variant result;
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"InstallFontFromInternet", {Str(server.Url(L"/fonts/ZbBeta.ttf"))}, &result));
  EXPECT_NE(AsLong(result), 0);
  EXPECT_EQ(events->TextsOf(12).size(), 2u);
  EXPECT_EQ(persist->IsDirty(), S_OK);
  // The control lives in this process, so the font is this process's now, and the caption can
  // name it: the font's glyphs are solid boxes, far more ink than the default face's "III".
  EXPECT_EQ(FaceOf(L"Zb Font Beta"), L"Zb Font Beta");
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"Text", *Str(L"III").Ptr()));
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"TextColor", *I4(0x000000FF).Ptr()));
  auto redPixels = [&] {
    Drawing d;
    EXPECT_TRUE(DrawControl(c.Get(), 120, 48, 0x00FFFFFF, d));
    return std::count(d.px.begin(), d.px.end(), 0x00FF0000u);
  };
  const auto before = redPixels();
  ASSERT_HRESULT_SUCCEEDED(
      Call(c.Get(), L"SetTextFontByName", {Str(L"Zb Font Beta"), I4(20), Bool(false), Bool(false), Bool(false)}));
  const auto after = redPixels();
  EXPECT_GT(before, 0);
  EXPECT_GT(after, 3 * before);
}
