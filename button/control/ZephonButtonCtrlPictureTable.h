#pragma once
// PrevPointer: the handle through which the control's own property pages (same process) reach the
// four state pictures (normal, over, down, disable) for their preview. A 64-bit address does not fit
// the property's 32-bit long, so the control registers its table here and hands out a small positive
// cookie; a page turns the cookie back into the table. Unknown, stale or zero cookies give null.
#include <cstdint>

namespace button {

class CImageDIB;

struct ZbPictureTable {
  const CImageDIB* Images[4] = {nullptr, nullptr, nullptr, nullptr};
};

// Registers a table (which must outlive its registration) and returns its cookie (> 0).
int32_t Register(const ZbPictureTable* table);
void Unregister(int32_t cookie);
// The table of a cookie, or null. Use it at once, on the control's thread: the control may go away later.
const ZbPictureTable* Lookup(int32_t cookie);

}  // namespace button
