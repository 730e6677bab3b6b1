#pragma once
// Counts of the process's GDI objects and the thread's windows, for leak checks. GetGuiResources
// answers 0 under Wine; there the GDI objects are counted in the process's GDI handle table and the
// windows by enumeration.
namespace tests {

// GDI objects of this process (-1 when they cannot be counted).
long GdiObjects();
// Whether GdiObjects() sees objects come and go here.
bool GdiCounterWorks();
// Window-system objects of this process, or the windows of the calling thread with their children.
long UserObjects();

}  // namespace tests
