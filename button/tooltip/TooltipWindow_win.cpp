#include "button/tooltip/TooltipWindow.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdint>

#include "common/win/Handles.h"

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

CTooltipWindow::CTooltipWindow() : m_Core(*this, SystemColors()) {}

CTooltipWindow::~CTooltipWindow() { m_Core.Hide(); }

zbtip::Colors CTooltipWindow::SystemColors() {
  zbtip::Colors c;
  c.back = GetSysColor(COLOR_INFOBK);
  c.gradient = GetSysColor(COLOR_INFOBK);
  c.text = GetSysColor(COLOR_INFOTEXT);
  c.border = GetSysColor(COLOR_3DDKSHADOW);
  return c;
}

bool CTooltipWindow::Start(HWND owner) {
  m_Core.Hide();
  m_Owner = owner;
  return m_Core.Start(owner != nullptr);
}

void CTooltipWindow::Hide() { m_Core.Hide(); }

void CTooltipWindow::SetText(const std::wstring& text, bool reposition, int amount) {
  m_Core.SetText(text, reposition, amount);
}

// ---- the window -----------------------------------------------------------------------------------

LRESULT CALLBACK CTooltipWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<CTooltipWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->m_Hwnd = hwnd;
  }
  auto* self = reinterpret_cast<CTooltipWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(hwnd, &ps)) {
        self->m_Core.Display().Draw(dc, 0, 0);
        EndPaint(hwnd, &ps);
      }
      return 0;
    }
    case WM_TIMER:
      self->m_Core.OnTimer(int(wp));  // may destroy this window
      return 0;
    case kStepMessage:
      if (wp == self->m_Generation.load()) {
        self->m_StepPosted = false;
        self->m_Core.AnimationStep();
      }
      return 0;
    case WM_NCDESTROY:
      // Also when the owner window goes first: no more ticks for a window that is gone.
      self->StopAnimation();
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->m_Hwnd = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool CTooltipWindow::CreateCarrier() {
  if (m_Hwnd) return true;
  if (!m_Owner || !RegisterWindowClass(&CTooltipWindow::WindowProc)) return false;
  CreateWindowExW(0, kClassName, WindowName(), WS_POPUP, 0, 0, 0, 0, m_Owner, nullptr, CodeModule(), this);
  return m_Hwnd != nullptr;
}

void CTooltipWindow::DestroyCarrier() {
  if (m_Hwnd) DestroyWindow(m_Hwnd);  // WM_NCDESTROY clears m_Hwnd
  m_Hwnd = nullptr;
}

void CTooltipWindow::StartTimer(int id, uint32_t ms) {
  if (m_Hwnd) SetTimer(m_Hwnd, UINT_PTR(id), ms, nullptr);
}

void CTooltipWindow::StopTimer(int id) {
  if (m_Hwnd) KillTimer(m_Hwnd, UINT_PTR(id));
}

// ---- the animation timer --------------------------------------------------------------------------

void CALLBACK CTooltipWindow::Tick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
  auto* self = reinterpret_cast<CTooltipWindow*>(user);
  // One step message waits at a time: a busy window thread takes the steps later, not all at once.
  if (self->m_StepPosted.exchange(true)) return;
  HWND target = self->m_StepTarget.load();
  if (!target || !PostMessageW(target, kStepMessage, self->m_Generation.load(), 0)) self->m_StepPosted = false;
}

