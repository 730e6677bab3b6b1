#include "button/pages/EffectsPageRules.h"

#include <algorithm>

#include "button/pages/PageResources.h"
#include "button/pixels/EffectPass.h"
#include "button/pixels/ImageDIB.h"

namespace button {

bool RunPreview(CImageDIB& picture, const PreviewValues& v) {
  if (!picture.HasPixels()) return false;
  CImageDIB work;
  if (!work.Create(picture.Width(), picture.Height())) return false;
  EffectSettings s;
  // Values the boxes hold but Apply would refuse still preview, held to what the control keeps.
  s.EffectFilter = ClampEffectFilter(int(std::clamp<long>(v.filter, -1, 32767)));
  s.EffectApplyTo = 0;
  s.BackGroundColor = v.back;
  s.MaskColor = v.mask;
  s.EffectColorMask = v.maskOn;
  s.EffectColorMaskValue = ClampEffectAmount(int(std::clamp<long>(v.maskValue, -1, 256)));
  s.EffectGlobalBlend = v.blendOn;
  s.EffectGlobalBlendValue = ClampEffectAmount(int(std::clamp<long>(v.blendValue, -1, 256)));
  RunEffectPass(picture, work, s, PictureState{});
  return true;
}

long StepAmount(long value, bool up) { return StepNumber(value, up, 0, 255); }

namespace {
PageBinding Amount(int id, const wchar_t* property) {
  PageBinding b{id, BindKind::EditShort, property};
  b.ranged = true;
  b.minValue = 0;
  b.maxValue = 255;
  return b;
}
const PageBinding kBindings[] = {
    {IDC_EFF_FILTER, BindKind::EditShort, L"EffectFilter"},
    Amount(IDC_EFF_BLENDVALUE, L"EffectGlobalBlendValue"),
    {IDC_EFF_BLEND, BindKind::Check, L"EffectGlobalBlend"},
    Amount(IDC_EFF_MASKVALUE, L"EffectColorMaskValue"),
    {IDC_EFF_MASK, BindKind::Check, L"EffectColorMask"},
    {IDC_EFF_MASKCOLOR, BindKind::EditColor, L"MaskColor"},
    {IDC_EFF_BACKCOLOR, BindKind::EditColor, L"BackGroundColor"},
    {IDC_EFF_APPLYTO, BindKind::ComboIndex, L"EffectApplyTo"},
};
}  // namespace

const PageBinding* EffectsBindings() { return kBindings; }
size_t EffectsBindingCount() { return sizeof(kBindings) / sizeof(kBindings[0]); }

}  // namespace button
