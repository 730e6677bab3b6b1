#pragma once
// CHostWindow: ZBHOST's window. It hosts one button control per button section through the
// container library, loads each from its property bag, logs every event of every button, clicks
// buttons on request and saves screenshots of itself.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win/ComPtr.h"
#include "common/win/Handles.h"
#include "common/olehost/ControlHost.h"
#include "common/olehost/PropertyBag.h"
#include "tools/zbhost/ButtonClass_win.h"
#include "tools/zbhost/EventLog_win.h"
#include "tools/zbhost/HostLayout.h"
#include "tools/zbhost/HostOptions.h"

namespace tools {

class CHostWindow {
 public:
  struct ButtonSetup {
    ButtonPlacement place;
    common::ComPtr<common::CPropertyBag> bag;
  };

  CHostWindow(CButtonClass& buttonClass, const CEventLog& log) : m_class(buttonClass), m_log(log) {}
  ~CHostWindow();
  CHostWindow(const CHostWindow&) = delete;
  CHostWindow& operator=(const CHostWindow&) = delete;

  // Makes the (hidden) window and its buttons; the window's client area fits the buttons unless
  // `settings` fixes its size. On failure `error` is one line.
  bool Create(const WindowSettings& settings, const std::wstring& title, bool userMode,
              std::vector<ButtonSetup> buttons, std::string& error);
  // Shows the window; `forScreenshot` puts it at the screen's corner above other windows so
  // that nothing covers what is saved. `exitAfterMs` >= 0 closes it after that time.
  void Show(bool forScreenshot, int exitAfterMs);

  // Runs the window's messages for `ms` milliseconds; false once the window has closed.
  bool Pump(DWORD ms);
  // Runs until the window closes.
  void Run();

  bool Act(const Action& action, std::string& error);
  // Repaints everything now, then saves the client area.
  bool Screenshot(const std::wstring& path, std::string& error);

  HWND Window() const { return m_hwnd; }

 private:
  struct Button {
    std::wstring name;
    common::HostedControl host;
    common::ComPtr<common::CEventSink> sink;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  bool AddButton(const ButtonSetup& setup, bool userMode, std::string& error);
  void FitToButtons(const WindowSettings& settings);
  void CloseButtons();
  bool Dispatch(MSG& msg);
  Button* Find(const std::string& name);

  CButtonClass& m_class;
  const CEventLog& m_log;
  HWND m_hwnd = nullptr;
  common::GdiBrush m_background;
  bool m_closed = false;
  std::vector<std::unique_ptr<Button>> m_buttons;
};

}  // namespace tools
