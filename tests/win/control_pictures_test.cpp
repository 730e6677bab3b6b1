// Where the state pictures come from: files of every format, picture objects, downloads, holding a
// picture in its property, and the control's fallbacks when a picture cannot be loaded.
#include <gtest/gtest.h>

#include <cstdlib>

#include "button/control/ControlFactory.h"
#include "button/control/PictureSources.h"
#include "button/control/ZephonButtonCtrl.h"
#include "button/control/ZephonButtonCtrlProps.h"
#include "common/olehost/ControlHost.h"
#include "tests/support/TestPaths.h"
#include "tests/win/control_pictures_files.h"
#include "tests/win/control_props_support.h"

using namespace tests;
using tests::Colour;

namespace {

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }
std::wstring NewDir(const char* tag) { return Wide(tests::MakeTempDir(tag)) + L"\\"; }
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class FakeSite : public button::IPictureSourceSite {
 public:
  std::vector<std::wstring> debugErrors, pictureErrors;
  OLE_COLOR back = RGB(9, 8, 7);
  short hold = 0;
  bool userMode = true;

  void FireDebugError(const std::wstring& text) override { debugErrors.push_back(text); }
  void FirePictureError(const std::wstring& text) override { pictureErrors.push_back(text); }
  OLE_COLOR BackgroundColor() override { return back; }
  short HoldingFlag() override { return hold; }
  bool UserMode() override { return userMode; }
};

// Answers every address with a fresh copy of one local file (named after the address's extension),
// or fails with a fixed text.
class FakeDownloader : public button::IUrlDownloader {
 public:
  FakeDownloader(std::wstring source, std::wstring dir, std::wstring error)
      : m_source(std::move(source)), m_dir(std::move(dir)), m_error(std::move(error)) {}
  std::wstring Download(const std::wstring& url, const std::wstring&, bool, std::wstring& errorText) override {
    ++calls;
    if (!m_error.empty()) {
      errorText = m_error + url;
      return std::wstring();
    }
    const std::wstring target = m_dir + L"ZPX" + std::to_wstring(calls) + url.substr(url.find_last_of(L'.'));
    if (!CopyFileW(m_source.c_str(), target.c_str(), FALSE)) return std::wstring();
    errorText.clear();
    return target;
  }
  int calls = 0;

 private:
  std::wstring m_source, m_dir, m_error;
};

// Pixel (x, y) counted from the top of the state's picture.
uint32_t TopDown(const button::CImageDIB& dib, int x, int y) { return dib.Pixel(x, dib.Height() - 1 - y) & 0x00FFFFFF; }

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

}  // namespace

TEST(PictureSources, EveryFormatLandsInTheStatePixels) {
  const std::wstring dir = NewDir("formats");
  struct File {
    const wchar_t* name;
    bool (*write)(const std::wstring&, int, int);
    int tolerance;
  } files[] = {{L"p.bmp", tests::WriteBmp24, 0}, {L"p.jpg", tests::WriteJpeg, 12}, {L"p.tif", tests::WriteTiff, 0}};
  FakeSite site;
  button::CPictureSources sources(site);
  for (const File& f : files) {
    SCOPED_TRACE(std::string(f.name, f.name + wcslen(f.name)));
    ASSERT_TRUE(f.write(dir + f.name, 9, 7));
    button::StateImage image;
    image.Url = dir + f.name;
    image.Pending = 1;
    image.PreviousUrl = L"old";
    ASSERT_TRUE(sources.LoadStateImage(image, button::kNormal, nullptr));
    EXPECT_EQ(image.ImageKind, button::StateImage::Kind::Picture);
    EXPECT_EQ(image.Pending, 0);
    EXPECT_EQ(image.PreviousUrl, L"");
    ASSERT_EQ(image.ImageDIB.Width(), 9);
    ASSERT_EQ(image.ImageDIB.Height(), 7);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x)
        ASSERT_TRUE(Near(TopDown(image.ImageDIB, x, y), Colour(x, y), f.tolerance))
            << x << "," << y << ": " << std::hex << TopDown(image.ImageDIB, x, y) << " vs " << Colour(x, y);
  }
  // GIF by its name, with the transparent entry in the background colour.
  ASSERT_TRUE(tests::WriteGif(dir + L"t.GIF", 5, 3, true));
  button::StateImage gif;
  gif.Url = dir + L"t.GIF";
  ASSERT_TRUE(sources.LoadStateImage(gif, button::kOver, nullptr));
  ASSERT_EQ(gif.ImageDIB.Width(), 5);
  EXPECT_EQ(TopDown(gif.ImageDIB, 0, 0), 0x00FF0000u);
  EXPECT_EQ(TopDown(gif.ImageDIB, 1, 2), 0x00090807u);
  EXPECT_TRUE(site.debugErrors.empty());
  EXPECT_TRUE(site.pictureErrors.empty());
}

