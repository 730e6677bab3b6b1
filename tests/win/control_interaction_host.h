#pragma once
// The button control in a real window, for the interaction, render and animation tests: a control
// linked into the test (so its collaborators can be replaced), hosted by our container or by the platform's
// ATL host in a visible top-level window, driven by real window messages, its events recorded.
// The module file ZEPHONBUTTONPRO.OCX beside the test supplies the resources (placeholders, cursors,
// type library).
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "button/control/ZephonButtonCtrl.h"
#include "common/olehost/ControlHost.h"
#include "tests/win/control_props_support.h"

namespace tests {

enum class HostKind { Ours, Atl };
std::string HostName(HostKind kind);

// The module the resources come from (loaded once; null when missing).
HMODULE ResourceModule();

// A fresh folder (with a trailing backslash) and a w × h 24-bit BMP of one colour (0x00RRGGBB).
std::wstring TempFolder(const char* tag);
bool WriteSolidBmp(const std::wstring& path, int w, int h, uint32_t rgb);
// A text as a quoted string of property bag text.
std::wstring BagString(const std::wstring& text);

// What the control asked of its tooltip.
struct TooltipLog {
  std::vector<HWND> starts;
  int hides = 0;
};

// Messages the top-level test window received that tests look at.
struct ParentLog {
  int closeRequests = 0;  // WM_SYSCOMMAND SC_CLOSE (the window stays)
};

// Runs the thread's messages for `ms` milliseconds (at least one pass).
void Pump(DWORD ms);
// Runs messages until `done()` or `ms` milliseconds.
template <typename Pred>
bool PumpUntil(DWORD ms, Pred done) {
  const DWORD start = GetTickCount();
  for (;;) {
    Pump(0);
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

class TestButton {
 public:
  struct Options {
    HostKind host = HostKind::Ours;
    RECT rect{10, 10, 110, 60};  // in the top-level window's client area
    std::wstring bag;            // property bag text ("Name=Type:value" lines); empty: a new control
    bool userMode = true;        // ambient user mode (our container only)
    bool activate = true;        // false: created and loaded, not yet in a container
  };
  static std::unique_ptr<TestButton> Create(const Options& options);
  ~TestButton();

  button::CZephonButtonCtrl& Ctrl() const { return *m_ctrl; }
  IDispatch* Disp() const { return m_disp.Get(); }
  common::CControlHost* Host() const { return m_host.Get(); }
  HWND Top() const { return m_top; }
  HWND Window() const;  // the control's own window (null before activation)
  SIZE WindowSize() const;
  std::shared_ptr<TooltipLog> tooltip;
  std::shared_ptr<ParentLog> parent;
  std::unique_ptr<tests::EventRecorder> events;

  // Puts a not yet activated control into its container.
  bool Activate();
  // Moves the container's site (our container: SetRect; ATL: the host window).
  void ResizeSite(int cx, int cy);

  // Real messages, posted to the control's window and run.
  void Post(UINT msg, WPARAM wp, LPARAM lp);
  void Move(int x, int y, WPARAM keys = 0) { Post(WM_MOUSEMOVE, keys, MAKELPARAM(x, y)); }
  void LeftDown(int x, int y, WPARAM keys = MK_LBUTTON) { Post(WM_LBUTTONDOWN, keys, MAKELPARAM(x, y)); }
  void LeftUp(int x, int y, WPARAM keys = 0) { Post(WM_LBUTTONUP, keys, MAKELPARAM(x, y)); }
  void Click(int x = 5, int y = 5) {
    LeftDown(x, y);
    LeftUp(x, y);
  }
  // Puts the real pointer over the control's point (x, y), or far away from it.
  void PointerAt(int x, int y);
  void PointerAway();

  // The recorded events as "Name(arg,arg)" texts; MouseMoving left out unless asked for.
  std::vector<std::wstring> Events(bool withMoving = false) const;
  void ClearEvents() { events->events.clear(); }

  // What the control paints: through IViewObject::Draw into a w × h memory bitmap filled with `fill`,
  // or as its window shows it on the screen after WM_PAINT.
  bool Draw(int w, int h, COLORREF fill, tests::Drawing& out) const;
  bool Screen(tests::Drawing& out) const;

 private:
  TestButton() = default;
  button::CZephonButtonCtrl* m_ctrl = nullptr;
  common::ComPtr<IUnknown> m_unknown;
  common::ComPtr<IDispatch> m_disp;
  common::ComPtr<common::CControlHost> m_host;
  common::ComPtr<IUnknown> m_atlContainer;
  Options m_options;
  HWND m_top = nullptr;
  HWND m_ax = nullptr;
};

}  // namespace tests
