#pragma once
// The "Color" page: the seven colour properties, edited through the page's own colour picker.
#include <windows.h>

#include "button/pages/ColorPicker.h"
#include "button/pages/PageToolTip.h"
#include "button/pages/PropertyPage.h"
#include "common/win/Handles.h"

namespace button {

class CColorsPage final : public CPropertyPage {
 public:
  CColorsPage();
  ~CColorsPage() override;

 private:
  void OnInitDialog() override;
  void OnValuesShown() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  void Paint(HDC dc) const;
  void Redraw();
  void ShowNumbers();
  void NumberEdited(int channel, int id);
  void SelectItemColor();
  void SetItemColor();
  void ChooseItem(int item);
  void ResetBack();
  void Track(LPARAM lParam);

  CColorPicker m_picker;
  CPageToolTip m_tips;
  int m_item = 0;  // the chosen colour item, 0 Back .. 6 Text
  bool m_lock = true;
  bool m_updating = false;  // the page writes the number boxes itself
  common::GdiBitmap m_bitmaps[3];
};

}  // namespace button
