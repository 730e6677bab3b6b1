#pragma once
// CTooltipWindow: the tooltip's borderless popup "ZephonToolTip" on the platform. It carries out
// CTooltipCore's sequence with a window of its own (timers 242 and 243, paint of the display
// buffer), the multimedia timer for the animation steps, the pointer's cursor and GDI text.
//
// The multimedia timer calls back on its own thread; its tick only posts one step message to the
// window at a time, and the step runs on the window's thread, where painting reads the same buffer.
// Stopping the timer waits for a callback in progress, so no tick outlives Hide.
#include <windows.h>
#include <ocidl.h>

#include <atomic>
#include <string>

#include "common/win/ComPtr.h"
#include "common/win/Handles.h"
#include "button/tooltip/TooltipCore.h"

namespace button {

class CTooltipWindow : private button::ITooltipPlatform {
 public:
  CTooltipWindow();
  ~CTooltipWindow() override;
  CTooltipWindow(const CTooltipWindow&) = delete;
  CTooltipWindow& operator=(const CTooltipWindow&) = delete;

  // Comes up for `owner` after the wait time; false with no owner or no window.
  bool Start(HWND owner);
  void Hide();
  void SetText(const std::wstring& text, bool reposition, int amount);
  // Text, times, effect and colours for the next Show.
  void Configure(const button::Settings& settings) { m_core.Configure(settings); }
  // The font of the text (a reference is kept); null: the system's status-bar font.
  void SetFont(IFont* font) { m_font = common::ComPtr<IFont>(font); }

  // The system's tooltip colours ("&" texts and the colours before Configure).
  static button::Colors SystemColors();
  static const wchar_t* WindowName() { return L"ZephonToolTip"; }

  HWND Window() const { return m_hwnd; }
  const button::CTooltipCore& Core() const { return m_core; }

 private:
  // ITooltipPlatform
  bool CreateCarrier() override;
  bool HasWindow() const override { return m_hwnd != nullptr; }
  void DestroyCarrier() override;
  void StartTimer(int id, uint32_t ms) override;
  void StopTimer(int id) override;
  bool StartAnimation(uint32_t periodMs) override;
  void StopAnimation() override;
  bool PointerAnchor(button::TooltipPosition& anchor) override;
  bool MeasureText(const std::wstring& text, int32_t& width, int32_t& height) override;
  void ScreenSize(int32_t& width, int32_t& height) override;
  void GrabScreen(int32_t x, int32_t y, CImageDIB& into) override;
  void RenderText(CImageDIB& image, const std::wstring& text, int32_t x, int32_t y, uint32_t color) override;
  void PlaceAndShow(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void Repaint() override;

  HFONT TextFont();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static void CALLBACK Tick(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

  button::CTooltipCore m_core;
  HWND m_owner = nullptr;
  HWND m_hwnd = nullptr;
  common::ComPtr<IFont> m_font;
  // Made on first use when no font was given.
  common::GdiFont m_defaultFont;
  UINT m_animationTimer = 0;
  // Shared with the multimedia timer's thread.
  std::atomic<HWND> m_stepTarget{nullptr};
  std::atomic<bool> m_stepPosted{false};
  std::atomic<WPARAM> m_generation{0};  // tells a stale step message from a running animation
};

}  // namespace button
