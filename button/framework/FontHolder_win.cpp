#include "button/framework/FontHolder.h"

#include <cmath>
#include <new>

#include "common/win/ComError.h"
#include "common/win/ComObject.h"

namespace button {

// Receives the held font's change notifications; lives as a COM object of its own because the font
// keeps a reference to it while connected.
class CFontHolder::Sink final : public common::CComObject<CFontHolder::Sink, IPropertyNotifySink> {
 public:
  explicit Sink(CFontHolder* holder) : m_holder(holder) {}
  void Detach() { m_holder = nullptr; }
  STDMETHODIMP OnChanged(DISPID) override {
    return common::Guarded([&] {
      if (m_holder && m_holder->m_onChanged) m_holder->m_onChanged();
      return S_OK;
    });
  }
  STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

 private:
  CFontHolder* m_holder;
};

FontDescription FontDescription::FromPoints(const std::wstring& face, double points, short weight, short charset) {
  FontDescription d;
  d.face = face;
  d.size.int64 = static_cast<LONGLONG>(std::llround(points * 10000.0));
  d.weight = weight;
  d.charset = charset;
  return d;
}

FONTDESC FontDescription::Desc() const {
  FONTDESC d{};
  d.cbSizeofstruct = sizeof(FONTDESC);
  d.lpstrName = const_cast<LPOLESTR>(face.c_str());
  d.cySize = size;
  d.sWeight = weight;
  d.sCharset = charset;
  d.fItalic = italic;
  d.fUnderline = underline;
  d.fStrikethrough = strikethrough;
  return d;
}

FontDescription FontDescription::FromDesc(const FONTDESC& d) {
  FontDescription r;
  r.face = d.lpstrName ? d.lpstrName : L"";
  r.size = d.cySize;
  r.weight = d.sWeight;
  r.charset = d.sCharset;
  r.italic = d.fItalic != FALSE;
  r.underline = d.fUnderline != FALSE;
  r.strikethrough = d.fStrikethrough != FALSE;
  return r;
}

CFontHolder::CFontHolder() = default;

CFontHolder::~CFontHolder() { Release(); }

void CFontHolder::Release() {
  Disconnect();
  m_font.Reset();
}

HRESULT CFontHolder::Initialize(const FONTDESC& desc, IDispatch* source) {
  common::ComPtr<IFont> font;
  HRESULT hr = E_FAIL;
  if (source) {
    common::ComPtr<IFont> given = common::QueryAs<IFont>(source);
    if (given) hr = given->Clone(font.Put());
  }
  if (!font) {
    FONTDESC d = desc;
    d.cbSizeofstruct = sizeof(FONTDESC);
    ZB_RETURN_IF_FAILED(hr = OleCreateFontIndirect(&d, IID_IFont, font.PutVoid()));
  }
  Disconnect();
  m_font = std::move(font);
  Connect();
  return S_OK;
}

HRESULT CFontHolder::SetFont(IDispatch* font, const FONTDESC& fallback) {
  if (!font) return Initialize(fallback);
  if (!common::QueryAs<IFont>(font)) return E_INVALIDARG;
  return Initialize(fallback, font);
}

common::ComPtr<IFontDisp> CFontHolder::Dispatch() const { return common::QueryAs<IFontDisp>(m_font.Get()); }

HFONT CFontHolder::Handle() const {
  HFONT h = nullptr;
  if (!m_font || FAILED(m_font->get_hFont(&h))) return nullptr;
  return h;
}

FontDescription CFontHolder::Describe() const {
  FontDescription d;
  if (!m_font) return d;
  common::Bstr name;
  if (SUCCEEDED(m_font->get_Name(name.Put()))) d.face = name.Str();
  m_font->get_Size(&d.size);
  m_font->get_Weight(&d.weight);
  m_font->get_Charset(&d.charset);
  BOOL b = FALSE;
  if (SUCCEEDED(m_font->get_Italic(&b))) d.italic = b != FALSE;
  if (SUCCEEDED(m_font->get_Underline(&b))) d.underline = b != FALSE;
  if (SUCCEEDED(m_font->get_Strikethrough(&b))) d.strikethrough = b != FALSE;
  return d;
}

void CFontHolder::SetChangeHandler(std::function<void()> handler) { m_onChanged = std::move(handler); }

void CFontHolder::Connect() {
  if (!m_font) return;
  common::ComPtr<IConnectionPointContainer> cpc = common::QueryAs<IConnectionPointContainer>(m_font.Get());
  if (!cpc) return;
  common::ComPtr<IConnectionPoint> cp;
  if (FAILED(cpc->FindConnectionPoint(IID_IPropertyNotifySink, cp.Put()))) return;
  common::ComPtr<Sink> sink = common::ComPtr<Sink>::Attach(new (std::nothrow) Sink(this));
  if (!sink) return;
  DWORD cookie = 0;
  if (FAILED(cp->Advise(sink.Get(), &cookie))) return;
  m_sink = std::move(sink);
  m_cookie = cookie;
}

void CFontHolder::Disconnect() {
  if (!m_sink) return;
  m_sink->Detach();
  if (m_font) {
    common::ComPtr<IConnectionPointContainer> cpc = common::QueryAs<IConnectionPointContainer>(m_font.Get());
    common::ComPtr<IConnectionPoint> cp;
    if (cpc && SUCCEEDED(cpc->FindConnectionPoint(IID_IPropertyNotifySink, cp.Put()))) cp->Unadvise(m_cookie);
  }
  m_sink.Reset();
  m_cookie = 0;
}

HRESULT CFontHolder::Save(IStream* stream) const {
  if (!stream) return E_POINTER;
  common::ComPtr<IPersistStream> ps = common::QueryAs<IPersistStream>(m_font.Get());
  if (!ps) return E_FAIL;
  return ps->Save(stream, TRUE);
}

HRESULT CFontHolder::Load(IStream* stream, const FONTDESC& fallback) {
  if (!stream) return E_POINTER;
  common::ComPtr<IFont> font;
  FONTDESC d = fallback;
  d.cbSizeofstruct = sizeof(FONTDESC);
  HRESULT hr = OleCreateFontIndirect(&d, IID_IFont, font.PutVoid());
  ZB_RETURN_IF_FAILED(hr);
  common::ComPtr<IPersistStream> ps = common::QueryAs<IPersistStream>(font.Get());
  if (!ps) return E_NOINTERFACE;
  ZB_RETURN_IF_FAILED(hr = ps->Load(stream));
  Disconnect();
  m_font = std::move(font);
  Connect();
  return S_OK;
}

}  // namespace button
