#include "button/pages/ProfiPageRules.h"

#include "button/pages/PageResources.h"

namespace button {

namespace {
PageBinding Switch(int id, const wchar_t* property, bool start) {
  PageBinding b{id, BindKind::Check, property};
  b.start = start ? 1 : 0;
  return b;
}
const PageBinding kBindings[] = {
    Switch(IDC_PROFI_HIDEHELPERS, L"HideHelpers", true),
    Switch(IDC_PROFI_SMARTLOADING, L"SmartLoading", true),
    Switch(IDC_PROFI_OVERONFOCUS, L"OverOnFocus", false),
    Switch(IDC_PROFI_FASTDRAW, L"FastDraw", false),
};
}  // namespace

const PageBinding* ProfiBindings() { return kBindings; }
size_t ProfiBindingCount() { return sizeof(kBindings) / sizeof(kBindings[0]); }

}  // namespace button
