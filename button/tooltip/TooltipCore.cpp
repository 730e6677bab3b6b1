#include "button/tooltip/TooltipCore.h"

#include <algorithm>

namespace button {

namespace {

// Times come from properties that take any long: a negative time counts as 0.
uint32_t Milliseconds(long ms) { return uint32_t(std::clamp<int64_t>(ms, 0, INT32_MAX)); }

// The text's size plus a two-pixel margin on each side; false when that does not fit.
bool Padded(int32_t textWidth, int32_t textHeight, int32_t& width, int32_t& height) {
  const int64_t w = int64_t(textWidth) + 4, h = int64_t(textHeight) + 4;
  if (textWidth < 0 || textHeight < 0 || w > INT32_MAX || h > INT32_MAX) return false;
  width = int32_t(w);
  height = int32_t(h);
  return true;
}

}  // namespace

CTooltipCore::CTooltipCore(ITooltipPlatform& platform, const Colors& systemColors)
    : m_platform(platform), m_systemColors(systemColors) {
  m_settings.colors = systemColors;
}

void CTooltipCore::Configure(const Settings& settings) { m_settings = settings; }

bool CTooltipCore::Start(bool hasOwner) {
  Hide();
  if (!hasOwner || !m_platform.CreateCarrier()) return false;
  m_platform.StartTimer(kWaitTimer, Milliseconds(m_settings.waitTime));
  m_waitRunning = true;
  return true;
}

void CTooltipCore::StopAnimation() {
  m_platform.StopAnimation();
  m_animating = false;
}

void CTooltipCore::Hide() {
  // The animation timer stops before the pictures it writes go.
  StopAnimation();
  m_display.Destroy();
  m_final.Destroy();
  m_background.Destroy();
  if (m_platform.HasWindow()) {
    if (m_waitRunning) m_platform.StopTimer(kWaitTimer);
    if (m_showRunning) m_platform.StopTimer(kShowTimer);
    m_platform.DestroyCarrier();
  }
  m_waitRunning = false;
  m_showRunning = false;
}

void CTooltipCore::OnTimer(int id) {
  if (id == kShowTimer) {
    m_platform.StopTimer(kShowTimer);
    m_showRunning = false;
    Hide();
  } else if (id == kWaitTimer) {
    m_platform.StopTimer(kWaitTimer);
    m_waitRunning = false;
    if (m_platform.HasWindow()) Show();
  }
}

bool UsesSystemColors(const std::wstring& text) { return !text.empty() && text[0] == L'&'; }

std::wstring ShownText(const std::wstring& text) { return UsesSystemColors(text) ? text.substr(1) : text; }

CTooltipCore::Shown CTooltipCore::ShownNow() const {
  const std::wstring& text = m_settings.text;
  return {ShownText(text), UsesSystemColors(text) ? m_systemColors : m_settings.colors};
}

void CTooltipCore::Show() {
  Hide();  // the hidden carrier goes; the window comes again at its place
  const Shown shown = ShownNow();
  if (shown.text.empty()) return;
  m_anchor = m_position = TooltipPosition{};
  m_width = m_height = 0;
  m_frame = 0;
  if (!m_platform.PointerAnchor(m_anchor)) return;
  // A failure from here on leaves a hidden window for the next Hide.
  if (!m_platform.CreateCarrier() || !Layout(shown)) return;
  m_platform.StartTimer(kShowTimer, Milliseconds(m_settings.showTime));
  m_showRunning = true;
  m_frameTotal = button::FrameTotal(m_settings.effect, m_width, m_height);
  m_animating = m_platform.StartAnimation(Milliseconds(m_settings.animTime));
  if (!m_animating) {
    // No animation timer (a period of 0, for one): the tooltip shows at once.
    m_display.BlitFrom(m_final, 0, 0);
    m_platform.Repaint();
  }
}

bool CTooltipCore::Layout(const Shown& shown) {
  int32_t textWidth = 0, textHeight = 0, width = 0, height = 0;
  if (!m_platform.MeasureText(shown.text, textWidth, textHeight) || !Padded(textWidth, textHeight, width, height))
    return false;
  int32_t screenWidth = 0, screenHeight = 0;
  m_platform.ScreenSize(screenWidth, screenHeight);
  m_width = width;
  m_height = height;
  m_position = KeepOnScreen(m_anchor, width, height, screenWidth, screenHeight);
  if (!m_display.Create(width, height) || !m_final.Create(width, height) || !m_background.Create(width, height))
    return false;

  m_platform.GrabScreen(m_position.x, m_position.y, m_display);
  m_background.CopyFrom(m_display);
  FillGradient(m_final, shown.colors.back, shown.colors.gradient);
  DrawBorder(m_final, shown.colors.border);
  m_platform.RenderText(m_final, shown.text, 2, 2, shown.colors.text);

  m_platform.PlaceAndShow(m_position.x, m_position.y, width, height);
  return true;
}

void CTooltipCore::AnimationStep() {
  if (!m_animating) return;  // a tick that came after the timer stopped
  if (!m_platform.HasWindow()) {
    StopAnimation();
    return;
  }
  button::AnimationStep(m_display, m_final, m_settings.effect, m_frame);
  // Blending by k/256 truncates and can stop a level short of the finished picture: the last step
  // puts it in place exactly.
  if (m_frame >= m_frameTotal) m_display.BlitFrom(m_final, 0, 0);
  m_platform.Repaint();
  if (++m_frame > m_frameTotal) StopAnimation();
}

void CTooltipCore::SetText(const std::wstring& text, bool reposition, int amount) {
  m_settings.text = text;
  amount = std::clamp(amount, 0, 255);
  if (!m_showRunning || !m_platform.HasWindow()) return;
  if (reposition) {
    TooltipPosition anchor;
    if (!m_platform.PointerAnchor(anchor)) return;
    m_anchor = anchor;
  }
  const Shown shown = ShownNow();
  // An empty text means no tooltip, on show or not.
  if (shown.text.empty()) {
    Hide();
    return;
  }
  if (amount < 255 && m_display.HasPixels() && m_background.HasPixels() && m_display.Width() == m_background.Width() &&
      m_display.Height() == m_background.Height()) {
    m_display.CopyFrom(m_background);
    m_platform.Repaint();
  }
  if (!Layout(shown)) {
    Hide();  // no pictures to paint: nothing stays on the screen
    return;
  }
  if (amount >= 255) {
    // In place at once; an animation still running would slide the new picture over itself.
    m_display.BlitFrom(m_final, 0, 0);
    StopAnimation();
  } else {
    m_display.BlendWith(m_final, amount);
    m_frameTotal = button::FrameTotal(m_settings.effect, m_width, m_height);
  }
  m_platform.Repaint();
}

}  // namespace button
