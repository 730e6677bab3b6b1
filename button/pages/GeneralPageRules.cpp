#include "button/pages/GeneralPageRules.h"

#include "button/pages/PageResources.h"

namespace button {

int ButtonModeOf(long holdingFlag) { return int((holdingFlag >> 8) & 0xFF); }

long WithButtonMode(long holdingFlag, int mode) { return (long(mode & 0xFF) << 8) | (holdingFlag & 0xFF); }

bool AutoSizeAllowed(int stretchSelection) { return stretchSelection < 3; }

bool SystemNewerThan4(unsigned major, unsigned minor) { return major * 256u + minor > 4u * 256u; }

namespace {
const PageBinding kBindings[] = {
    {IDC_GEN_ALIGNHOR, BindKind::ComboIndex, L"AlignHor"}, {IDC_GEN_ALIGNVER, BindKind::ComboIndex, L"AlignVer"},
    {IDC_GEN_STRETCH, BindKind::ComboIndex, L"Stretch"},   {IDC_GEN_HANDCURSOR, BindKind::Check, L"AutoHandCursor"},
    {IDC_GEN_AUTOSIZE, BindKind::Check, L"AutoSize"},      {IDC_GEN_FLIPVER, BindKind::Check, L"FlipVertical"},
    {IDC_GEN_FLIPHOR, BindKind::Check, L"FlipHorisontal"}, {IDC_GEN_HOLDINGFLAG, BindKind::EditShort, L"HoldingFlag"},
};
}  // namespace

const PageBinding* GeneralBindings() { return kBindings; }
size_t GeneralBindingCount() { return sizeof(kBindings) / sizeof(kBindings[0]); }

}  // namespace button