TEST(PictureSources, NameEndingPicksTheDecoderAndFailuresKeepTheOldPicture) {
  const std::wstring dir = NewDir("routing");
  ASSERT_TRUE(tests::WriteBmp24(dir + L"a.gif.bmp", 4, 4));
  ASSERT_TRUE(tests::WriteBmp24(dir + L"bmp.jpg", 3, 2));
  ASSERT_TRUE(tests::WriteGif(dir + L"gif.jpg", 4, 4, false));
  ASSERT_TRUE(tests::WriteBmp24(dir + L"bmp.gif", 4, 4));
  ASSERT_TRUE(tests::WriteText(dir + L"text.tif", "not a picture"));
  FakeSite site;
  button::CPictureSources sources(site);
  button::StateImage image;
  for (const wchar_t* ok : {L"a.gif.bmp", L"bmp.jpg"}) {
    image.Url = dir + ok;
    EXPECT_TRUE(sources.LoadStateImage(image, button::kDown, nullptr)) << ok;
  }
  EXPECT_EQ(image.ImageDIB.Width(), 3);
  struct Failure {
    const wchar_t* name;
    const wchar_t* debugText;
  } failures[] = {{L"gif.jpg", L"Error load image: "},
                  {L"text.tif", L"Error load image: "},
                  {L"missing.bmp", L"Error load image: "},
                  {L"missing.gif", L"Error decode GIF image: "},
                  {L"bmp.gif", L"Error decode GIF image: "}};
  for (const Failure& f : failures) {
    site.debugErrors.clear();
    site.pictureErrors.clear();
    image.Url = dir + f.name;
    EXPECT_FALSE(sources.LoadStateImage(image, button::kDown, nullptr)) << f.name;
    EXPECT_EQ(site.debugErrors, std::vector<std::wstring>{f.debugText + dir + f.name});
    EXPECT_EQ(site.pictureErrors, std::vector<std::wstring>{dir + f.name});
    EXPECT_EQ(image.ImageKind, button::StateImage::Kind::Picture);
    EXPECT_EQ(image.ImageDIB.Width(), 3);
    EXPECT_EQ(TopDown(image.ImageDIB, 2, 1), Colour(2, 1));
  }
  // An empty address empties the state and succeeds.
  image.Url.clear();
  image.PreviousUrl = L"x";
  EXPECT_TRUE(sources.LoadStateImage(image, button::kDown, nullptr));
  EXPECT_EQ(image.ImageKind, button::StateImage::Kind::Empty);
  EXPECT_FALSE(image.ImageDIB.HasPixels());
  EXPECT_EQ(image.PreviousUrl, L"");
}

TEST(PictureSources, DownloadedPicturesReplaceTheirTemporaryFile) {
  const std::wstring dir = NewDir("download");
  ASSERT_TRUE(tests::WriteBmp24(dir + L"src.bmp", 4, 2));
  FakeSite site;
  button::CPictureSources sources(site);
  auto* fake = new FakeDownloader(dir + L"src.bmp", dir, L"");
  sources.SetDownloader(std::unique_ptr<button::IUrlDownloader>(fake));
  button::StateImage image;
  image.Url = L"http://example.invalid/pic.bmp";
  ASSERT_TRUE(sources.LoadStateImage(image, button::kNormal, nullptr));
  const std::wstring first = image.TempFile;
  EXPECT_EQ(image.Url, first);
  EXPECT_TRUE(Exists(first));
  EXPECT_EQ(image.ImageDIB.Width(), 4);
  image.Url = L"HTTPS://example.invalid/pic.bmp";
  ASSERT_TRUE(sources.LoadStateImage(image, button::kNormal, nullptr));
  EXPECT_NE(image.TempFile, first);
  EXPECT_FALSE(Exists(first));
  EXPECT_TRUE(Exists(image.TempFile));
  EXPECT_EQ(fake->calls, 2);
  EXPECT_TRUE(site.pictureErrors.empty());

  // A failed download is no failed load: the state is emptied and the downloader's text reported once.
  const std::wstring second = image.TempFile;
  sources.SetDownloader(std::make_unique<FakeDownloader>(L"", dir, L"Requested URL not found: "));
  image.Url = L"httpfoo.bmp";
  EXPECT_TRUE(sources.LoadStateImage(image, button::kNormal, nullptr));
  EXPECT_EQ(site.pictureErrors, std::vector<std::wstring>{L"Requested URL not found: httpfoo.bmp"});
  EXPECT_TRUE(site.debugErrors.empty());
  EXPECT_EQ(image.ImageKind, button::StateImage::Kind::Empty);
  EXPECT_EQ(image.TempFile, L"");
  EXPECT_FALSE(Exists(second));
}

