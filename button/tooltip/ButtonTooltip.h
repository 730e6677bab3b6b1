#pragma once
// CButtonTooltip: the button control's tooltip, its tooltip window behind IButtonTooltip.
#include "button/tooltip/IButtonTooltip.h"
#include "button/tooltip/TooltipWindow.h"

namespace button {

class CButtonTooltip : public IButtonTooltip {
 public:
  bool Start(HWND owner) override { return m_window.Start(owner); }
  void Hide() override { m_window.Hide(); }
  void SetText(const std::wstring& text, bool reposition, int amount) override {
    m_window.SetText(text, reposition, amount);
  }
  // Text, times, effect, colours and font as the control's properties give them.
  void Apply(const TooltipSettings& settings) override;

  const CTooltipWindow& Window() const { return m_window; }

 private:
  CTooltipWindow m_window;
};

}  // namespace button
