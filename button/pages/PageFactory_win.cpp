#include "button/pages/PageFactory.h"

#include "button/control/ZephonButtonIds.h"
#include "button/pages/ColorsPage.h"
#include "button/pages/EffectsPage.h"
#include "button/pages/GeneralPage.h"
#include "button/pages/ImagesPage.h"
#include "button/pages/ProfiPage.h"
#include "button/pages/TextPage.h"
#include "button/pages/ToolTipPage.h"

namespace button {

button::CreateInstanceFn PageCreator(REFCLSID clsid) {
  if (IsEqualCLSID(clsid, CLSID_ZephonGeneralPage)) return &button::CreatePage<button::CGeneralPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonColorsPage)) return &button::CreatePage<button::CColorsPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonEffectsPage)) return &button::CreatePage<button::CEffectsPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonProfiPage)) return &button::CreatePage<button::CProfiPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonToolTipPage)) return &button::CreatePage<button::CToolTipPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonImagesPage)) return &button::CreatePage<button::CImagesPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonTextPage)) return &button::CreatePage<button::CTextPage>;
  return nullptr;
}

}  // namespace button
