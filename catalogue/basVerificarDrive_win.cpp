#include "catalogue/basVerificarDrive.h"

#include "catalogue/CatalogueRules.h"
#include "common/settings/AppSettings.h"

namespace catalogue {

std::wstring GetCDRoot() {
  const common::AppSettings settings(catalogue::kSettingsApplication);
  return catalogue::CDRootFromDrive(
      settings.Get(catalogue::kSettingsSection, catalogue::kDriveSetting, catalogue::kDefaultDrive));
}

long SaveDriveCD(const std::wstring& letter) {
  common::AppSettings settings(catalogue::kSettingsApplication);
  return settings.Save(catalogue::kSettingsSection, catalogue::kDriveSetting, letter);
}

}  // namespace catalogue
