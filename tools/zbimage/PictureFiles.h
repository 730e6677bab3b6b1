#pragma once
// Picture files for zbimage. The format follows the file name's extension (any letter case):
//   .pam  netpbm P7, 8-bit RGB_ALPHA (DEPTH 4) or RGB (DEPTH 3), rows top to bottom; the alpha
//         sample carries the pixel word's fourth byte.
//   .ppm  netpbm P6, 8-bit (reading only).
//   .bmp  Windows bitmap, 32 bits a pixel, BI_RGB, bottom-up (writing).
// Any other name is read by the control's decoders: GIF by name (transparent parts on white), BMP,
// JPEG, TIFF and EPS previews by content.
// Readers check every size against the data actually present before allocating.
#include <cstdint>
#include <string>
#include <vector>

namespace button {
class CImageDIB;
}  // namespace button

namespace tools {

using button::CImageDIB;

// Reads the picture at path into out (re-created at the picture's size). On failure returns false
// with a one-line reason in error; out may then have been emptied.
bool ReadPicture(const std::string& path, CImageDIB& out, std::string& error);

// True when WritePicture can write a file of this name (.pam or .bmp).
bool CanWritePicture(const std::string& path);

// Writes picture (which must have pixels) to path. The file is written under a temporary name and
// then moved over path, so a failure leaves no partial file and an existing file as it was.
bool WritePicture(const std::string& path, const CImageDIB& picture, std::string& error);

// The file formats on their own, over memory.
bool DecodePam(const std::vector<uint8_t>& data, CImageDIB& out, std::string& error);
bool DecodePpm(const std::vector<uint8_t>& data, CImageDIB& out, std::string& error);
bool DecodeBmp32(const std::vector<uint8_t>& data, CImageDIB& out, std::string& error);
std::vector<uint8_t> EncodePam(const CImageDIB& picture);
std::vector<uint8_t> EncodeBmp32(const CImageDIB& picture);

}  // namespace tools
