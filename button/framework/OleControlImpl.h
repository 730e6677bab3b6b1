#pragma once
// What COleControl keeps out of its public header (internal to the framework).
#include <windows.h>
#include <ocidl.h>

#include <new>
#include <unordered_map>

#include "button/framework/ConnectionPoint.h"
#include "button/framework/OleControl.h"
#include "common/win/ComError.h"

namespace button {

class COleControl::Impl {
 public:
  explicit Impl(COleControl* owner);
  ~Impl();

  // Stock members followed by the control's own, indexed by DISPID (built on first use).
  const DispMember* Find(DISPID id);
  // Type information from the registered type library, else from the module's resource.
  HRESULT TypeLib(common::ComPtr<ITypeLib>& out);
  HRESULT TypeInfoOf(REFGUID guid, common::ComPtr<ITypeInfo>& out);

  // Window of the control.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  bool CreateControlWindow(HWND parent, const RECT& pos);
  void DestroyControlWindow();

  // Activation.
  HRESULT InPlaceActivate(LONG verb, const RECT* pos);
  HRESULT UIActivate();
  void ReleaseInPlaceSite();
  void SendViewChange();

  // Runs an exchange and the common steps after a load or reset.
  void RunExchange(CPropExchange& px);

  COleControl* m_owner;
  CConnectionPoint m_events;
  CConnectionPoint m_propNotify;
  DispTable m_stock;
  std::unordered_map<DISPID, const DispMember*> m_index;
  bool m_indexBuilt = false;
  common::ComPtr<ITypeLib> m_typeLib;
  HRESULT m_typeLibResult = S_OK;
  bool m_typeLibTried = false;

  common::ComPtr<IOleAdviseHolder> m_oleAdvise;
  common::ComPtr<IAdviseSink> m_viewSink;
  DWORD m_viewAspects = 0;
  DWORD m_viewAdvf = 0;
  common::ComPtr<IOleControlSite> m_controlSite;
  common::ComPtr<IDispatch> m_ambient;
  common::ComPtr<IOleInPlaceSite> m_inPlaceSite;
  common::ComPtr<IOleInPlaceSiteEx> m_inPlaceSiteEx;
  common::ComPtr<IOleInPlaceFrame> m_frame;
  common::ComPtr<IOleInPlaceUIWindow> m_uiWindow;
  bool m_finalReleasing = false;
};

// Stock property bits of "_StockProps".
constexpr long kStockPropText = 0x10;
constexpr long kStockPropEnabled = 0x40;
// Largest extent accepted from persisted data (HIMETRIC, about 30000 pixels at 96 dpi).
constexpr long kMaxExtentHimetric = 800000;

}  // namespace button
