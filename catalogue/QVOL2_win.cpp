// Entry point of QVOL2.exe; the program reads no command line.
#include <windows.h>

#include "catalogue/basGeneral.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return catalogue::Main(instance); }
