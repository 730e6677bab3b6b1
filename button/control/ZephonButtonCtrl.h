#pragma once
// CZephonButtonCtrl: the graphic push button. Holds the property values (described once in
// ZephonButtonCtrlProps.h), the five state images and their picture sources, the two fonts and the
// four picture properties, and moves them through the property exchange.
//
// Hooks for the parts built on this class:
//  - Interaction (mouse, focus): ShowState(state) shows a state image (loading a pending or missing
//    picture on demand) and makes it current; the interaction flags are public members below.
//  - Paint and sizing: OnDraw and ResizeToState are the renderer's; CurrentImage() is what is on show.
//  - Tooltip, downloads, font installation: the seams of ZephonButtonCtrlSeams.h (null versions until
//    the components are plugged in with SetTooltip / SetDownloader / SetFontInstaller).
//
//  - Property pages: PrevPointer is a handle; zbpictable::Lookup (ZephonButtonCtrlPictureTable.h)
//    turns it into the four state pictures while the control lives.
// Built by ZephonButtonCtrl.cmake: zb_button_logic (portable rules) and zb_button_ctrl (this class).
#include <windows.h>

#include <memory>
#include <string>

#include "button/control/FontDescription.h"
#include "button/control/PictureSources.h"
#include "button/control/StateImage.h"
#include "button/control/ZephonButtonCtrlPictureTable.h"
#include "button/control/ZephonButtonCtrlProps.h"
#include "button/control/ZephonButtonCtrlSeams.h"
#include "button/control/framework/FontHolder.h"
#include "button/control/framework/OleControl.h"
#include "button/control/framework/PictureHolder.h"

class CZephonButtonCtrl : public zb::COleControl, private IPictureSourceSite {
 public:
  // Event DISPIDs of _DZephonButtonEvents used by the control itself.
  enum EventId : DISPID {
    kEventPictureError = 4,
    kEventDebugError = 11,
    kEventInternetFontError = 12,
    kEventAnimationEnd = 13,
    kEventOnCheck = 14,
  };

  CZephonButtonCtrl();
  ~CZephonButtonCtrl() override;

  // ---- COleControl ---------------------------------------------------------------------------------
  const zb::DispTable& Members() const override;
  void DoPropExchange(zb::CPropExchange& px) override;
  void OnDraw(HDC dc, const RECT& bounds, const RECT& invalid) override;
  void OnWindowDestroying() override;
  void OnEnabledChanged() override;
  void OnAmbientChanged(DISPID id) override;
  void OnSetClientSite() override;
  void OnResetState() override;
  HRESULT GetProperty(const zb::DispMember& member, VARIANT* result) override;
  HRESULT PutProperty(const zb::DispMember& member, const VARIANT& value) override;

  // ---- methods of _DZephonButton ---------------------------------------------------------------------
  void ToolTipDraw();
  void CaptureBackground(short x, short y);
  zb::ComPtr<IPictureDisp> GetPicture(short pictureNumber);
  bool InstallFontFromInternet(const std::wstring& url);
  short GetButtonMode() const { return short(m_ButtonMode); }
  void SetButtonMode(short mode);
  void AnimationDirectory(const std::wstring& directoryName, long delayMs);
  void AnimationDirectoryStop();
  void SetCheck(bool check);
  bool GetCheck() const { return Ui.CheckValue != 0; }
  void SetTextFontByName(const std::wstring& name, long size, bool italic, bool bold, bool underline);
  void SetToolTipFontByName(const std::wstring& name, long size, bool italic, bool bold, bool underline);
  void SetFontsCharSet(short charSet);

  // ---- property setters with consequences (also used by pages and the interaction code) -------------
  void SetNumberProperty(const PropertyInfo& info, long value);
  void SetStringProperty(const PropertyInfo& info, const std::wstring& value);
  void SetPictureUrl(int state, const std::wstring& url);
  void SetToolTipString(const std::wstring& value);
  void SetHoldingFlag(short flag);
  void SetPictureProperty(int state, IPictureDisp* picture);
  void SetFontProperty(bool tooltip, IDispatch* font);

