#pragma once
// Moving bytes between memory and IStream objects (internal to the framework).
#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <vector>

#include "common/win/ComPtr.h"

namespace button {

// A fresh memory stream holding `bytes`, positioned at its start.
HRESULT StreamFromBytes(const std::vector<uint8_t>& bytes, common::ComPtr<IStream>& out);
// An empty memory stream.
HRESULT NewMemoryStream(common::ComPtr<IStream>& out);
// The whole content of a memory stream made by the functions above.
HRESULT BytesOfStream(IStream* stream, std::vector<uint8_t>& out);
// Writes all of `size` bytes, failing (STG_E_MEDIUMFULL) on a short write.
HRESULT WriteAll(IStream* stream, const void* data, size_t size);
// Reads up to `size` bytes; `got` receives how many arrived (fewer at the end of the stream).
HRESULT ReadUpTo(IStream* stream, void* data, size_t size, size_t& got);

}  // namespace button