TEST(PictureSources, PictureObjectsRenderAtNaturalSizeAndHeldPicturesSurviveSaving) {
  FakeSite site;
  button::CPictureSources sources(site);
  button::CPictureHolder holder;
  button::StateImage image;
  EXPECT_FALSE(sources.RenderPictureObject(image, nullptr));
  ASSERT_HRESULT_SUCCEEDED(holder.CreateEmpty());
  EXPECT_TRUE(sources.RenderPictureObject(image, &holder));  // nothing to render, nothing changed
  EXPECT_EQ(image.ImageKind, button::StateImage::Kind::Empty);

  // 96 x 96 pixels are 2540 x 2540 HIMETRIC at 96 dpi.
  ASSERT_HRESULT_SUCCEEDED(holder.SetPictureDispatch(MakeBitmapPicture(96, 96, RGB(200, 100, 50)).Get()));
  SIZEL him{};
  ASSERT_TRUE(holder.SizeHimetric(him));
  EXPECT_EQ(him.cx, 2540);
  ASSERT_TRUE(sources.RenderPictureObject(image, &holder));
  EXPECT_EQ(image.ImageKind, button::StateImage::Kind::Picture);
  ASSERT_EQ(image.ImageDIB.Width(), 96);
  ASSERT_EQ(image.ImageDIB.Height(), 96);
  EXPECT_EQ(TopDown(image.ImageDIB, 50, 10), 0x00C86432u);

  // Holding: only at design time; the held picture saves and loads back pixel for pixel.
  const std::wstring dir = NewDir("hold");
  ASSERT_TRUE(tests::WriteBmp24(dir + L"h.bmp", 7, 5));
  button::StateImage source;
  source.Url = dir + L"h.bmp";
  ASSERT_TRUE(sources.LoadStateImage(source, button::kOver, nullptr));
  button::CPictureHolder held;
  EXPECT_FALSE(sources.HoldStateImage(source, &held));
  EXPECT_TRUE(held.IsEmpty());
  site.userMode = false;
  ASSERT_TRUE(sources.HoldStateImage(source, &held));
  common::ComPtr<IStream> stream;
  ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()));
  ASSERT_HRESULT_SUCCEEDED(held.Save(stream.Get()));
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  button::CPictureHolder loaded;
  ASSERT_HRESULT_SUCCEEDED(loaded.Load(stream.Get()));
  button::StateImage copy;
  ASSERT_TRUE(sources.RenderPictureObject(copy, &loaded));
  ASSERT_EQ(copy.ImageDIB.Width(), 7);
  ASSERT_EQ(copy.ImageDIB.Height(), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(TopDown(copy.ImageDIB, x, y), Colour(x, y)) << x << "," << y;

  // A load with the state's hold bit fills the holder at design time only; no pixels empty it.
  button::CPictureHolder over;
  site.hold = 0x0002;
  button::StateImage again;
  again.Url = dir + L"h.bmp";
  ASSERT_TRUE(sources.LoadStateImage(again, button::kOver, &over));
  EXPECT_FALSE(over.IsEmpty());
  button::StateImage nothing;
  ASSERT_TRUE(sources.HoldStateImage(nothing, &over));
  EXPECT_TRUE(over.IsEmpty());
  site.userMode = true;
  ASSERT_TRUE(sources.LoadStateImage(again, button::kOver, &over));
  EXPECT_TRUE(over.IsEmpty());
}

// ---- through the control ------------------------------------------------------------------------

