#pragma once
// The "Images" page: the four pictures of the button by file name or URL, their "link to EXE"
// bits of HoldingFlag, and a preview of each picture as the control holds it (read through the
// control's PrevPointer handle).
#include <windows.h>

#include "button/pages/PictureFileDialog.h"
#include "button/pages/PropertyPage.h"
#include "common/win/Handles.h"

namespace button {

class CImagesPage final : public CPropertyPage {
 public:
  CImagesPage();
  ~CImagesPage() override;

 private:
  void OnInitDialog() override;
  void OnValuesShown() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  void Preview(int row);
  void Browse(int row);
  void Clear(int row);
  void LinkClicked(int row);
  void AfterPictureChange(int row);
  long HoldingFlag() const;
  void SetHoldingFlag(long value);
  void Paint(HDC dc) const;

  CPictureFileDialog m_fileDialog;
  int m_row = 0;                 // the previewed row
  common::GdiBitmap m_marks[2];  // row button pictures: previewed, other
  common::GdiBitmap m_preview;   // the 130 x 130 preview square
};

}  // namespace button
