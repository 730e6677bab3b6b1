#pragma once
// CButtonClass: makes button control objects by their class, as any container does. ZBHOST
// registers nothing of its own accord: only when the class is not registered (or its registered
// module is gone) does it register the ZEPHONBUTTONPRO.OCX found beside the program, say so in the
// log, and try once more.
#include <windows.h>

#include <string>

#include "common/win/ComPtr.h"

namespace tools {

class CButtonClass {
 public:
  // On failure `error` is one line saying why.
  HRESULT CreateObject(common::ComPtr<IUnknown>& out, std::string& error);

  static std::string HResultText(HRESULT hr);

 private:
  HRESULT RegisterModuleBesideUs(std::string& error);
  bool m_triedRegistering = false;
};

}  // namespace tools
