#pragma once
// CPanelButton: one picture button of the panel, a ZephonButton control hosted in a window of
// ours. Its design (pictures, tooltip) is built into the program: the pictures come from the
// program's resources as picture objects and load with the control's stored properties, so no
// picture file is needed at run time. The panel listens to two events: MouseClick and MouseEnter.
#include <windows.h>

#include <functional>

#include "common/olehost/ControlHost.h"

namespace catalogue {

struct PanelButtonDesign {
  int id;  // the control window's identifier in its parent
  int left, top, width, height;
  // The design-time picture files, kept in the URL properties as the design had them.
  const wchar_t* normalFile;
  const wchar_t* overFile;
  const wchar_t* downFile;
  // The same pictures in the program's resources.
  int normalPicture, overPicture, downPicture;
  bool storesDisablePicture;  // the normal picture doubles as the disabled one
  const wchar_t* toolTip;
};

class CPanelButton {
 public:
  CPanelButton() = default;
  CPanelButton(const CPanelButton&) = delete;
  CPanelButton& operator=(const CPanelButton&) = delete;
  ~CPanelButton() { Close(); }

  // Creates the control in `parent` with its design; the handlers run for its MouseClick and
  // MouseEnter events. A failed HRESULT when the control could not be made (not registered).
  HRESULT Create(HINSTANCE instance, HWND parent, const PanelButtonDesign& design, std::function<void()> onClick,
                 std::function<void()> onEnter);
  HRESULT SetAutoHandCursor(bool on);
  HWND Window() const;
  // Deactivates and releases the control (before its parent window goes).
  void Close();

 private:
  common::HostedControl m_host;
};

// The BMP bytes of an RCDATA resource of `instance` as a picture object.
HRESULT LoadResourcePicture(HINSTANCE instance, int id, common::ComPtr<IPictureDisp>& out);

}  // namespace catalogue
