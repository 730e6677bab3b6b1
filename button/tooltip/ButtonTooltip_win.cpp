#include "button/tooltip/ButtonTooltip.h"

#include "button/framework/FontHolder.h"

namespace button {

void CButtonTooltip::Apply(const TooltipSettings& settings) {
  button::Settings s;
  s.text = settings.Text;
  s.showTime = settings.ShowTime;
  s.animTime = settings.AnimTime;
  s.waitTime = settings.WaitTime;
  s.effect = settings.Effect;
  s.colors.back = settings.BackColor;
  s.colors.gradient = settings.GradientColor;
  s.colors.text = settings.TextColor;
  s.colors.border = settings.BorderColor;
  m_window.Configure(s);
  m_window.SetFont(settings.Font ? settings.Font->Font() : nullptr);
}

}  // namespace button
