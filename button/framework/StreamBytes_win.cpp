#include "button/framework/StreamBytes.h"
#include "common/win/ComError.h"

#include <algorithm>
#include <climits>

namespace button {

HRESULT NewMemoryStream(common::ComPtr<IStream>& out) { return CreateStreamOnHGlobal(nullptr, TRUE, out.Put()); }

HRESULT StreamFromBytes(const std::vector<uint8_t>& bytes, common::ComPtr<IStream>& out) {
  HRESULT hr = NewMemoryStream(out);
  ZB_RETURN_IF_FAILED(hr);
  ZB_RETURN_IF_FAILED(hr = WriteAll(out.Get(), bytes.data(), bytes.size()));
  LARGE_INTEGER zero{};
  return out->Seek(zero, STREAM_SEEK_SET, nullptr);
}

HRESULT BytesOfStream(IStream* stream, std::vector<uint8_t>& out) {
  STATSTG st{};
  HRESULT hr = stream->Stat(&st, STATFLAG_NONAME);
  ZB_RETURN_IF_FAILED(hr);
  if (st.cbSize.QuadPart > ULONG_MAX) return E_OUTOFMEMORY;
  LARGE_INTEGER zero{};
  ZB_RETURN_IF_FAILED(hr = stream->Seek(zero, STREAM_SEEK_SET, nullptr));
  out.assign(size_t(st.cbSize.QuadPart), 0);
  size_t got = 0;
  ZB_RETURN_IF_FAILED(hr = ReadUpTo(stream, out.data(), out.size(), got));
  out.resize(got);
  return S_OK;
}

HRESULT WriteAll(IStream* stream, const void* data, size_t size) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  while (size > 0) {
    ULONG chunk = ULONG(std::min<size_t>(size, 1u << 30));
    ULONG written = 0;
    ZB_RETURN_IF_FAILED(stream->Write(p, chunk, &written));
    if (written == 0) return STG_E_MEDIUMFULL;
    p += written;
    size -= written;
  }
  return S_OK;
}

HRESULT ReadUpTo(IStream* stream, void* data, size_t size, size_t& got) {
  uint8_t* p = static_cast<uint8_t*>(data);
  got = 0;
  while (got < size) {
    ULONG chunk = ULONG(std::min<size_t>(size - got, 1u << 30));
    ULONG n = 0;
    ZB_RETURN_IF_FAILED(stream->Read(p + got, chunk, &n));
    if (n == 0) break;
    got += n;
  }
  return S_OK;
}

}  // namespace button
