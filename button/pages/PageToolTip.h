#pragma once
// The standard tooltip control some pages attach to their controls: active, 20 s before it pops
// down, tips at most 260 pixels wide. The tooltip subclasses the tools, so the mouse messages
// that reach them are relayed to it. A popup's owner is always a top-level window (the frame), so
// the page destroys its tooltip itself when its dialog goes.
#include <windows.h>

#include <string>

namespace button {

class CPageToolTip {
 public:
  CPageToolTip() = default;
  CPageToolTip(const CPageToolTip&) = delete;
  CPageToolTip& operator=(const CPageToolTip&) = delete;
  ~CPageToolTip() { Destroy(); }
  // False when the tooltip window cannot be created (the page works without tips).
  bool Create(HWND page);
  void Destroy();
  bool Add(HWND tool, const wchar_t* text);
  HWND Window() const { return m_tip; }

 private:
  HWND m_page = nullptr;
  HWND m_tip = nullptr;
};

}  // namespace button
