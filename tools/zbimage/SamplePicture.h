#pragma once
namespace button {
class CImageDIB;
}  // namespace button

namespace tools {

using button::CImageDIB;

// A 96 x 64 test picture: colour gradients, a disc, a checkerboard, a diagonal line, and areas in
// and just around the control's default Mask colour (red 250), so every filter has something to do.
bool MakeSamplePicture(CImageDIB& out);

}  // namespace tools
