#include "button/tooltip/TooltipCore.h"

#include <algorithm>

namespace zbtip {

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
    : m_Platform(platform), m_SystemColors(systemColors) {
  m_Settings.colors = systemColors;
}

void CTooltipCore::Configure(const Settings& settings) { m_Settings = settings; }

bool CTooltipCore::Start(bool hasOwner) {
  Hide();
  if (!hasOwner || !m_Platform.CreateCarrier()) return false;
  m_Platform.StartTimer(kWaitTimer, Milliseconds(m_Settings.waitTime));
  m_WaitRunning = true;
  return true;
}

void CTooltipCore::StopAnimation() {
  m_Platform.StopAnimation();
  m_Animating = false;
}

void CTooltipCore::Hide() {
  // The animation timer stops before the pictures it writes go.
  StopAnimation();
  m_Display.Destroy();
  m_Final.Destroy();
  m_Background.Destroy();
  if (m_Platform.HasWindow()) {
    if (m_WaitRunning) m_Platform.StopTimer(kWaitTimer);
    if (m_ShowRunning) m_Platform.StopTimer(kShowTimer);
    m_Platform.DestroyCarrier();
  }
  m_WaitRunning = false;
  m_ShowRunning = false;
}

void CTooltipCore::OnTimer(int id) {
  if (id == kShowTimer) {
    m_Platform.StopTimer(kShowTimer);
    m_ShowRunning = false;
    Hide();
  } else if (id == kWaitTimer) {
    m_Platform.StopTimer(kWaitTimer);
    m_WaitRunning = false;
    if (m_Platform.HasWindow()) Show();
  }
}

bool UsesSystemColors(const std::wstring& text) { return !text.empty() && text[0] == L'&'; }

std::wstring ShownText(const std::wstring& text) { return UsesSystemColors(text) ? text.substr(1) : text; }

CTooltipCore::Shown CTooltipCore::ShownNow() const {
  const std::wstring& text = m_Settings.text;
  return {ShownText(text), UsesSystemColors(text) ? m_SystemColors : m_Settings.colors};
}

void CTooltipCore::Show() {
  Hide();  // the hidden carrier goes; the window comes again at its place
  const Shown shown = ShownNow();
  if (shown.text.empty()) return;
  m_Anchor = m_Position = Placement{};
  m_Width = m_Height = 0;
  m_Frame = 0;
  if (!m_Platform.PointerAnchor(m_Anchor)) return;
  // A failure from here on leaves a hidden window for the next Hide.
  if (!m_Platform.CreateCarrier() || !Layout(shown)) return;
  m_Platform.StartTimer(kShowTimer, Milliseconds(m_Settings.showTime));
  m_ShowRunning = true;
  m_FrameTotal = zbtip::FrameTotal(m_Settings.effect, m_Width, m_Height);
  m_Animating = m_Platform.StartAnimation(Milliseconds(m_Settings.animTime));
  if (!m_Animating) {
    // No animation timer (a period of 0, for one): the tooltip shows at once.
    m_Display.BlitFrom(m_Final, 0, 0);
    m_Platform.Repaint();
  }
}

bool CTooltipCore::Layout(const Shown& shown) {
  int32_t textWidth = 0, textHeight = 0, width = 0, height = 0;
  if (!m_Platform.MeasureText(shown.text, textWidth, textHeight) || !Padded(textWidth, textHeight, width, height))
    return false;
  int32_t screenWidth = 0, screenHeight = 0;
  m_Platform.ScreenSize(screenWidth, screenHeight);
  m_Width = width;
  m_Height = height;
  m_Position = KeepOnScreen(m_Anchor, width, height, screenWidth, screenHeight);
  if (!m_Display.Create(width, height) || !m_Final.Create(width, height) || !m_Background.Create(width, height))
    return false;

  m_Platform.GrabScreen(m_Position.x, m_Position.y, m_Display);
  m_Background.CopyFrom(m_Display);
  FillGradient(m_Final, shown.colors.back, shown.colors.gradient);
  DrawBorder(m_Final, shown.colors.border);
  m_Platform.RenderText(m_Final, shown.text, 2, 2, shown.colors.text);

  m_Platform.PlaceAndShow(m_Position.x, m_Position.y, width, height);
  return true;
}

void CTooltipCore::AnimationStep() {
  if (!m_Animating) return;  // a tick that came after the timer stopped
  if (!m_Platform.HasWindow()) {
    StopAnimation();
    return;
  }
  zbtip::AnimationStep(m_Display, m_Final, m_Settings.effect, m_Frame);
  // Blending by k/256 truncates and can stop a level short of the finished picture: the last step
  // puts it in place exactly.
  if (m_Frame >= m_FrameTotal) m_Display.BlitFrom(m_Final, 0, 0);
  m_Platform.Repaint();
  if (++m_Frame > m_FrameTotal) StopAnimation();
}

void CTooltipCore::SetText(const std::wstring& text, bool reposition, int amount) {
  m_Settings.text = text;
  amount = std::clamp(amount, 0, 255);
  if (!m_ShowRunning || !m_Platform.HasWindow()) return;
  if (reposition) {
    Placement anchor;
    if (!m_Platform.PointerAnchor(anchor)) return;
    m_Anchor = anchor;
  }
  const Shown shown = ShownNow();
  // An empty text means no tooltip, on show or not.
  if (shown.text.empty()) {
    Hide();
    return;
  }
  if (amount < 255 && m_Display.HasPixels() && m_Background.HasPixels() &&
      m_Display.Width() == m_Background.Width() && m_Display.Height() == m_Background.Height()) {
    m_Display.CopyFrom(m_Background);
    m_Platform.Repaint();
  }
  if (!Layout(shown)) {
    Hide();  // no pictures to paint: nothing stays on the screen
    return;
  }
  if (amount >= 255) {
    // In place at once; an animation still running would slide the new picture over itself.
    m_Display.BlitFrom(m_Final, 0, 0);
    StopAnimation();
  } else {
    m_Display.BlendWith(m_Final, amount);
    m_FrameTotal = zbtip::FrameTotal(m_Settings.effect, m_Width, m_Height);
  }
  m_Platform.Repaint();
}

}  // namespace zbtip
