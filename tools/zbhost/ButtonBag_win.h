#pragma once
// The property bag a button loads from: each property setting of a button section, checked
// against the type the control declares for it and converted to that type. Picture paths
// (properties ending in "URL", and picture objects) are taken relative to the property file, and
// a local picture that does not exist is refused here rather than left for the control to report.
#include <string>

#include "common/win/ComPtr.h"
#include "common/olehost/PropertyBag.h"
#include "tools/zbhost/ControlTypes_win.h"
#include "tools/zbhost/HostLayout.h"

namespace tools {

// `folder` is the property file's folder. On failure `error` names the line and the fault.
bool BuildButtonBag(const ButtonPlacement& button, const CControlTypes& types, const std::string& folder,
                    common::ComPtr<common::CPropertyBag>& out, FileError& error);

}  // namespace tools
