#include "button/tooltip/TooltipWindow.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdint>

#include "common/win/Handles.h"

namespace button {

namespace {

constexpr wchar_t kClassName[] = L"ZephonToolTipWindow";
// Posted by the multimedia timer's tick; wParam is the animation's generation.
constexpr UINT kStepMessage = WM_USER + 0x54;

HINSTANCE CodeModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&CodeModule)), &module);
  return module;
}

// Without cursor, background brush or icon: the tooltip paints every pixel itself.
bool RegisterWindowClass(WNDPROC proc) {
  HINSTANCE inst = CodeModule();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(inst, kClassName, &wc)) {
    if (wc.lpfnWndProc == proc) return true;
    UnregisterClassW(kClassName, inst);  // left by an earlier load of this module
  }
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = inst;
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

CTooltipWindow::CTooltipWindow() : m_core(*this, SystemColors()) {}

CTooltipWindow::~CTooltipWindow() { m_core.Hide(); }

button::Colors CTooltipWindow::SystemColors() {
  button::Colors c;
  c.back = GetSysColor(COLOR_INFOBK);
  c.gradient = GetSysColor(COLOR_INFOBK);
  c.text = GetSysColor(COLOR_INFOTEXT);
  c.border = GetSysColor(COLOR_3DDKSHADOW);
  return c;
}

bool CTooltipWindow::Start(HWND owner) {
  m_core.Hide();
  m_owner = owner;
  return m_core.Start(owner != nullptr);
}

void CTooltipWindow::Hide() { m_core.Hide(); }

void CTooltipWindow::SetText(const std::wstring& text, bool reposition, int amount) {
  m_core.SetText(text, reposition, amount);
}

// ---- the window -----------------------------------------------------------------------------------

LRESULT CALLBACK CTooltipWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<CTooltipWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->m_hwnd = hwnd;
  }
  auto* self = reinterpret_cast<CTooltipWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(hwnd, &ps)) {
        self->m_core.Display().Draw(dc, 0, 0);
        EndPaint(hwnd, &ps);
      }
      return 0;
    }
    case WM_TIMER:
      self->m_core.OnTimer(int(wp));  // may destroy this window
      return 0;
    case kStepMessage:
      if (wp == self->m_generation.load()) {
        self->m_stepPosted = false;
        self->m_core.AnimationStep();
      }
      return 0;
    case WM_NCDESTROY:
      // Also when the owner window goes first: no more ticks for a window that is gone.
      self->StopAnimation();
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->m_hwnd = nullptr;
      break;
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool CTooltipWindow::CreateCarrier() {
  if (m_hwnd) return true;
  if (!m_owner || !RegisterWindowClass(&CTooltipWindow::WindowProc)) return false;
  CreateWindowExW(0, kClassName, WindowName(), WS_POPUP, 0, 0, 0, 0, m_owner, nullptr, CodeModule(), this);
  return m_hwnd != nullptr;
}

void CTooltipWindow::DestroyCarrier() {
  if (m_hwnd) DestroyWindow(m_hwnd);  // WM_NCDESTROY clears m_hwnd
  m_hwnd = nullptr;
}

void CTooltipWindow::StartTimer(int id, uint32_t ms) {
  if (m_hwnd) SetTimer(m_hwnd, UINT_PTR(id), ms, nullptr);
}

void CTooltipWindow::StopTimer(int id) {
  if (m_hwnd) KillTimer(m_hwnd, UINT_PTR(id));
}

// ---- the animation timer --------------------------------------------------------------------------

void CALLBACK CTooltipWindow::Tick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
  auto* self = reinterpret_cast<CTooltipWindow*>(user);
  // One step message waits at a time: a busy window thread takes the steps later, not all at once.
  if (self->m_stepPosted.exchange(true)) return;
  HWND target = self->m_stepTarget.load();
  if (!target || !PostMessageW(target, kStepMessage, self->m_generation.load(), 0)) self->m_stepPosted = false;
}

