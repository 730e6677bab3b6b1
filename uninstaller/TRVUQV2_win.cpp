// Entry point of TRVUQV2.exe; the program reads no command line.
#include <windows.h>

#include "uninstaller/basGeneral.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return uninstaller::Main(instance); }