bool CTooltipWindow::StartAnimation(uint32_t periodMs) {
  StopAnimation();
  if (!m_Hwnd) return false;
  m_StepTarget = m_Hwnd;
  m_AnimationTimer = timeSetEvent(periodMs, periodMs, &CTooltipWindow::Tick, reinterpret_cast<DWORD_PTR>(this),
                                  TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
  if (!m_AnimationTimer) m_StepTarget = nullptr;
  return m_AnimationTimer != 0;
}

void CTooltipWindow::StopAnimation() {
  if (m_AnimationTimer) timeKillEvent(m_AnimationTimer);  // waits for a tick in progress
  m_AnimationTimer = 0;
  m_StepTarget = nullptr;
  ++m_Generation;
  m_StepPosted = false;
}

// ---- placement, pictures and text -----------------------------------------------------------------

bool CTooltipWindow::PointerAnchor(zbtip::Placement& anchor) {
  POINT pointer{};
  if (!GetCursorPos(&pointer)) return false;
  int32_t offset = 0;
  if (HCURSOR cursor = GetCursor()) {
    ICONINFO info{};
    if (!GetIconInfo(cursor, &info)) return false;
    zb::GdiBitmap mask(info.hbmMask), color(info.hbmColor);
    BITMAP bm{};
    if (!mask.Get() || !GetObjectW(mask.Get(), sizeof(bm), &bm)) return false;
    CImageDIB bits;
    if (!bits.Create(bm.bmWidth, bm.bmHeight)) return false;
    zb::WindowDC screen = zb::TakeWindowDC(nullptr);
    if (!screen.Get() || bits.GetFromBitmap(screen.Get(), mask.Get()) == 0) return false;
    offset = zbtip::PointerOffset(bits, int32_t(info.yHotspot), GetSystemMetrics(SM_CYCURSOR));
  }
  anchor.x = pointer.x;
  anchor.y = int32_t(std::min<int64_t>(int64_t(pointer.y) + offset, INT32_MAX));
  return true;
}

HFONT CTooltipWindow::TextFont() {
  if (m_Font) {
    HFONT font = nullptr;
    if (SUCCEEDED(m_Font->get_hFont(&font)) && font) return font;
  }
  if (!m_DefaultFont) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
      m_DefaultFont.Reset(CreateFontIndirectW(&metrics.lfStatusFont));
    if (!m_DefaultFont) {
      zb::WindowDC screen = zb::TakeWindowDC(nullptr);
      const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
      LOGFONTW lf{};
      lf.lfHeight = -MulDiv(10, dpi, 72);
      lf.lfWeight = 700;
      lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
      m_DefaultFont.Reset(CreateFontIndirectW(&lf));
    }
  }
  return m_DefaultFont.Get();
}

bool CTooltipWindow::MeasureText(const std::wstring& text, int32_t& width, int32_t& height) {
  zb::WindowDC dc = zb::TakeWindowDC(m_Hwnd);
  HFONT font = TextFont();
  if (!dc.Get() || !font || text.size() > size_t(INT32_MAX)) return false;
  zb::SelectedObject selected = zb::SelectInto(dc.Get(), font);
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
  zb::WindowDC screen = zb::TakeWindowDC(nullptr);
  if (screen.Get()) into.GrabFromDC(screen.Get(), x, y, into.Width(), into.Height());
}

void CTooltipWindow::RenderText(CImageDIB& image, const std::wstring& text, int32_t x, int32_t y, uint32_t color) {
  zb::WindowDC screen = zb::TakeWindowDC(nullptr);
  if (!screen.Get() || text.size() > size_t(INT32_MAX)) return;
  zb::MemoryDC memory(CreateCompatibleDC(screen.Get()));
  zb::GdiBitmap bitmap(CreateCompatibleBitmap(screen.Get(), image.Width(), image.Height()));
  HFONT font = TextFont();
  if (!memory.Get() || !bitmap.Get() || !font) return;
  // The bitmap takes the picture before it is selected and gives it back after: GDI's pixel
  // transfers want a bitmap no device context holds.
  if (!image.SetToBitmap(memory.Get(), bitmap.Get())) return;
  {
    zb::SelectedObject selectedBitmap = zb::SelectInto(memory.Get(), bitmap.Get());
    zb::SelectedObject selectedFont = zb::SelectInto(memory.Get(), font);
    SetTextColor(memory.Get(), COLORREF(color));
    SetBkMode(memory.Get(), TRANSPARENT);
    TextOutW(memory.Get(), x, y, text.c_str(), int(text.size()));
  }
  image.GetFromBitmap(memory.Get(), bitmap.Get());
}

void CTooltipWindow::PlaceAndShow(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (m_Hwnd) SetWindowPos(m_Hwnd, HWND_TOP, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void CTooltipWindow::Repaint() {
  if (m_Hwnd) RedrawWindow(m_Hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
