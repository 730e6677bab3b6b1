#pragma once
// The control's links to parts built elsewhere: its tooltip window, the internet downloader, the
// font installer and the cursors it sets. The control talks to these small interfaces only; the null versions below stand in
// until the real components are plugged in (CZephonButtonCtrl::SetTooltip / SetDownloader /
// SetFontInstaller), and each says plainly what it does not do.
#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <string>

#include "button/control/framework/Module.h"

namespace zb {
class CFontHolder;
}

// What the control copies into its tooltip after a tooltip property changes and after every load.
struct TooltipSettings {
  std::wstring Text;
  long ShowTime = 7000;
  long AnimTime = 20;
  long WaitTime = 1000;
  OLE_COLOR GradientColor = 0;
  OLE_COLOR BackColor = 0x00C87800;
  OLE_COLOR TextColor = 0x00FAFAFA;
  OLE_COLOR BorderColor = 0;
  short Effect = 0;
  const zb::CFontHolder* Font = nullptr;  // the control's ToolTipFont holder; lives as long as the control
};

class IButtonTooltip {
 public:
  virtual ~IButtonTooltip() = default;
  // Come up for `owner` after the wait time, as a mouse entry does; false when nothing was started.
  virtual bool Start(HWND owner) = 0;
  virtual void Hide() = 0;
  virtual void SetText(const std::wstring& text, bool reposition, int amount) = 0;
  virtual void Apply(const TooltipSettings& settings) = 0;
};

// No tooltip window: Start shows nothing and reports so; the settings are only remembered.
class CNoTooltip : public IButtonTooltip {
 public:
  bool Start(HWND) override { return false; }
  void Hide() override {}
  void SetText(const std::wstring& text, bool, int) override { m_Settings.Text = text; }
  void Apply(const TooltipSettings& settings) override { m_Settings = settings; }
  const TooltipSettings& Settings() const { return m_Settings; }

 private:
  TooltipSettings m_Settings;
};

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
  HCURSOR ModuleCursor(UINT id) override { return LoadCursorW(zb::ModuleInstance(), MAKEINTRESOURCEW(id)); }
  HCURSOR Arrow() override { return LoadCursorW(nullptr, IDC_ARROW); }
};
