#pragma once
// The module's own state: its instance handle and the count that keeps it loaded.
#include <windows.h>

#include <string>

namespace button {

// Set by DllMain; the executable's handle when the framework is linked into a program (tests).
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
// Full path of the module file.
std::wstring ModulePath();
// A string resource of the module ("" when missing).
std::wstring LoadModuleString(UINT id);

// Live objects and server locks; DllCanUnloadNow answers S_OK when both are zero.
void ModuleLock();
void ModuleUnlock();
LONG ModuleLockCount();

}  // namespace button
