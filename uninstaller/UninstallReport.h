#pragma once
// What an uninstall achieved, and the closing message that tells the user so. The message of a
// complete removal is the usual one; anything refused, left on disk or left in the registry is
// named, with the warning icon, instead of claiming success.
#include <string>
#include <vector>

#include "uninstaller/UninstallTargets.h"

namespace uninstaller {

enum class LeftReason { InUse, AccessDenied, Link, Other };

struct LeftItem {
  std::wstring path;
  LeftReason reason = LeftReason::Other;
};

struct FolderOutcome {
  FolderTarget target;         // what was asked, and whether it was refused
  std::vector<LeftItem> left;  // what could not be deleted, in the order met
};

struct FinalMessage {
  std::wstring text;
  bool warning = false;  // warning icon instead of the information icon
};

// At most this many leftovers are named; the rest are counted.
inline constexpr size_t kLeftItemsShown = 10;

// `registryLeft`: the registry keys that could not be deleted, named as the user finds them
// ("HKEY_LOCAL_MACHINE\...").
FinalMessage ComposeFinalMessage(const FolderOutcome& installFolder, const FolderOutcome& startMenuGroup,
                                 const std::vector<LeftItem>& registryLeft = {});

}  // namespace uninstaller
