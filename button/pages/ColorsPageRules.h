#pragma once
// The Colors page's bindings: the seven colour properties in hidden edits, in the order of the
// page's colour items ("Back" .. "Text").
#include <cstddef>

#include "button/pages/PageBinding.h"

namespace button {

constexpr int kItemCount = 7;
// The radio button of colour item i, and the hidden edit that holds its colour.
int ItemRadio(int item);
int ItemEdit(int item);
// The item of a radio button id; -1 for any other id.
int ItemOfRadio(int id);

const PageBinding* ColorsBindings();
size_t ColorsBindingCount();

}  // namespace button
