// COleControl's persistence: stream, storage and property bag, all through DoPropExchange.
#include <olectl.h>

#include <algorithm>

#include "button/framework/OleControlImpl.h"
#include "button/framework/PropExchangeBackends.h"
#include "button/framework/StreamBytes.h"
#include "common/win/ComError.h"

namespace button {

namespace {

const wchar_t kContentsStream[] = L"Contents";

}  // namespace

STDMETHODIMP COleControl::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = *m_info.clsid;
  return S_OK;
}

STDMETHODIMP COleControl::IsDirty() { return m_modified ? S_OK : S_FALSE; }

STDMETHODIMP COleControl::InitNew() {
  return common::Guarded([&]() -> HRESULT {
    OnResetState();
    SetModifiedFlag(false);
    return S_OK;
  });
}

STDMETHODIMP COleControl::Load(IStream* stream) {
  return common::Guarded([&]() -> HRESULT {
    if (!stream) return E_POINTER;
    uint8_t head[button::kHeaderBytes];
    size_t got = 0;
    HRESULT hr = ReadUpTo(stream, head, sizeof(head), got);
    button::Header header;
    if (FAILED(hr) || got != sizeof(head) || button::ParseHeader(head, header) != button::HeaderStatus::Ok) {
      // Nothing usable: the control keeps its defaults.
      OnResetState();
      SetModifiedFlag(false);
      return FAILED(hr) ? hr : STG_E_READFAULT;
    }
    // Read no more than the stream really holds, however large the header claims the payload is.
    std::vector<uint8_t> payload;
    size_t have = 0;
    while (have < header.payloadBytes) {
      size_t chunk = std::min<size_t>(header.payloadBytes - have, 64 * 1024);
      payload.resize(have + chunk);
      size_t n = 0;
      hr = ReadUpTo(stream, payload.data() + have, chunk, n);
      have += n;
      if (FAILED(hr) || n < chunk) break;
    }
    payload.resize(have);
    button::RecordSet records;
    records.Parse(payload.data(), payload.size(), header.count);
    CRecordPropExchange px(records);
    m_impl->RunExchange(px);
    SetModifiedFlag(false);
    return px.ValuesRead() > 0 ? S_OK : STG_E_READFAULT;
  });
}

STDMETHODIMP COleControl::Save(IStream* stream, BOOL clearDirty) {
  return common::Guarded([&]() -> HRESULT {
    if (!stream) return E_POINTER;
    button::RecordWriter writer;
    CRecordPropExchange px(writer);
    m_impl->RunExchange(px);
    if (px.WriteFailures() > 0) return E_FAIL;
    std::vector<uint8_t> bytes = writer.Finish();
    ZB_RETURN_IF_FAILED(WriteAll(stream, bytes.data(), bytes.size()));
    if (clearDirty) SetModifiedFlag(false);
    return S_OK;
  });
}

STDMETHODIMP COleControl::GetSizeMax(ULARGE_INTEGER* size) {
  return common::Guarded([&]() -> HRESULT {
    if (!size) return E_POINTER;
    button::RecordWriter writer;
    CRecordPropExchange px(writer);
    m_impl->RunExchange(px);
    size->QuadPart = writer.Finish().size();
    return S_OK;
  });
}

// ---- IPersistStorage: the same data in the storage's "Contents" stream --------------------------------
STDMETHODIMP COleControl::InitNew(IStorage* storage) {
  if (!storage) return E_POINTER;
  return InitNew();
}

STDMETHODIMP COleControl::Load(IStorage* storage) {
  return common::Guarded([&]() -> HRESULT {
    if (!storage) return E_POINTER;
    common::ComPtr<IStream> stream;
    HRESULT hr = storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.Put());
    if (FAILED(hr)) {
      OnResetState();
      SetModifiedFlag(false);
      return hr;
    }
    return Load(stream.Get());
  });
}

STDMETHODIMP COleControl::Save(IStorage* storage, BOOL) {
  return common::Guarded([&]() -> HRESULT {
    if (!storage) return E_POINTER;
    HRESULT hr = WriteClassStg(storage, *m_info.clsid);
    ZB_RETURN_IF_FAILED(hr);
    common::ComPtr<IStream> stream;
    ZB_RETURN_IF_FAILED(hr = storage->CreateStream(kContentsStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0,
                                                   0, stream.Put()));
    // The modified flag stays until SaveCompleted.
    return Save(stream.Get(), FALSE);
  });
}

STDMETHODIMP COleControl::SaveCompleted(IStorage*) {
  SetModifiedFlag(false);
  if (m_impl->m_oleAdvise) m_impl->m_oleAdvise->SendOnSave();
  return S_OK;
}

STDMETHODIMP COleControl::HandsOffStorage() { return S_OK; }

// ---- IPersistPropertyBag ---------------------------------------------------------------------------------
STDMETHODIMP COleControl::Load(IPropertyBag* bag, IErrorLog* log) {
  return common::Guarded([&]() -> HRESULT {
    if (!bag) return E_POINTER;
    CBagPropExchange px(bag, log, CPropExchange::Mode::Load);
    m_impl->RunExchange(px);
    SetModifiedFlag(false);
    return px.ValuesRead() > 0 ? S_OK : E_FAIL;
  });
}

STDMETHODIMP COleControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
  return common::Guarded([&]() -> HRESULT {
    if (!bag) return E_POINTER;
    CBagPropExchange px(bag, nullptr, CPropExchange::Mode::Save);
    m_impl->RunExchange(px);
    if (px.WriteFailures() > 0) return E_FAIL;
    if (clearDirty) SetModifiedFlag(false);
    return S_OK;
  });
}

}  // namespace button