namespace {

constexpr COLORREF kFill = RGB(0x12, 0x34, 0x56);
constexpr uint32_t kFillPixel = 0x00123456;

common::ComPtr<IDispatch> PlainControl() {
  common::ComPtr<IDispatch> c = CreateControl();
  if (!c || FAILED(SiteAndInit(c.Get(), nullptr))) return nullptr;
  // Top-left, unscaled, placeholders painted, the background the same colour as the drawing's fill.
  Put(c.Get(), L"AlignHor", *I2(0).Ptr());
  Put(c.Get(), L"AlignVer", *I2(0).Ptr());
  Put(c.Get(), L"HideHelpers", *Bool(false).Ptr());
  Put(c.Get(), L"BackGroundColor", *I4(long(kFill)).Ptr());
  return c;
}

}  // namespace

TEST(ControlPictures, FailedLoadKeepsThePropertyAndReportsDebugThenPictureError) {
  const std::wstring dir = NewDir("ctlfail");
  ASSERT_TRUE(tests::WriteBmp24(dir + L"good.bmp", 8, 6));
  auto c = PlainControl();
  ASSERT_TRUE(c);
  Drawing d;
  ASSERT_TRUE(DrawControl(c.Get(), 60, 60, kFill, d));
  EXPECT_EQ(d.ExtentNot(kFillPixel).cx, 33);  // the placeholder
  EXPECT_EQ(d.ExtentNot(kFillPixel).cy, 28);

  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(dir + L"good.bmp").Ptr()));
  auto events = EventRecorder::Attach(c.Get());
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(dir + L"gone.bmp").Ptr()));
  EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), dir + L"good.bmp");
  EXPECT_EQ(GetStr(c.Get(), L"PictureBaseURL"), dir + L"good.bmp");
  ASSERT_EQ(events->events.size(), 2u);
  EXPECT_EQ(events->events[0].id, 11);
  EXPECT_EQ(events->events[0].args, std::vector<std::wstring>{L"Error load image: " + dir + L"gone.bmp"});
  EXPECT_EQ(events->events[1].id, 4);
  EXPECT_EQ(events->events[1].args, std::vector<std::wstring>{dir + L"gone.bmp"});
  ASSERT_TRUE(DrawControl(c.Get(), 60, 60, kFill, d));
  EXPECT_EQ(d.ExtentNot(kFillPixel).cx, 8);
  EXPECT_EQ(d.At(7, 5), Colour(7, 5));
}

TEST(ControlPictures, DelayedPictureLoadsWhenShownAndFallsBackToThePreviousUrlOnce) {
  const std::wstring dir = NewDir("pending");
  auto c = PlainControl();
  ASSERT_TRUE(c);
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"SetButtonMode", {I2(3)}));
  // At run time with SmartLoading, a picture not on show waits: the file need not exist yet.
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureDownURL", *Str(dir + L"down.bmp").Ptr()));
  EXPECT_EQ(GetStr(c.Get(), L"PictureDownURL"), dir + L"down.bmp");
  ASSERT_TRUE(tests::WriteBmp24(dir + L"down.bmp", 10, 4));
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"SetCheck", {Bool(true)}));  // shows the down state
  Drawing d;
  ASSERT_TRUE(DrawControl(c.Get(), 60, 60, kFill, d));
  EXPECT_EQ(d.ExtentNot(kFillPixel).cx, 10);
  EXPECT_EQ(d.At(9, 3), Colour(9, 3));

  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"SetCheck", {Bool(false)}));
  auto events = EventRecorder::Attach(c.Get());
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureDownURL", *Str(dir + L"missing.bmp").Ptr()));
  EXPECT_TRUE(events->events.empty());
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"SetCheck", {Bool(true)}));
  EXPECT_EQ(events->TextsOf(4), std::vector<std::wstring>{dir + L"missing.bmp"});
  // The previous picture is back on show, and the property says so.
  ASSERT_TRUE(DrawControl(c.Get(), 60, 60, kFill, d));
  EXPECT_EQ(d.ExtentNot(kFillPixel).cx, 10);
  EXPECT_EQ(GetStr(c.Get(), L"PictureDownURL"), dir + L"down.bmp");

  // Without SmartLoading the picture loads at once, and a failure keeps the old value.
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"SmartLoading", *Bool(false).Ptr()));
  events->events.clear();
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureOverURL", *Str(dir + L"nothing.gif").Ptr()));
  EXPECT_EQ(events->TextsOf(11), std::vector<std::wstring>{L"Error decode GIF image: " + dir + L"nothing.gif"});
  EXPECT_EQ(GetStr(c.Get(), L"PictureOverURL"), L"");
}

