#pragma once
namespace uninstaller {

// Resource identifiers of TRVUQV2.exe (shared by the .rc file and the code).
#define IDI_TRVUQV2 1
#define IDB_IMAGE1 101

}  // namespace uninstaller
