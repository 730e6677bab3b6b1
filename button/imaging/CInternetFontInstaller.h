#pragma once
// CInternetFontInstaller: makes a font file from an internet address usable by this process. The
// file is fetched with CInternetDownloader and kept in the temporary folder under the address's own
// file name, then added as a font resource (AddFontResource: no broadcast, nothing written to the
// system's font list). The file and the resource stay for the rest of the process: captions drawn
// with the font need both. Synchronous; failures give false and a text (GetErrorText), never a throw.
#include <string>

namespace button {

class CInternetFontInstaller {
 public:
  // True when the font was added (or this process had already added that very file). On failure
  // the error text is one of "Bad HTTP URL (Font name).", a downloader text, or "Adding font to
  // system fail fontname: " with the local path; an existing file of that name is left as it was.
  bool Install(const std::wstring& url);
  const std::wstring& GetErrorText() const { return m_error; }

 private:
  bool Fail(const std::wstring& text);

  std::wstring m_error;
};

}  // namespace button
