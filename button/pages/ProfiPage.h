#pragma once
// The "Profi" page: four switches for experienced users, nothing beyond their bindings.
#include "button/pages/PropertyPage.h"

namespace button {

class CProfiPage final : public CPropertyPage {
 public:
  CProfiPage();
};

}  // namespace button
