#pragma once
// StateImage: the picture record of one of the control's five states (normal, over, down, disable,
// blank): where its picture comes from, what kind it is, and its 32-bit pixels.
#include <windows.h>

#include <string>

#include "common/win/Handles.h"
#include "button/control/ZephonButtonCtrlRules.h"
#include "button/pixels/ImageDIB.h"

namespace button {

struct StateImage {
  using Kind = button::ImageKind;

  int Pending = 0;  // 1 while a new URL waits to be loaded when the state is shown
  Kind ImageKind = Kind::Empty;
  int SizeChange = 0;     // auto-sizing marker: 0 none, 1 grown to the normal picture, 2 differs
  int ExplicitWidth = 0;  // size remembered by auto-sizing
  int ExplicitHeight = 0;
  common::GdiBitmap Placeholder;  // built-in 33 × 28 picture, loaded at construction
  CImageDIB ImageDIB;
  std::wstring Url;           // current URL (for a downloaded picture: its local copy)
  std::wstring PropertyName;  // "PictureURL", ...; empty for blank
  std::wstring PreviousUrl;   // tried once when a pending URL fails
  std::wstring TempFile;      // local copy of a downloaded picture, deleted by the control

  // Forget the loading history; kind and pixels stay.
  void Reset() {
    PreviousUrl.clear();
    Pending = 0;
    SizeChange = 0;
    ExplicitWidth = 0;
    ExplicitHeight = 0;
  }
};

}  // namespace button
