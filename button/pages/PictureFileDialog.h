#pragma once
// The picture file dialog of the Images page: the system's open-file dialog with a hook of its own
// that widens it and previews the selected picture, decoded through the control's own picture
// routing. On systems of version 4.0 and older it is the plain dialog.
#include <windows.h>

#include <string>

#include "button/pixels/ImageDIB.h"

namespace button {

class CPictureFileDialog {
 public:
  CPictureFileDialog() = default;
  ~CPictureFileDialog();
  CPictureFileDialog(const CPictureFileDialog&) = delete;
  CPictureFileDialog& operator=(const CPictureFileDialog&) = delete;

  // Runs the dialog modally over `owner`; true with the chosen file in `path`.
  bool Run(HWND owner, const std::wstring& title, std::wstring& path);

  // Loads the previewed picture from a file (an unreadable, undecodable or missing file clears
  // it); true when there is a picture to show.
  bool LoadPreview(const std::wstring& path);
  const CImageDIB& Picture() const { return m_picture; }
  // Draws the preview area with its top-left corner at (x, y), and the size line below it.
  void DrawPreview(HDC dc, int x, int y) const;

 private:
  static UINT_PTR CALLBACK HookProc(HWND hook, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK WatchProc(int code, WPARAM wParam, LPARAM lParam);
  void Initialise(HWND hook);
  void SelectionChanged();
  void RedrawFrame() const;
  void Unhook();

  CImageDIB m_picture;
  HWND m_hook = nullptr;   // our child dialog inside the system's
  HWND m_frame = nullptr;  // the system dialog's own window
  HHOOK m_watch = nullptr;
  int m_frameWidth = 0;  // the widened width the frame keeps while sized
};

}  // namespace button