  // ---- state images ----------------------------------------------------------------------------------
  // Gives the state image pixels if it has none or is pending (picture object, then URL, then
  // placeholder) and, with makeCurrent, makes it current and chooses the picture to display. A disabled
  // control shows its disable image whatever is asked. False (reported) when no pixels could be made.
  bool ShowState(int state, bool makeCurrent = true);
  // The state image on show (null before the first load), and its index (-1 then).
  const StateImage* CurrentImage() const { return m_Current < 0 ? nullptr : &m_States[m_Current]; }
  int CurrentState() const { return m_Current; }
  const StateImage& Image(int state) const { return m_States[state]; }
  const ButtonProperties& Props() const { return m_Props; }
  int32_t PictureTableCookie() const { return m_PictureCookie; }
  bool DebugFlag() const { return m_Debug != 0; }

  // ---- seams -----------------------------------------------------------------------------------------
  void SetTooltip(std::unique_ptr<IButtonTooltip> tooltip);
  void SetDownloader(std::unique_ptr<IUrlDownloader> downloader) { m_Sources.SetDownloader(std::move(downloader)); }
  void SetFontInstaller(std::unique_ptr<IFontInstaller> installer);
  IButtonTooltip& Tooltip() { return *m_Tooltip; }

  // ---- interaction state (read and written by the mouse and focus handling) --------------------------
  struct InteractionState {
    int Hover = 0;
    int Pressed = 0;
    int RightPressed = 0;
    int Tracking = 0;
    int CheckValue = 0;     // 0 unchecked, 1 checked by a press still held, 2 latched
    short PressOffset = 0;  // 0, or 2 while pressed in the offset and bevel modes
    int PressOffsetActive = 0;
    int EnabledCopy = 1;    // the stock Enabled as last seen
    int UserModeCopy = 1;   // the container's user mode as last read
    HCURSOR Cursor = nullptr;
  };
  InteractionState Ui;

 private:
  // IPictureSourceSite
  void FireDebugError(const std::wstring& text) override;
  void FirePictureError(const std::wstring& text) override;
  OLE_COLOR BackgroundColor() override { return m_Props.BackGroundColor; }
  short HoldingFlag() override { return m_Props.HoldingFlag; }
  bool UserMode() override;

  zb::CPictureHolder* HolderOf(int state) { return state >= 0 && state < 4 ? &m_Pictures[state] : nullptr; }
  void CopyUrlsToStates();
  bool ConvertPlaceholder(StateImage& image);
  void ChooseDisplayedPicture();
  // Re-size after the current state image changed (AutoSize / Stretch); the renderer's sizing rules.
  void ResizeToState();
  void PushTooltipSettings();
  void FontsChanged();
  void RebuildFont(bool tooltip);
  void Redraw();
  void ExchangeProperty(zb::CPropExchange& px, const PropertyInfo& info);
  void PrepareAfterLoad();
  void DeleteTempFiles();

  ButtonProperties m_Props;
  StateImage m_States[kStateCount];
  int m_Current = -1;
  int m_ButtonMode = 0;
  ZbPictureTable m_PictureTable;
  int32_t m_PictureCookie = 0;
  zb::FontDescription m_TextFontDesc;
  zb::FontDescription m_ToolTipFontDesc;
  zb::CFontHolder m_TextFont;
  zb::CFontHolder m_ToolTipFont;
  zb::CPictureHolder m_Pictures[4];
  CPictureSources m_Sources{*this};
  std::unique_ptr<IButtonTooltip> m_Tooltip;
  std::unique_ptr<IFontInstaller> m_FontInstaller;
  int m_Debug = 0;
  short m_PrevHoldingFlag = 0;
};
