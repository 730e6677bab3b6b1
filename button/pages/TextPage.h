#pragma once
// The "Text" page: the caption text, its blend value and vertical offset (each with a spin arrow),
// word break, which pictures carry the text and its alignment.
#include "button/pages/PropertyPage.h"

namespace button {

class CTextPage final : public CPropertyPage {
 public:
  CTextPage();

 private:
  void OnInitDialog() override;
  void OnValuesShown() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void UpdateVerticalAlign();
  void StepBox(HWND scrollBar, int code);
};

}  // namespace button
