#pragma once
// OLE sizes are in HIMETRIC, hundredths of a millimetre: 2540 to the inch.

namespace zb {

constexpr int kHimetricPerInch = 2540;

}  // namespace zb