TEST(ControlPictures, UnreachableInternetAddressReportsOnceAndKeepsTheAddress) {
  auto c = PlainControl();
  ASSERT_TRUE(c);
  auto events = EventRecorder::Attach(c.Get());
  const std::wstring url = L"http://127.0.0.1:9/pic.bmp";
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(url).Ptr()));
  EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), url);
  EXPECT_EQ(events->TextsOf(4), std::vector<std::wstring>{L"Internet Session - Cant open URL: " + url});
  EXPECT_TRUE(events->TextsOf(11).empty());
}

TEST(ControlPictures, DesignTimeHoldBitCopiesALoadedPictureIntoItsProperty) {
  const std::wstring dir = NewDir("holdctl");
  ASSERT_TRUE(tests::WriteBmp24(dir + L"o.bmp", 11, 3));
  for (bool designTime : {true, false}) {
    SCOPED_TRACE(designTime ? "design time" : "run time");
    auto site = AmbientSite::Make(!designTime);
    common::ComPtr<IDispatch> c = CreateControl();
    ASSERT_TRUE(c);
    ASSERT_HRESULT_SUCCEEDED(SiteAndInit(c.Get(), site.Get()));
    ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"SmartLoading", *Bool(false).Ptr()));
    ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"HoldingFlag", *I2(0x0002).Ptr()));
    ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureOverURL", *Str(dir + L"o.bmp").Ptr()));
    common::Variant v;
    ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"GetPicture", {I2(2)}, &v));
    auto pic = common::QueryAs<IPicture>(v.Type() == VT_DISPATCH ? v.Ptr()->pdispVal : nullptr);
    SHORT type = PICTYPE_NONE;
    if (pic) pic->get_Type(&type);
    EXPECT_EQ(type == PICTYPE_BITMAP, designTime);
    // Clearing the bit at design time empties the property and the URL.
    ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"HoldingFlag", *I2(0).Ptr()));
    EXPECT_EQ(GetStr(c.Get(), L"PictureOverURL"), designTime ? L"" : dir + L"o.bmp");
  }
}

// The control's own temporary files: replaced by the next download of the same state and deleted
// when its window goes away.
TEST(ControlPictures, DownloadedFilesGoWithTheControlWindow) {
  const std::wstring dir = NewDir("tempfiles");
  ASSERT_TRUE(tests::WriteBmp24(dir + L"src.bmp", 5, 5));
  common::ComPtr<IUnknown> unknown;
  ASSERT_HRESULT_SUCCEEDED(button::CreateZephonButton(nullptr, IID_IUnknown, unknown.PutVoid()));
  auto* control = static_cast<button::CZephonButtonCtrl*>(common::QueryAs<IDispatch>(unknown.Get()).Get());
  control->SetDownloader(std::make_unique<FakeDownloader>(dir + L"src.bmp", dir, L""));
  HWND parent = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  common::ComPtr<common::CControlHost> host;
  ASSERT_EQ(common::CControlHost::Attach(parent, RECT{0, 0, 40, 40}, unknown.Get(), nullptr, {}, host), S_OK);
  common::HostedControl hosted(host);
  ASSERT_NE(host->ControlWindow(), nullptr);
  const button::PropertyInfo& over = *button::FindByName(L"PictureOverURL");
  control->SetNumberProperty(*button::FindByName(L"SmartLoading"), 0);
  control->SetStringProperty(over, L"http://example.invalid/a.bmp");
  const std::wstring first = control->Image(button::kOver).TempFile;
  control->SetStringProperty(over, L"http://example.invalid/b.bmp");
  const std::wstring second = control->Image(button::kOver).TempFile;
  EXPECT_FALSE(first.empty() || Exists(first));
  EXPECT_TRUE(Exists(second));
  EXPECT_EQ(control->Props().PictureOverURL, L"http://example.invalid/b.bmp");
  hosted.Reset();  // deactivation destroys the control's window
  EXPECT_FALSE(Exists(second));
  DestroyWindow(parent);
}