bool CTooltipWindow::StartAnimation(uint32_t periodMs) {
  StopAnimation();
  if (!m_hwnd) return false;
  m_stepTarget = m_hwnd;
  m_animationTimer = timeSetEvent(periodMs, periodMs, &CTooltipWindow::Tick, reinterpret_cast<DWORD_PTR>(this),
                                  TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
  if (!m_animationTimer) m_stepTarget = nullptr;
  return m_animationTimer != 0;
}

void CTooltipWindow::StopAnimation() {
  if (m_animationTimer) timeKillEvent(m_animationTimer);  // waits for a tick in progress
  m_animationTimer = 0;
  m_stepTarget = nullptr;
  ++m_generation;
  m_stepPosted = false;
}

// ---- placement, pictures and text -----------------------------------------------------------------

bool CTooltipWindow::PointerAnchor(button::TooltipPosition& anchor) {
  POINT pointer{};
  if (!GetCursorPos(&pointer)) return false;
  int32_t offset = 0;
  if (HCURSOR cursor = GetCursor()) {
    ICONINFO info{};
    if (!GetIconInfo(cursor, &info)) return false;
    common::GdiBitmap mask(info.hbmMask), color(info.hbmColor);
    BITMAP bm{};
    if (!mask.Get() || !GetObjectW(mask.Get(), sizeof(bm), &bm)) return false;
    CImageDIB bits;
    if (!bits.Create(bm.bmWidth, bm.bmHeight)) return false;
    common::WindowDC screen = common::TakeWindowDC(nullptr);
    if (!screen.Get() || bits.GetFromBitmap(screen.Get(), mask.Get()) == 0) return false;
    offset = button::PointerOffset(bits, int32_t(info.yHotspot), GetSystemMetrics(SM_CYCURSOR));
  }
  anchor.x = pointer.x;
  anchor.y = int32_t(std::min<int64_t>(int64_t(pointer.y) + offset, INT32_MAX));
  return true;
}

HFONT CTooltipWindow::TextFont() {
  if (m_font) {
    HFONT font = nullptr;
    if (SUCCEEDED(m_font->get_hFont(&font)) && font) return font;
  }
  if (!m_defaultFont) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
      m_defaultFont.Reset(CreateFontIndirectW(&metrics.lfStatusFont));
    if (!m_defaultFont) {
      common::WindowDC screen = common::TakeWindowDC(nullptr);
      const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
      LOGFONTW lf{};
      lf.lfHeight = -MulDiv(10, dpi, 72);
      lf.lfWeight = 700;
      lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
      m_defaultFont.Reset(CreateFontIndirectW(&lf));
    }
  }
  return m_defaultFont.Get();
}

bool CTooltipWindow::MeasureText(const std::wstring& text, int32_t& width, int32_t& height) {
  common::WindowDC dc = common::TakeWindowDC(m_hwnd);
  HFONT font = TextFont();
  if (!dc.Get() || !font || text.size() > size_t(INT32_MAX)) return false;
  common::SelectedObject selected = common::SelectInto(dc.Get(), font);
  SIZE size{};
  if (!GetTextExtentPoint32W(dc.Get(), text.c_str(), int(text.size()), &size)) return false;
  width = size.cx;
  height = size.cy;
  return true;
}

void CTooltipWindow::ScreenSize(int32_t& width, int32_t& height) {
  width = GetSystemMetrics(SM_CXSCREEN);
  height = GetSystemMetrics(SM_CYSCREEN);
}

void CTooltipWindow::GrabScreen(int32_t x, int32_t y, CImageDIB& into) {
  common::WindowDC screen = common::TakeWindowDC(nullptr);
  if (screen.Get()) into.GrabFromDC(screen.Get(), x, y, into.Width(), into.Height());
}

void CTooltipWindow::RenderText(CImageDIB& image, const std::wstring& text, int32_t x, int32_t y, uint32_t color) {
  common::WindowDC screen = common::TakeWindowDC(nullptr);
  if (!screen.Get() || text.size() > size_t(INT32_MAX)) return;
  common::MemoryDC memory(CreateCompatibleDC(screen.Get()));
  common::GdiBitmap bitmap(CreateCompatibleBitmap(screen.Get(), image.Width(), image.Height()));
  HFONT font = TextFont();
  if (!memory.Get() || !bitmap.Get() || !font) return;
  // The bitmap takes the picture before it is selected and gives it back after: GDI's pixel
  // transfers want a bitmap no device context holds.
  if (!image.SetToBitmap(memory.Get(), bitmap.Get())) return;
  {
    common::SelectedObject selectedBitmap = common::SelectInto(memory.Get(), bitmap.Get());
    common::SelectedObject selectedFont = common::SelectInto(memory.Get(), font);
    SetTextColor(memory.Get(), COLORREF(color));
    SetBkMode(memory.Get(), TRANSPARENT);
    TextOutW(memory.Get(), x, y, text.c_str(), int(text.size()));
  }
  image.GetFromBitmap(memory.Get(), bitmap.Get());
}

void CTooltipWindow::PlaceAndShow(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (m_hwnd) SetWindowPos(m_hwnd, HWND_TOP, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void CTooltipWindow::Repaint() {
  if (m_hwnd) RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace button
