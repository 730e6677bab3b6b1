#pragma once
// The tooltip as the control sees it: the calls it makes and the settings it copies in
// (CButtonTooltip is the real one).
#include <windows.h>
#include <ocidl.h>

#include <string>

namespace button {

class CFontHolder;

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
  const button::CFontHolder* Font = nullptr;  // the control's ToolTipFont holder; lives as long as the control
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
  void SetText(const std::wstring& text, bool, int) override { m_settings.Text = text; }
  void Apply(const TooltipSettings& settings) override { m_settings = settings; }
  const TooltipSettings& Settings() const { return m_settings; }

 private:
  TooltipSettings m_settings;
};

}  // namespace button
