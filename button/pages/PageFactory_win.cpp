#include "button/pages/PageFactory.h"

#include "button/control/ZephonButtonIds.h"
#include "button/pages/ColorsPage.h"
#include "button/pages/EffectsPage.h"
#include "button/pages/GeneralPage.h"
#include "button/pages/ImagesPage.h"
#include "button/pages/ProfiPage.h"
#include "button/pages/TextPage.h"
#include "button/pages/ToolTipPage.h"

namespace zephon {

zb::CreateInstanceFn PageCreator(REFCLSID clsid) {
  if (IsEqualCLSID(clsid, CLSID_ZephonGeneralPage)) return &zbpages::CreatePage<zbpages::CGeneralPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonColorsPage)) return &zbpages::CreatePage<zbpages::CColorsPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonEffectsPage)) return &zbpages::CreatePage<zbpages::CEffectsPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonProfiPage)) return &zbpages::CreatePage<zbpages::CProfiPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonToolTipPage)) return &zbpages::CreatePage<zbpages::CToolTipPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonImagesPage)) return &zbpages::CreatePage<zbpages::CImagesPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonTextPage)) return &zbpages::CreatePage<zbpages::CTextPage>;
  return nullptr;
}

}  // namespace zephon
