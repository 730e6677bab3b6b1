#include "button/pages/ProfiPage.h"

#include "button/control/resource.h"
#include "button/pages/PageResources.h"
#include "button/pages/ProfiPageRules.h"

namespace button {

CProfiPage::CProfiPage()
    : CPropertyPage({IDD_PAGE_PROFI, IDS_PAGE_PROFI, button::ProfiBindings(), button::ProfiBindingCount()}) {}

}  // namespace button
