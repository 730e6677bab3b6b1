// CInternetDownloader against an HTTP server in the test's own process (Winsock on 127.0.0.1), and
// the control fetching its pictures from internet addresses.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "button/imaging/CInternetDownloader.h"
#include "button/imaging/DownloadRules.h"
#include "tests/support/LoopbackHttpServer_win.h"
#include "tests/support/TestPaths.h"
#include "tests/win/control_pictures_files.h"
#include "tests/win/control_props_support.h"

using namespace tests;

namespace {

using tests::LoopbackHttpServer;

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::wstring TempFolder() {
  wchar_t dir[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, dir);
  return dir;
}

// The downloader's own temporary copies of pictures now in the temporary folder.
std::vector<std::wstring> TemporaryPictures() {
  std::vector<std::wstring> out;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((TempFolder() + L"ZPX*.bmp").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do out.push_back(fd.cFileName);
  while (FindNextFileW(h, &fd));
  FindClose(h);
  return out;
}

}  // namespace

TEST(DownloadRules, LocalNameTakesTheUrlsExtension) {
  using button::LocalNameForUrl;
  EXPECT_EQ(LocalNameForUrl(L"C:\\T\\ZPX3F.TMP", L"http://h/a/logo.gif"), L"C:\\T\\ZPX3F.gif");
  EXPECT_EQ(LocalNameForUrl(L"C:\\T\\ZPX3F.TMP", L"http://h.com/x.tar.GZ"), L"C:\\T\\ZPX3F.GZ");
  EXPECT_EQ(LocalNameForUrl(L"C:\\T\\ZPX3F.TMP", L"http://h.com/"), L"C:\\T\\ZPX3F.com/");
  EXPECT_EQ(LocalNameForUrl(L"C:\\T\\ZPX3F.TMP", L"nodot"), L"C:\\T\\ZPX3F.nodot");
}

TEST(InternetDownloader, StatusCodesBecomeTheirTextsAndNoFile) {
  LoopbackHttpServer server;
  ASSERT_NE(server.port(), 0);
  struct Case {
    int status;
    std::wstring prefix;  // "" for a text without the address
    std::wstring text;
  } cases[] = {
      {400, L"Unintelligble request: ", L""},   {403, L"Requested URL forbidden: ", L""},
      {404, L"Requested URL not found: ", L""}, {405, L"Server does not support requested method: ", L""},
      {500, L"", L"Unknown server error."},     {302, L"", L"Unknown server error."},  // no Location: nothing to follow
  };
  const size_t before = TemporaryPictures().size();
  for (const Case& k : cases) {
    const std::wstring url = server.Url(L"/status/" + std::to_wstring(k.status));
    SCOPED_TRACE(k.status);
    button::CInternetDownloader d;
    EXPECT_EQ(d.Download(url, L"", false), L"");
    EXPECT_EQ(d.GetErrorText(), k.prefix.empty() ? k.text : k.prefix + url);
  }
  EXPECT_EQ(TemporaryPictures().size(), before);

  const std::wstring closed = L"http://127.0.0.1:9/pic.bmp";
  button::CInternetDownloader d;
  EXPECT_EQ(d.Download(closed, L"", false), L"");
  EXPECT_EQ(d.GetErrorText(), L"Internet Session - Cant open URL: " + closed);
  // An empty address does nothing, not even forget the last failure.
  EXPECT_EQ(d.Download(L"", L"", false), L"");
  EXPECT_EQ(d.GetErrorText(), L"Internet Session - Cant open URL: " + closed);
}

TEST(InternetDownloader, BodiesArriveWholeInUniqueTemporaryFilesOrTheTarget) {
  LoopbackHttpServer server;
  ASSERT_NE(server.port(), 0);
  std::vector<std::wstring> seen;
  for (size_t size : {size_t(0), size_t(100), size_t(8192), size_t(3 * 8192), size_t(20000)}) {
    SCOPED_TRACE(size);
    const std::wstring url = server.Url(L"/size/" + std::to_wstring(size) + L".bin");
    button::CInternetDownloader d;
    const std::wstring path = d.Download(url, L"", true);
    ASSERT_NE(path, L"") << d.GetErrorText().c_str();
    EXPECT_EQ(d.GetErrorText(), L"");
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    EXPECT_EQ(_wcsicmp(path.substr(0, path.size() - name.size()).c_str(), TempFolder().c_str()), 0);
    EXPECT_EQ(name.substr(0, 3), L"ZPX");
    EXPECT_EQ(name.substr(name.size() - 4), L".bin");
    const std::string body = ReadAll(path);
    ASSERT_EQ(body.size(), size);
    for (size_t i = 0; i < size; ++i)
      if (body[i] != char(i % 251)) FAIL() << "byte " << i;
    for (const std::wstring& other : seen) EXPECT_NE(other, path);
    seen.push_back(path);
  }
  for (const std::wstring& p : seen) DeleteFileW(p.c_str());

  const std::wstring target = Wide(tests::MakeTempDir("download")) + L"\\copy.dat";
  button::CInternetDownloader d;
  EXPECT_EQ(d.Download(server.Url(L"/size/5000.bin"), target, false), target);
  EXPECT_EQ(ReadAll(target).size(), 5000u);
  // A target that cannot be created.
  const std::wstring bad = Wide(tests::MakeTempDir("download")) + L"\\no\\such\\folder.dat";
  EXPECT_EQ(d.Download(server.Url(L"/size/10.bin"), bad, false), L"");
  EXPECT_EQ(d.GetErrorText(), L"Internet Session - Cant Create temp file: " + bad);
}

TEST(ControlDownloads, InternetPicturesLoadKeepOneTemporaryFileAndReportMissingOnes) {
  const std::wstring dir = Wide(tests::MakeTempDir("ctldownload")) + L"\\";
  ASSERT_TRUE(tests::WriteBmp24(dir + L"pic.bmp", 7, 5));
  LoopbackHttpServer server;
  server.Set("/pic.bmp", ReadAll(dir + L"pic.bmp"));
  ASSERT_NE(server.port(), 0);
  const size_t before = TemporaryPictures().size();
  {
    common::ComPtr<IDispatch> c = CreateControl();
    ASSERT_TRUE(c);
    ASSERT_HRESULT_SUCCEEDED(SiteAndInit(c.Get(), nullptr));
    Put(c.Get(), L"AlignHor", *I2(0).Ptr());
    Put(c.Get(), L"AlignVer", *I2(0).Ptr());
    Put(c.Get(), L"BackGroundColor", *I4(0x00563412).Ptr());
    auto events = EventRecorder::Attach(c.Get());
    const std::wstring url = server.Url(L"/pic.bmp");
    for (int round = 0; round < 2; ++round) {
      ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(url).Ptr()));
      EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), url);
      // The previous copy is replaced by the new one.
      EXPECT_EQ(TemporaryPictures().size(), before + 1);
    }
    Drawing d;
    ASSERT_TRUE(DrawControl(c.Get(), 40, 40, 0x00563412, d));
    EXPECT_EQ(d.ExtentNot(0x00123456).cx, 7);
    EXPECT_EQ(d.ExtentNot(0x00123456).cy, 5);
    EXPECT_TRUE(events->events.empty());

    // A missing picture: reported once, the state emptied, the address kept.
    const std::wstring missing = server.Url(L"/status/404");
    ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(missing).Ptr()));
    EXPECT_EQ(events->TextsOf(4), std::vector<std::wstring>{L"Requested URL not found: " + missing});
    EXPECT_TRUE(events->TextsOf(11).empty());
    EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), missing);
    EXPECT_EQ(TemporaryPictures().size(), before);  // the copy of the last picture went with it
  }
  // The control takes its copies with it.
  EXPECT_EQ(TemporaryPictures().size(), before);
}
