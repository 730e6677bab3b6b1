#include "button/pages/PageFactory.h"

#include "button/control/ZephonButtonIds.h"
#include "button/pages/GeneralPage.h"
#include "button/pages/ProfiPage.h"

namespace zephon {

zb::CreateInstanceFn PageCreator(REFCLSID clsid) {
  if (IsEqualCLSID(clsid, CLSID_ZephonGeneralPage)) return &zbpages::CreatePage<zbpages::CGeneralPage>;
  if (IsEqualCLSID(clsid, CLSID_ZephonProfiPage)) return &zbpages::CreatePage<zbpages::CProfiPage>;
  return nullptr;
}

}  // namespace zephon
