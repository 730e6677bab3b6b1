#pragma once
// CZephonButtonCtrl: the graphic push button. Holds the property values (described once in
// ZephonButtonCtrlProps.h), the five state images and their picture sources, the two fonts and the
// four picture properties, and moves them through the property exchange.
//
// How the pieces meet:
//  - Interaction (mouse, focus, Enabled, check): the window's messages go to CButtonInteraction
//    (ButtonInteraction.h), which decides the steps and their order; this class carries them out
//    (ZephonButtonCtrlInput_win.cpp). ShowState(state) shows a state image, loading a pending or
//    missing picture on demand, and makes it current.
//  - Paint and sizing: OnDraw hands the picture on show, the properties and the interaction state to
//    CButtonRenderer; ResizeToState and the window-position hook apply ButtonLayout's sizing rules
//    through the framework's size setting (ZephonButtonCtrlPaint_win.cpp).
//  - Animation: CAnimationDirectory drives timer 241 and sets PictureURL through its setter.
//  - Tooltip, downloads, font installation, cursors: the interfaces of IButtonTooltip.h and
//    ControlServices.h (the tooltip window of button/tooltip, WinINet downloads and font
//    installation, the system's cursors; tests put others in with SetTooltip / SetDownloader /
//    SetFontInstaller / SetCursors).
//  - Accessibility: CButtonAccessibility (ButtonAccessibility.h) answers WM_GETOBJECT with the
//    button's IAccessible, clicks for its default action through the window's mouse messages, and is
//    told where the state or the name may have changed.
//  - Safe mode: IObjectSafety (button/framework/ObjectSafety.h); while a host has asked for safety for
//    untrusted callers or data, only internet addresses give pictures (ZephonButtonCtrlSafety_win.cpp).
//  - Property pages: PrevPointer is a handle; button::Lookup (ZephonButtonCtrlPictureTable.h)
//    turns it into the four state pictures while the control lives.
// Built by ZephonButtonCtrl.cmake: zb_button_logic (portable rules) and zb_button_ctrl (this class).
#include <windows.h>

#include <memory>
#include <string>

#include "button/control/AnimationDirectory.h"
#include "button/control/ButtonAccessibility.h"
#include "button/control/ButtonInteraction.h"
#include "button/control/ButtonRenderer.h"
#include "button/control/FontDescription.h"
#include "button/control/PictureSources.h"
#include "button/control/StateImage.h"
#include "button/control/ZephonButtonCtrlPictureTable.h"
#include "button/control/ZephonButtonCtrlProps.h"
#include "button/control/ControlServices.h"
#include "button/framework/FontHolder.h"
#include "button/framework/ObjectSafety.h"
#include "button/framework/OleControl.h"
#include "button/framework/PictureHolder.h"

