#include "button/control/PictureSources.h"

#include "button/control/ZephonButtonCtrlRules.h"
#include "button/imaging/PictureDecode.h"
#include "button/imaging/UntrustedRules.h"
#include "common/win/TextConvert.h"

namespace button {

using common::Utf8;

CPictureSources::CPictureSources(IPictureSourceSite& site) : m_site(site), m_downloader(new CNoDownloader) {}

void CPictureSources::SetDownloader(std::unique_ptr<IUrlDownloader> downloader) {
  if (downloader) m_downloader = std::move(downloader);
}

std::wstring CPictureSources::DownloadPicture(const std::wstring& url) {
  std::wstring error;
  std::wstring path = m_downloader->Download(url, std::wstring(), false, error);
  if (path.empty() && !error.empty())
    m_site.FirePictureError(m_site.Untrusted() ? button::TextForPage(error, url) : error);
  return path;
}

bool CPictureSources::AdoptPixels(StateImage& image, const CImageDIB& pixels, const wchar_t* failureText) {
  CImageDIB& dib = image.ImageDIB;
  if (!dib.HasPixels() || dib.Width() != pixels.Width() || dib.Height() != pixels.Height()) {
    if (!dib.Create(pixels.Width(), pixels.Height())) {
      m_site.FireDebugError(failureText + std::wstring(dib.ErrorText.begin(), dib.ErrorText.end()));
      return false;
    }
  }
  dib.CopyFrom(pixels);
  return true;
}

bool CPictureSources::LoadStateImage(StateImage& image, int state, button::CPictureHolder* holder) {
  // Whatever way a path reached the state image, a page never gets a file of the machine opened.
  const bool untrusted = m_site.Untrusted();
  if (untrusted && !button::MayLoadPicture(image.Url)) {
    m_site.FirePictureError(button::kPictureRefusedText);
    return false;
  }
  const std::wstring address = image.Url;
  std::wstring path = image.Url;
  if (button::IsInternetAddress(path)) {
    std::wstring local = DownloadPicture(path);
    // The previous download of this state is replaced, whether or not this one worked.
    if (!image.TempFile.empty()) DeleteFileW(image.TempFile.c_str());
    image.TempFile = local;
    image.Url = local;
    path = local;
  }
  if (path.empty()) {
    image.ImageKind = StateImage::Kind::Empty;
    image.ImageDIB.Destroy();
    image.Reset();
    return true;
  }

  // The file the texts name; a page is told the address it gave, not where the copy lies.
  const std::wstring& shown = untrusted ? address : path;
  // Decode aside, so that a failure leaves the state's current picture untouched.
  CImageDIB decoded;
  const PictureResult result = DecodePictureFile(Utf8(path), m_site.BackgroundColor(), decoded);
  switch (result.outcome) {
    case PictureOutcome::Decoded: break;
    case PictureOutcome::GifUnreadable:
    case PictureOutcome::GifNotGif:
      // A file named like a GIF that is none is a failed load too, not a success with the old pixels.
      m_site.FireDebugError(L"Error decode GIF image: " + shown);
      m_site.FirePictureError(shown);
      return false;
    case PictureOutcome::DecoderFailed:
      m_site.FireDebugError(L"Error load image: " + shown);
      m_site.FirePictureError(shown);
      return false;
    case PictureOutcome::BufferFailed:
      m_site.FireDebugError(L"ai->ImageDIB.Create FALSE " + std::wstring(result.text.begin(), result.text.end()));
      return false;
  }
  if (decoded.HasPixels()) {
    if (!AdoptPixels(image, decoded, L"ai->ImageDIB.Create FALSE ")) return false;
    image.Reset();
    image.ImageKind = StateImage::Kind::Picture;
    if (holder && button::HoldBitSet(m_site.HoldingFlag(), state)) HoldStateImage(image, holder);
  }
  return true;
}

bool CPictureSources::RenderPictureObject(StateImage& image, const button::CPictureHolder* holder) {
  if (!holder) return false;
  if (holder->IsEmpty()) return true;
  common::WindowDC screen = common::TakeWindowDC(nullptr);
  common::MemoryDC dc(CreateCompatibleDC(screen.Get()));
  if (!dc.Get()) return false;
  SIZE size{};
  if (!holder->SizePixels(size, dc.Get()) || size.cx <= 0 || size.cy <= 0) return false;
  common::GdiBitmap bitmap(CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
  if (!bitmap.Get()) return false;
  common::SelectedObject selected = common::SelectInto(dc.Get(), bitmap.Get());
  const RECT rc{0, 0, size.cx, size.cy};
  const OLE_COLOR back = m_site.BackgroundColor();
  const common::GdiBrush brush(CreateSolidBrush(back & 0x00FFFFFF));
  if (brush) FillRect(dc.Get(), &rc, brush.Get());
  if (FAILED(holder->Render(dc.Get(), rc, rc))) return false;
  selected.Reset();  // GetDIBits wants the bitmap deselected

  CImageDIB pixels;
  if (!pixels.Create(size.cx, size.cy)) {
    m_site.FireDebugError(L"Holder.. ai->ImageDIB.Create FALSE " +
                          std::wstring(pixels.ErrorText.begin(), pixels.ErrorText.end()));
    return false;
  }
  pixels.GetFromBitmap(dc.Get(), bitmap.Get());
  if (!AdoptPixels(image, pixels, L"Holder.. ai->ImageDIB.Create FALSE ")) return false;
  image.Reset();
  image.ImageKind = StateImage::Kind::Picture;
  return true;
}

bool CPictureSources::HoldStateImage(StateImage& image, button::CPictureHolder* holder) {
  if (m_site.UserMode()) return false;
  if (!holder) return false;
  CImageDIB& dib = image.ImageDIB;
  if (!dib.HasPixels()) return SUCCEEDED(holder->CreateEmpty());
  common::WindowDC screen = common::TakeWindowDC(nullptr);
  common::MemoryDC dc(CreateCompatibleDC(screen.Get()));
  if (!dc.Get()) return false;
  // A 24-bit DIB section: the platform's picture objects save and load those faithfully.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = dib.Width();
  info.bmiHeader.biHeight = dib.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  common::GdiBitmap bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.Get()) return false;
  {
    common::SelectedObject selected = common::SelectInto(dc.Get(), bitmap.Get());
    dib.Draw(dc.Get(), 0, 0);
  }
  GdiFlush();
  return SUCCEEDED(holder->CreateFromBitmap(bitmap.Release(), nullptr, true));
}

}  // namespace button
