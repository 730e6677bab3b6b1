#pragma once
// CFontHolder: owns one of the platform's standard font objects (OleCreateFontIndirect, IFont),
// hands out its HFONT for drawing and its IFontDisp for the dispatch interface, clones fonts set
// from outside, persists through the font's own IPersistStream, and reports changes made to the
// held font by others (a property page, a script) through a callback.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <memory>
#include <string>

#include "common/win/ComPtr.h"

namespace button {

// A font description with an owned face name (FONTDESC only points at one).
struct FontDescription {
  std::wstring face = L"Arial";
  CY size{};  // points x 10000
  short weight = FW_NORMAL;
  short charset = DEFAULT_CHARSET;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  static FontDescription FromPoints(const std::wstring& face, double points, short weight, short charset = 0);
  // The returned FONTDESC points into this object.
  FONTDESC Desc() const;
  static FontDescription FromDesc(const FONTDESC& d);
};

class CFontHolder {
 public:
  CFontHolder();
  ~CFontHolder();
  CFontHolder(const CFontHolder&) = delete;
  CFontHolder& operator=(const CFontHolder&) = delete;

  // Creates a new font object: a clone of `source` when it is a font, else from `desc`.
  HRESULT Initialize(const FONTDESC& desc, IDispatch* source = nullptr);
  // Takes a clone of the given font (the container keeps its own object); null resets to `fallback`.
  HRESULT SetFont(IDispatch* font, const FONTDESC& fallback);
  // Releases the font object.
  void Release();

  bool HasFont() const { return bool(m_font); }
  IFont* Font() const { return m_font.Get(); }
  common::ComPtr<IFontDisp> Dispatch() const;
  // Drawing handle owned by the font object; valid until the font changes or is released.
  HFONT Handle() const;
  // Reads the current attributes back (for pages and tests).
  FontDescription Describe() const;

  // Called (on the control's thread) after any property of the held font changed.
  void SetChangeHandler(std::function<void()> handler);

  // The font object's own persistence.
  HRESULT Save(IStream* stream) const;
  HRESULT Load(IStream* stream, const FONTDESC& fallback);

 private:
  class Sink;
  void Connect();
  void Disconnect();

  common::ComPtr<IFont> m_font;
  std::function<void()> m_onChanged;
  common::ComPtr<Sink> m_sink;  // held while connected
  DWORD m_cookie = 0;
};

}  // namespace button
