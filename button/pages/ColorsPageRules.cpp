#include "button/pages/ColorsPageRules.h"

#include "button/pages/PageResources.h"

namespace button {

namespace {
const int kRadios[kItemCount] = {IDC_COL_ITEM_BACK,    IDC_COL_ITEM_MASK,    IDC_COL_ITEM_TIPBACK,
                                 IDC_COL_ITEM_TIPGRAD, IDC_COL_ITEM_TIPTEXT, IDC_COL_ITEM_TIPBORDER,
                                 IDC_COL_ITEM_TEXT};
const PageBinding kBindings[kItemCount] = {
    {IDC_COL_BACKCOLOR, BindKind::EditColor, L"BackGroundColor"},
    {IDC_COL_MASKCOLOR, BindKind::EditColor, L"MaskColor"},
    {IDC_COL_TIPBACKCOLOR, BindKind::EditColor, L"ToolTipBackColor"},
    {IDC_COL_TIPGRADCOLOR, BindKind::EditColor, L"ToolTipGradientColor"},
    {IDC_COL_TIPTEXTCOLOR, BindKind::EditColor, L"ToolTipTextColor"},
    {IDC_COL_TIPBORDERCOLOR, BindKind::EditColor, L"ToolTipBorderColor"},
    {IDC_COL_TEXTCOLOR, BindKind::EditColor, L"TextColor"},
};
}  // namespace

int ItemRadio(int item) { return item >= 0 && item < kItemCount ? kRadios[item] : 0; }
int ItemEdit(int item) { return item >= 0 && item < kItemCount ? kBindings[item].id : 0; }

int ItemOfRadio(int id) {
  for (int i = 0; i < kItemCount; ++i)
    if (kRadios[i] == id) return i;
  return -1;
}

const PageBinding* ColorsBindings() { return kBindings; }
size_t ColorsBindingCount() { return kItemCount; }

}  // namespace button
