#pragma once
// What the control module needs from the pages: the creation function of a page class.
#include <windows.h>

#include "button/framework/ClassFactory.h"

namespace button {

// The creation function for one of the control's own page classes; null for a class this module
// does not serve (its factory then answers CLASS_E_CLASSNOTAVAILABLE).
button::CreateInstanceFn PageCreator(REFCLSID clsid);

}  // namespace button
