#pragma once
// CPictureSources: fills a state image's pixels from its sources - a URL (local file or internet
// address), a picture object, and back: holds a state image in a picture object so that it is saved
// with the control's data. Failures are reported through the site's DebugError / PictureError with
// fixed texts and a FALSE result; nothing is thrown.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "button/control/StateImage.h"
#include "button/control/ControlServices.h"
#include "button/framework/PictureHolder.h"

namespace button {

// What the picture sources need from their control.
class IPictureSourceSite {
 public:
  virtual ~IPictureSourceSite() = default;
  virtual void FireDebugError(const std::wstring& text) = 0;
  virtual void FirePictureError(const std::wstring& text) = 0;
  virtual OLE_COLOR BackgroundColor() = 0;  // behind GIF transparency and picture objects
  virtual short HoldingFlag() = 0;
  virtual bool UserMode() = 0;  // false at design time
  // True while a page holds the control (its host asked for safety for untrusted callers or data):
  // only internet addresses are loaded then, and texts name no file of the machine.
  virtual bool Untrusted() { return false; }
};

class CPictureSources {
 public:
  explicit CPictureSources(IPictureSourceSite& site);

  void SetDownloader(std::unique_ptr<IUrlDownloader> downloader);
  IUrlDownloader& Downloader() { return *m_downloader; }

  // Loads the state image's URL string into its pixels. `state` is normal 0 .. disable 3 or blank 4;
  // `holder` is the state's picture property (null for blank), filled too when the state's hold bit
  // is set at design time. An empty URL (or a failed download) empties the image and succeeds. On
  // failure the image keeps its pixels and kind.
  bool LoadStateImage(StateImage& image, int state, button::CPictureHolder* holder);
  // Renders the holder's picture at its natural size over the background colour into the image.
  // TRUE without change when the holder has nothing to render.
  bool RenderPictureObject(StateImage& image, const button::CPictureHolder* holder);
  // Design time only: puts the image's pixels into the holder as a 24-bit bitmap picture (a picture
  // the platform can save and load back); an image without pixels empties the holder.
  bool HoldStateImage(StateImage& image, button::CPictureHolder* holder);
  // Fetches an internet address into a temporary file; "" on failure, reported through PictureError.
  std::wstring DownloadPicture(const std::wstring& url);

 private:
  // Moves freshly decoded pixels into the image; false (reported) when its buffer cannot be made.
  bool AdoptPixels(StateImage& image, const CImageDIB& pixels, const wchar_t* failureText);

  IPictureSourceSite& m_site;
  std::unique_ptr<IUrlDownloader> m_downloader;
};

}  // namespace button
