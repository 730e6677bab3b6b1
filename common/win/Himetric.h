#pragma once
namespace common {

// OLE sizes are in HIMETRIC, hundredths of a millimetre: 2540 to the inch.

constexpr int kHimetricPerInch = 2540;

}  // namespace common
