#include "catalogue/basVerificarDrive.h"

#include "catalogue/CatalogueRules.h"
#include "common/settings/AppSettings.h"

namespace basVerificarDrive {

std::wstring GetCDRoot() {
  const zb::AppSettings settings(qvol2::kSettingsApplication);
  return qvol2::CDRootFromDrive(settings.Get(qvol2::kSettingsSection, qvol2::kDriveSetting, qvol2::kDefaultDrive));
}

long SaveDriveCD(const std::wstring& letter) {
  zb::AppSettings settings(qvol2::kSettingsApplication);
  return settings.Save(qvol2::kSettingsSection, qvol2::kDriveSetting, letter);
}

}  // namespace basVerificarDrive
