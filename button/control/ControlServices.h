#pragma once
// What the control asks of parts built elsewhere: the internet downloader, the font installer and
// the cursors it sets (its tooltip: button/tooltip/IButtonTooltip.h). The control talks to these
// small interfaces only. The control starts with the real ones; the null versions below are for
// tests and hosts that want none (CZephonButtonCtrl::SetDownloader / SetFontInstaller / SetCursors),
// and each says plainly what it does not do.
#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <string>

#include "button/framework/Module.h"
#include "button/tooltip/IButtonTooltip.h"

namespace button {

class IUrlDownloader {
 public:
  virtual ~IUrlDownloader() = default;
  // Fetches `url` into `target` (a new temporary file named after the URL's extension when empty).
  // Returns the local path, or "" with `errorText` saying why.
  virtual std::wstring Download(const std::wstring& url, const std::wstring& target, bool reload,
                                std::wstring& errorText) = 0;
};

// No internet access in this build: every download fails the way an unreachable address does.
class CNoDownloader : public IUrlDownloader {
 public:
  std::wstring Download(const std::wstring& url, const std::wstring&, bool, std::wstring& errorText) override {
    errorText = L"Internet connection error.\nURL: " + url;
    return std::wstring();
  }
};

class IFontInstaller {
 public:
  virtual ~IFontInstaller() = default;
  // Makes the font at `url` available to this process. False with `errorText` on failure ("" = nothing
  // to report).
  virtual bool Install(const std::wstring& url, std::wstring& errorText) = 0;
};

// No font installation in this build: nothing is installed and nothing is reported.
class CNoFontInstaller : public IFontInstaller {
 public:
  bool Install(const std::wstring&, std::wstring& errorText) override {
    errorText.clear();
    return false;
  }
};

// Where the control's cursors come from. The hand may be missing on older systems; the module's own
// hands (846 pointing, 1426 pressed) stand in for it then.
class IButtonCursors {
 public:
  virtual ~IButtonCursors() = default;
  virtual HCURSOR SystemHand() = 0;  // null when the system has none
  virtual HCURSOR ModuleCursor(UINT id) = 0;
  virtual HCURSOR Arrow() = 0;
};

// The system's shared cursors and the module's cursor resources (shared handles: nothing to free).
class CSystemCursors : public IButtonCursors {
 public:
  HCURSOR SystemHand() override { return LoadCursorW(nullptr, IDC_HAND); }
  HCURSOR ModuleCursor(UINT id) override { return LoadCursorW(button::ModuleInstance(), MAKEINTRESOURCEW(id)); }
  HCURSOR Arrow() override { return LoadCursorW(nullptr, IDC_ARROW); }
};

}  // namespace button
