#include "button/pages/PageFactory.h"

#include "button/control/ZephonButtonIds.h"
#include "button/pages/GeneralPage.h"

namespace zephon {

zb::CreateInstanceFn PageCreator(REFCLSID clsid) {
  if (IsEqualCLSID(clsid, CLSID_ZephonGeneralPage)) return &zbpages::CreatePage<zbpages::CGeneralPage>;
  return nullptr;
}

}  // namespace zephon
