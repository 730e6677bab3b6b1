#include "button/control/ZephonButtonCtrl.h"

#include "button/control/ControlFactory.h"
#include "button/control/ZephonButtonCtrlRules.h"
#include "button/control/ZephonButtonIds.h"
#include "button/framework/Module.h"
#include "button/imaging/CInternetDownloader.h"
#include "button/tooltip/ButtonTooltip.h"
#include "button/imaging/CInternetFontInstaller.h"
#include "button/imaging/UntrustedRules.h"

namespace button {

namespace {

using button::FindByDispid;

constexpr DISPID kDispidPictureUrl = 12;
constexpr DISPID kDispidToolTipFont = 28;

const button::ControlClassInfo kClassInfo = {
    &button::CLSID_ZephonButton,
    &button::DIID__DZephonButton,
    &button::DIID__DZephonButtonEvents,
    &button::LIBID_ZEPHONBUTTONLib,
    button::kLibMajor,
    button::kLibMinor,
    button::kPersistVersion,
    button::kMiscStatus,
    kDispidPictureUrl,  // the control's value
    button::kPropertyPages,
    sizeof(button::kPropertyPages) / sizeof(button::kPropertyPages[0]),
    IDS_VERB_PROPERTIES,
    L"ZephonButtonProCtrl",
    {873, 741},  // the 33 x 28 placeholder at 96 dpi, in HIMETRIC
};

VARTYPE VarTypeOf(PropType type) {
  switch (type) {
    case PropType::Short: return VT_I2;
    case PropType::Long:
    case PropType::Color: return VT_I4;
    case PropType::Bool: return VT_BOOL;
    case PropType::String: return VT_BSTR;
    case PropType::Font:
    case PropType::Picture: return VT_DISPATCH;
  }
  return VT_EMPTY;
}

// Pictures from internet addresses come through WinINet, one downloader per download.
class CInternetPictureDownloader : public IUrlDownloader {
 public:
  std::wstring Download(const std::wstring& url, const std::wstring& target, bool reload,
                        std::wstring& errorText) override {
    CInternetDownloader downloader;
    std::wstring path = downloader.Download(url, target, reload);
    errorText = downloader.GetErrorText();
    return path;
  }
};

// Fonts from internet addresses are fetched into the temporary folder and added for this process.
class CWinInetFontInstaller : public IFontInstaller {
 public:
  bool Install(const std::wstring& url, std::wstring& errorText) override {
    CInternetFontInstaller installer;
    const bool added = installer.Install(url);
    errorText = installer.GetErrorText();
    return added;
  }
};

HRESULT ToVariant(long value, VARTYPE vt, VARIANT* out) {
  out->vt = vt;
  switch (vt) {
    case VT_I2: out->iVal = short(value); break;
    case VT_BOOL: out->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; break;
    default: out->lVal = value; break;
  }
  return S_OK;
}

long FromVariant(const VARIANT& v, VARTYPE vt) {
  switch (vt) {
    case VT_I2: return v.iVal;
    case VT_BOOL: return v.boolVal != VARIANT_FALSE ? 1 : 0;
    default: return v.lVal;
  }
}

}  // namespace

HRESULT CreateZephonButton(IUnknown* outer, REFIID riid, void** out) {
  return button::CreateControl<CZephonButtonCtrl>(outer, riid, out);
}

CZephonButtonCtrl::CZephonButtonCtrl()
    : COleControl(kClassInfo),
      m_tooltip(new CButtonTooltip),
      m_fontInstaller(new CWinInetFontInstaller),
      m_cursors(new CSystemCursors),
      m_safety(static_cast<IDispatch*>(this), button::DIID__DZephonButton) {
  static const UINT kPlaceholders[kStateCount] = {IDB_PLACEHOLDER_NORMAL, IDB_PLACEHOLDER_OVER, IDB_PLACEHOLDER_DOWN,
                                                  IDB_PLACEHOLDER_DISABLE, IDB_PLACEHOLDER_NORMAL};
  for (int s = 0; s < kStateCount; ++s) {
    m_states[s].Placeholder.Reset(LoadBitmapW(button::ModuleInstance(), MAKEINTRESOURCEW(kPlaceholders[s])));
    if (const PropertyInfo* url = button::UrlPropertyOf(s)) m_states[s].PropertyName = url->Name;
  }
  for (int s = 0; s < 4; ++s) m_pictureTable.Images[s] = &m_states[s].ImageDIB;
  m_sources.SetDownloader(std::make_unique<CInternetPictureDownloader>());
  m_pictureCookie = button::Register(&m_pictureTable);
  m_props.PrevPointer = m_pictureCookie;

  m_textFontDesc = button::SystemDefault();
  m_toolTipFontDesc = m_textFontDesc;
  // A font changed through its own object (a script, the font page) redraws like a new font.
  m_textFont.SetChangeHandler([this] {
    SetModifiedFlag();
    Redraw();
  });
  m_toolTipFont.SetChangeHandler([this] {
    PushTooltipSettings();
    SetModifiedFlag();
  });
  m_textFont.Initialize(m_textFontDesc.Desc());
  m_toolTipFont.Initialize(m_toolTipFontDesc.Desc());

  CAnimationDirectory::Callbacks frames;
  frames.setPictureUrl = [this](const std::wstring& url) { SetPictureUrl(kNormal, url); };
  frames.fireAnimationEnd = [this] { FireEvent(kEventAnimationEnd); };
  m_animation =
      std::make_unique<CAnimationDirectory>(MakeWin32AnimationPlatform([this] { return Window(); }), std::move(frames));
}

CZephonButtonCtrl::~CZephonButtonCtrl() {
  m_tooltip->Hide();
  DeleteTempFiles();
  button::Unregister(m_pictureCookie);
}

const button::DispTable& CZephonButtonCtrl::Members() const {
  static const button::DispTable table = [] {
    button::DispTable t;
    for (size_t i = 0; i < button::TableSize(); ++i) {
      const PropertyInfo& p = button::Table()[i];
      if (p.Effect != Action::Stock) t.push_back(button::DispPropertyEntry(p.Dispid, p.Name, VarTypeOf(p.Type)));
    }
    using C = CZephonButtonCtrl;
    t.push_back(button::DispMethod<&C::ToolTipDraw>(50, L"ToolTipDraw"));
    t.push_back(button::DispMethod<&C::CaptureBackground>(51, L"CaptureBackground"));
    t.push_back(button::DispMethod<&C::GetPicture>(52, L"GetPicture"));
    t.push_back(button::DispMethod<&C::InstallFontFromInternet>(53, L"InstallFontFromInternet"));
    t.push_back(button::DispMethod<&C::GetButtonMode>(54, L"GetButtonMode"));
    t.push_back(button::DispMethod<&C::SetButtonMode>(55, L"SetButtonMode"));
    t.push_back(button::DispMethod<&C::AnimationDirectory>(56, L"AnimationDirectory"));
    t.push_back(button::DispMethod<&C::AnimationDirectoryStop>(57, L"AnimationDirectoryStop"));
    t.push_back(button::DispMethod<&C::SetCheck>(58, L"SetCheck"));
    t.push_back(button::DispMethod<&C::GetCheck>(59, L"GetCheck"));
    t.push_back(button::DispMethod<&C::SetTextFontByName>(60, L"SetTextFontByName"));
    t.push_back(button::DispMethod<&C::SetToolTipFontByName>(61, L"SetToolTipFontByName"));
    t.push_back(button::DispMethod<&C::SetFontsCharSet>(62, L"SetFontsCharSet"));
    return t;
  }();
  return table;
}

// ---- properties through IDispatch ------------------------------------------------------------------

HRESULT CZephonButtonCtrl::GetProperty(const button::DispMember& member, VARIANT* result) {
  const PropertyInfo* info = FindByDispid(member.id);
  if (!info || info->Effect == Action::Stock) return DISP_E_MEMBERNOTFOUND;
  switch (info->Type) {
    case PropType::Font: {
      const button::CFontHolder& holder = info->Dispid == kDispidToolTipFont ? m_toolTipFont : m_textFont;
      result->vt = VT_DISPATCH;
      result->pdispVal = holder.Dispatch().Detach();
      return S_OK;
    }
    case PropType::Picture:
      result->vt = VT_DISPATCH;
      result->pdispVal = m_pictures[info->State].Dispatch().Detach();
      return S_OK;
    case PropType::String: {
      // PictureBaseURL reads whatever PictureURL holds.
      const std::wstring& s =
          info->Effect == Action::BaseUrl ? m_props.PictureURL : *button::StringMember(m_props, *info);
      BSTR b = SysAllocStringLen(s.data(), UINT(s.size()));
      if (!b) return E_OUTOFMEMORY;
      result->vt = VT_BSTR;
      result->bstrVal = b;
      return S_OK;
    }
    default: {
      int32_t v = 0;
      if (info->Effect == Action::PrevPointer)
        v = m_pictureCookie;
      else
        button::ReadNumber(m_props, *info, v);
      return ToVariant(v, member.type, result);
    }
  }
}

HRESULT CZephonButtonCtrl::PutProperty(const button::DispMember& member, const VARIANT& value) {
  const PropertyInfo* info = FindByDispid(member.id);
  if (!info || info->Effect == Action::Stock) return DISP_E_MEMBERNOTFOUND;
  switch (info->Type) {
    case PropType::Font: SetFontProperty(info->Dispid == kDispidToolTipFont, value.pdispVal); return S_OK;
    case PropType::Picture: {
      common::ComPtr<IPictureDisp> picture;
      if (value.pdispVal && FAILED(value.pdispVal->QueryInterface(IID_IPictureDisp, picture.PutVoid())))
        return DISP_E_TYPEMISMATCH;
      SetPictureProperty(info->State, picture.Get());
      return S_OK;
    }
    case PropType::String:
      SetStringProperty(*info,
                        value.bstrVal ? std::wstring(value.bstrVal, SysStringLen(value.bstrVal)) : std::wstring());
      return S_OK;
    default: SetNumberProperty(*info, FromVariant(value, member.type)); return S_OK;
  }
}

void CZephonButtonCtrl::Redraw() { InvalidateControl(nullptr, true); }

void CZephonButtonCtrl::SetNumberProperty(const PropertyInfo& info, long value) {
  switch (info.Effect) {
    case Action::HoldingFlag: SetHoldingFlag(short(value)); return;
    case Action::PrevPointer:
      m_props.PrevPointer = m_pictureCookie;  // only the live handle means anything
      SetModifiedFlag();
      return;
    default: break;
  }
  if (!button::WriteNumber(m_props, info, value)) return;
  if (info.Effect == Action::ModifiedOnly) {
    SetModifiedFlag();
    return;
  }
  if (info.Effect == Action::Tooltip) PushTooltipSettings();
  SetModifiedFlag();
  Redraw();
  if (info.Effect == Action::Resize || (info.Effect == Action::AutoSize && value)) ResizeToState();
}

void CZephonButtonCtrl::SetStringProperty(const PropertyInfo& info, const std::wstring& value) {
  switch (info.Effect) {
    case Action::PictureUrl: SetPictureUrl(info.State, value); return;
    case Action::BaseUrl:
      if (!value.empty()) SetPictureUrl(kNormal, value);
      return;
    case Action::ToolTipText: SetToolTipString(value); return;
    default:
      if (std::wstring* s = button::StringMember(m_props, info)) *s = value;
      SetModifiedFlag();
      Redraw();
      return;
  }
}

void CZephonButtonCtrl::SetPictureUrl(int state, const std::wstring& url) {
  const PropertyInfo* info = button::UrlPropertyOf(state);
  if (!info || !PictureAllowed(url)) return;
  std::wstring& property = *button::StringMember(m_props, *info);
  const std::wstring old = property;
  const std::wstring oldBase = m_props.PictureBaseURL;
  property = url;
  if (state == kNormal) m_props.PictureBaseURL = url;
  CopyUrlsToStates();

  StateImage& image = m_states[state];
  const bool delayed = UserMode() && m_props.SmartLoading;
  if (!delayed || m_current == state) {
    if (!m_sources.LoadStateImage(image, state, HolderOf(state))) {
      property = old;
      if (state == kNormal) m_props.PictureBaseURL = oldBase;
      CopyUrlsToStates();
    } else if (m_current == state || (state == kNormal && m_current == kBlank)) {
      ShowState(state, true);
    }
  }
  if (delayed) {
    image.Pending = 1;
    image.PreviousUrl = old;
  }
  SetModifiedFlag();
  Redraw();
}

void CZephonButtonCtrl::SetToolTipString(const std::wstring& value) {
  switch (button::ClassifyToolTipString(value)) {
    case button::ToolTipCommand::Text:
      m_props.ToolTipString = value;
      m_tooltip->SetText(value, false, 255);
      m_access.NameMayHaveChanged();
      SetModifiedFlag();
      Redraw();
      return;
    case button::ToolTipCommand::Debug: m_debug = 1; return;
    case button::ToolTipCommand::NoDebug: m_debug = 0; return;
    case button::ToolTipCommand::Ignored: return;
  }
}

void CZephonButtonCtrl::SetHoldingFlag(short flag) {
  m_buttonMode = button::NormalisedMode(button::ModeOfHoldingFlag(flag));
  m_props.HoldingFlag = flag;
  if (!UserMode()) {
    for (int s = 0; s < 4; ++s) {
      const int bit = 1 << s;
      if (!((flag ^ m_prevHoldingFlag) & bit)) continue;
      if (flag & bit) {
        m_sources.HoldStateImage(m_states[s], &m_pictures[s]);
      } else {
        if (!m_pictures[s].IsEmpty()) m_pictures[s].CreateEmpty();
        SetPictureUrl(s, std::wstring());
      }
    }
  }
  m_prevHoldingFlag = flag;
  SetModifiedFlag();
  Redraw();
}

void CZephonButtonCtrl::SetPictureProperty(int state, IPictureDisp* picture) {
  button::CPictureHolder& holder = m_pictures[state];
  if (SUCCEEDED(holder.SetPictureDispatch(picture)) && !holder.IsEmpty() &&
      m_sources.RenderPictureObject(m_states[state], &holder)) {
    if (m_current == state) ShowState(state, true);
    m_props.HoldingFlag = short(m_props.HoldingFlag | (1 << state));
    m_prevHoldingFlag = m_props.HoldingFlag;
  }
  SetModifiedFlag();
  Redraw();
}

void CZephonButtonCtrl::SetFontProperty(bool tooltip, IDispatch* font) {
  if (tooltip)
    m_toolTipFont.SetFont(font, m_toolTipFontDesc.Desc());
  else
    m_textFont.SetFont(font, m_textFontDesc.Desc());
  FontsChanged();
  SetModifiedFlag();
  Redraw();
}

// ---- methods ------------------------------------------------------------------------------------

void CZephonButtonCtrl::ToolTipDraw() { m_tooltip->Start(Window()); }

void CZephonButtonCtrl::CaptureBackground(short, short) {
  const OLE_COLOR c = m_props.BackGroundColor;
  for (int s = 0; s < 4; ++s) {
    StateImage& image = m_states[s];
    if (image.ImageDIB.HasPixels() && image.ImageKind != StateImage::Kind::Picture)
      image.ImageDIB.Fill(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
  }
}

common::ComPtr<IPictureDisp> CZephonButtonCtrl::GetPicture(short pictureNumber) {
  const int index = pictureNumber <= 1 ? 0 : pictureNumber >= 4 ? 3 : pictureNumber - 1;
  return m_pictures[index].Dispatch();
}

bool CZephonButtonCtrl::InstallFontFromInternet(const std::wstring& url) {
  if (m_safety.Untrusted()) {
    // A page may not add fonts, nor write files into the temporary folder under names it chooses.
    FireEvent(kEventInternetFontError, {button::EventArg::Str(button::kFontRefusedText)});
    return false;
  }
  std::wstring error;
  if (m_fontInstaller->Install(url, error)) {
    FontsChanged();
    SetModifiedFlag();
    Redraw();
    return true;
  }
  if (!error.empty()) FireEvent(kEventInternetFontError, {button::EventArg::Str(error)});
  return false;
}

void CZephonButtonCtrl::SetButtonMode(short mode) {
  const int wanted = mode < 0 ? button::ModeOfHoldingFlag(m_props.HoldingFlag) : mode;
  if (wanted == m_buttonMode) return;
  m_buttonMode = button::NormalisedMode(wanted);
  m_props.HoldingFlag = button::WithMode(m_props.HoldingFlag, m_buttonMode);
  m_access.StateMayHaveChanged();  // checked shows in the check modes only
  SetModifiedFlag();
  Redraw();
}

// A start before the control has a window waits for the window (CAnimationDirectory).
void CZephonButtonCtrl::AnimationDirectory(const std::wstring& directoryName, long delayMs) {
  if (m_safety.Untrusted()) {
    // The animation reads the machine's folders, which no page may do; the call still ends the old one.
    m_animation->Stop();
    FirePictureError(button::kAnimationRefusedText);
    return;
  }
  m_animation->Start(directoryName, delayMs);
}
void CZephonButtonCtrl::AnimationDirectoryStop() { m_animation->Stop(); }

void CZephonButtonCtrl::SetCheck(bool check) {
  m_input.SetCheck(check);
  m_access.StateMayHaveChanged();
}

void CZephonButtonCtrl::SetTextFontByName(const std::wstring& name, long size, bool italic, bool bold, bool underline) {
  button::ApplyByName(m_textFontDesc, name, size, italic, bold, underline);
  RebuildFont(false);
  FontsChanged();
  SetModifiedFlag();
  Redraw();
}

void CZephonButtonCtrl::SetToolTipFontByName(const std::wstring& name, long size, bool italic, bool bold,
                                             bool underline) {
  button::ApplyByName(m_toolTipFontDesc, name, size, italic, bold, underline);
  RebuildFont(true);
  FontsChanged();
  // Setting the text again lays a visible tooltip out with the new font.
  SetToolTipString(m_props.ToolTipString);
}

void CZephonButtonCtrl::SetFontsCharSet(short charSet) {
  m_textFontDesc.charset = charSet;
  m_toolTipFontDesc.charset = charSet;
  RebuildFont(false);
  RebuildFont(true);
  FontsChanged();
  SetToolTipString(m_props.ToolTipString);
  SetModifiedFlag();
  Redraw();
}

void CZephonButtonCtrl::RebuildFont(bool tooltip) {
  if (tooltip)
    m_toolTipFont.Initialize(m_toolTipFontDesc.Desc());
  else
    m_textFont.Initialize(m_textFontDesc.Desc());
}

void CZephonButtonCtrl::FontsChanged() { PushTooltipSettings(); }

// ---- collaborators ------------------------------------------------------------------------------

void CZephonButtonCtrl::SetTooltip(std::unique_ptr<IButtonTooltip> tooltip) {
  if (!tooltip) return;
  m_tooltip->Hide();
  m_tooltip = std::move(tooltip);
  PushTooltipSettings();
}

void CZephonButtonCtrl::SetFontInstaller(std::unique_ptr<IFontInstaller> installer) {
  if (installer) m_fontInstaller = std::move(installer);
}

void CZephonButtonCtrl::SetCursors(std::unique_ptr<IButtonCursors> cursors) {
  if (cursors) m_cursors = std::move(cursors);
}

void CZephonButtonCtrl::PushTooltipSettings() {
  TooltipSettings s;
  s.Text = m_props.ToolTipString;
  s.ShowTime = m_props.ToolTipShowTime;
  s.AnimTime = m_props.ToolTipAnimTime;
  s.WaitTime = m_props.ToolTipWaitTime;
  s.GradientColor = m_props.ToolTipGradientColor;
  s.BackColor = m_props.ToolTipBackColor;
  s.TextColor = m_props.ToolTipTextColor;
  s.BorderColor = m_props.ToolTipBorderColor;
  s.Effect = m_props.ToolTipEffect;
  s.Font = &m_toolTipFont;
  m_tooltip->Apply(s);
}

void CZephonButtonCtrl::FireDebugError(const std::wstring& text) {
  FireEvent(kEventDebugError, {button::EventArg::Str(text)});
}

void CZephonButtonCtrl::FirePictureError(const std::wstring& text) {
  FireEvent(kEventPictureError, {button::EventArg::Str(text)});
}

bool CZephonButtonCtrl::UserMode() {
  Ui.UserModeCopy = AmbientUserMode() ? 1 : 0;
  return Ui.UserModeCopy != 0;
}

// Some containers load the control before they give it its site: the user mode is read again here.
void CZephonButtonCtrl::OnSetClientSite() { UserMode(); }

void CZephonButtonCtrl::OnAmbientChanged(DISPID id) {
  if (id == DISPID_AMBIENT_USERMODE || id == DISPID_UNKNOWN) {
    UserMode();
    Redraw();
  }
}

}  // namespace button
