#pragma once
// The "Effects" page: the effect filter, its global blend and colour mask, and what they apply to,
// with a preview of the effect pass on a sample picture and the filter's help line.
#include <windows.h>

#include "button/pages/PropertyPage.h"

namespace button {

class CEffectsPage final : public CPropertyPage {
 public:
  CEffectsPage();

 private:
  void OnInitDialog() override;
  void OnValuesShown() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  void PickFilter(int filter);
  void Step(HWND scrollBar, int action);
  void DrawPreview(HDC dc);
  void Redraw();
  long Number(int id) const;

  // The page's own copies of the two "Enable" boxes, which the preview follows.
  bool m_blendOn = false;
  bool m_maskOn = false;
};

}  // namespace button
