#pragma once
// The Effects page's bindings and its preview: the effect pass of the control run over the sample
// picture with the page's values, ignoring the apply-to choice and the automatic bevel.
#include <cstddef>
#include <cstdint>

#include "button/pages/PageBinding.h"

namespace button {

class CImageDIB;

struct PreviewValues {
  long filter = 0;
  uint32_t back = 0;  // COLORREF
  uint32_t mask = 0;  // COLORREF
  long maskValue = 0;
  long blendValue = 0;
  bool maskOn = false;  // the page's own copies of the two "Enable" boxes
  bool blendOn = false;
};

// Replaces `picture` by its preview; false when the work buffer cannot be made.
bool RunPreview(CImageDIB& picture, const PreviewValues& values);

// A scroll arrow's step of a number box: up adds one, down takes one, held to 0..255.
long StepAmount(long value, bool up);

const PageBinding* EffectsBindings();
size_t EffectsBindingCount();

}  // namespace button
