#pragma once
// The stored CD drive and the path of the collection on it.
#include <string>

namespace catalogue {

// The CD root from the stored drive letter ("D" when none is stored): letter, ":", "\QVOL2\".
// Nothing checks that the drive or the folder exists.
std::wstring GetCDRoot();

// Stores the drive letter as given (no change of case). Returns the settings store's error code.
long SaveDriveCD(const std::wstring& letter);

}  // namespace catalogue