namespace button {

class CZephonButtonCtrl : public button::COleControl,
                          private IPictureSourceSite,
                          private button::IInteractionHost,
                          private button::IButtonAccessibleSite {
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
  const button::DispTable& Members() const override;
  void DoPropExchange(button::CPropExchange& px) override;
  void OnDraw(HDC dc, const RECT& bounds, const RECT& invalid) override;
  bool OnWindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnWindowCreated() override;
  void OnContainerPlaced() override;
  void OnWindowDestroying() override;
  void OnEnabledChanged() override;
  void OnTextChanged() override;
  void OnAmbientChanged(DISPID id) override;
  void OnSetClientSite() override;
  void OnResetState() override;
  HRESULT GetProperty(const button::DispMember& member, VARIANT* result) override;
  HRESULT PutProperty(const button::DispMember& member, const VARIANT& value) override;
  HRESULT QueryExtraInterface(REFIID riid, void** out) override;  // IObjectSafety

  // ---- methods of _DZephonButton ---------------------------------------------------------------------
  void ToolTipDraw();
  void CaptureBackground(short x, short y);
  common::ComPtr<IPictureDisp> GetPicture(short pictureNumber);
  bool InstallFontFromInternet(const std::wstring& url);
  short GetButtonMode() const { return short(m_buttonMode); }
  void SetButtonMode(short mode);
  void AnimationDirectory(const std::wstring& directoryName, long delayMs);
  void AnimationDirectoryStop();
  void SetCheck(bool check);
  bool GetCheck() const { return m_input.GetCheck(); }
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
  const StateImage* CurrentImage() const { return m_current < 0 ? nullptr : &m_states[m_current]; }
  int CurrentState() const { return m_current; }
  const StateImage& Image(int state) const { return m_states[state]; }
  const ButtonProperties& Props() const { return m_props; }
  int32_t PictureTableCookie() const { return m_pictureCookie; }
  bool DebugFlag() const { return m_debug != 0; }

  // ---- collaborators (tests put their own in) -----------------------------------------------------
  void SetTooltip(std::unique_ptr<IButtonTooltip> tooltip);
  void SetDownloader(std::unique_ptr<IUrlDownloader> downloader) { m_sources.SetDownloader(std::move(downloader)); }
  void SetFontInstaller(std::unique_ptr<IFontInstaller> installer);
  void SetCursors(std::unique_ptr<IButtonCursors> cursors);
  IButtonTooltip& Tooltip() { return *m_tooltip; }

  // ---- interaction state (read and written by the mouse and focus handling) --------------------------
  button::InteractionState Ui;

 private:
  // IPictureSourceSite
  void FireDebugError(const std::wstring& text) override;
  void FirePictureError(const std::wstring& text) override;
  OLE_COLOR BackgroundColor() override { return m_props.BackGroundColor; }
  short HoldingFlag() override { return m_props.HoldingFlag; }
  bool UserMode() override;
  bool Untrusted() override { return m_safety.Untrusted(); }

  // IInteractionHost
  bool HasWindow() const override { return Window() != nullptr; }
  int ButtonMode() const override { return m_buttonMode; }
  bool OverOnFocus() const override { return m_props.OverOnFocus; }
  bool FocusChangesPicture() const override;
  void TrackLeave() override;
  void Show(int state) override { ShowState(state, true); }
  void Changed() override;
  void ApplyCursor(button::HandUse use) override;
  void StartTooltip() override { m_tooltip->Start(Window()); }
  void HideTooltip() override { m_tooltip->Hide(); }
  void DefaultHandling() override;
  void Fire(button::Event event, const button::EventArgs& args) override;

  // IButtonAccessibleSite
  HWND AccessibleWindow() override { return Window(); }
  long AccessibleRole() override;
  std::wstring AccessibleName() override;
  long AccessibleState() override;

  button::CPictureHolder* HolderOf(int state) { return state >= 0 && state < 4 ? &m_pictures[state] : nullptr; }
  void CopyUrlsToStates();
  bool ConvertPlaceholder(StateImage& image);
  void ChooseDisplayedPicture();
  // Re-size after the current state image changed (AutoSize / Stretch); the renderer's sizing rules.
  void ResizeToState();
  button::Size ControlSize() const;
  void ApplyPositionRule(WINDOWPOS& pos);
  button::ButtonPaintProps PaintProps() const;
  button::ButtonPaintState PaintState() const;
  void PushTooltipSettings();
  void FontsChanged();
  void RebuildFont(bool tooltip);
  void Redraw();
  void ExchangeProperty(button::CPropExchange& px, const PropertyInfo& info);
  void PrepareAfterLoad();
  // Safe mode (ZephonButtonCtrlSafety_win.cpp): while a page holds the control, picture addresses
  // are internet addresses or nothing. False, with PictureError, for one a page may not give.
  bool PictureAllowed(const std::wstring& url);
  // Loaded addresses a page may not give are dropped (PictureError for each picture).
  void DropRefusedUrls();
  void DeleteTempFiles();

  ButtonProperties m_props;
  StateImage m_states[kStateCount];
  int m_current = -1;
  int m_buttonMode = 0;
  ZbPictureTable m_pictureTable;
  int32_t m_pictureCookie = 0;
  button::FontDescription m_textFontDesc;
  button::FontDescription m_toolTipFontDesc;
  button::CFontHolder m_textFont;
  button::CFontHolder m_toolTipFont;
  button::CPictureHolder m_pictures[4];
  CPictureSources m_sources{*this};
  std::unique_ptr<IButtonTooltip> m_tooltip;
  std::unique_ptr<IFontInstaller> m_fontInstaller;
  int m_debug = 0;
  short m_prevHoldingFlag = 0;

  button::CButtonInteraction m_input{Ui, *this};
  std::unique_ptr<IButtonCursors> m_cursors;
  button::CObjectSafety m_safety;
  HCURSOR m_cursor = nullptr;  // the cursor last set by the cursor rule
  // The window message being handled, for the framework's default handling in the middle of the
  // interaction's steps (handlers nest: a press takes the focus, an event handler moves the window).
  struct Message {
    UINT msg = 0;
    WPARAM wp = 0;
    LPARAM lp = 0;
    bool active = false;
  };
  Message m_message;
  CButtonRenderer m_renderer;
  bool m_resizing = false;
  std::unique_ptr<CAnimationDirectory> m_animation;
  button::CButtonAccessibility m_access{*this};
};

}  // namespace button
