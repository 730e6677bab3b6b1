// CZephonButtonCtrl: the property exchange, reset, and the state images on show.
#include "button/control/ZephonButtonCtrl.h"

#include "button/control/ZephonButtonCtrlRules.h"

namespace button {

namespace {
constexpr DISPID kDispidToolTipFont = 28;
}  // namespace

// ---- property exchange --------------------------------------------------------------------------

void CZephonButtonCtrl::ExchangeProperty(button::CPropExchange& px, const PropertyInfo& info) {
  const wchar_t* name = info.PersistedName;
  int32_t current = 0;
  button::ReadNumber(m_props, info, current);
  // Loaded numbers pass the same clamps as the setters, so hostile data cannot carry a value the
  // control would never accept from a caller.
  switch (info.Type) {
    case PropType::Short: {
      short v = short(current);
      px.Short(name, v, short(info.Default));
      if (px.IsLoading()) button::WriteNumber(m_props, info, v);
      break;
    }
    case PropType::Long: {
      const bool live = info.Effect == Action::PrevPointer;
      long v = live ? m_pictureCookie : current;
      px.Long(name, v, live ? m_pictureCookie : info.Default);
      if (px.IsLoading()) button::WriteNumber(m_props, info, v);
      break;
    }
    case PropType::Bool: {
      bool v = current != 0;
      px.Bool(name, v, info.Default != 0);
      if (px.IsLoading()) button::WriteNumber(m_props, info, v ? 1 : 0);
      break;
    }
    case PropType::Color: {
      OLE_COLOR v = OLE_COLOR(uint32_t(current));
      px.Color(name, v, OLE_COLOR(uint32_t(info.Default)));
      if (px.IsLoading()) button::WriteNumber(m_props, info, int32_t(uint32_t(v)));
      break;
    }
    case PropType::String:
      if (std::wstring* s = button::StringMember(m_props, info)) px.String(name, *s, std::wstring());
      break;
    case PropType::Font:
      if (info.Dispid == kDispidToolTipFont)
        px.Font(name, m_toolTipFont, m_toolTipFontDesc.Desc());
      else
        px.Font(name, m_textFont, m_textFontDesc.Desc());
      break;
    case PropType::Picture: px.Picture(name, m_pictures[info.State]); break;
  }
}

void CZephonButtonCtrl::DoPropExchange(button::CPropExchange& px) {
  ExchangeVersion(px);
  if (px.IsLoading()) {
    // Every state picture comes from the new data: forget what the last load or reset left behind.
    m_current = -1;
    for (StateImage& image : m_states) {
      image.ImageDIB.Destroy();
      image.ImageKind = StateImage::Kind::Empty;
      image.Reset();
    }
  }
  for (size_t i = 0; i < button::ExchangeOrderSize(); ++i)
    if (const PropertyInfo* info = button::FindByDispid(button::ExchangeOrder()[i])) ExchangeProperty(px, *info);
  ExchangeStockProps(px);
  if (px.IsLoading()) PrepareAfterLoad();
}

void CZephonButtonCtrl::PrepareAfterLoad() {
  m_props.PrevPointer = m_pictureCookie;  // a stored handle means nothing in this process
  DropRefusedUrls();
  CopyUrlsToStates();
  UserMode();
  Ui.EnabledCopy = GetEnabled() ? 1 : 0;
  SetButtonMode(-1);
  ShowState(kBlank, false);
  ShowState(kNormal, true);
  ShowState(kOver, false);
  ShowState(kDown, false);
  ShowState(kDisable, false);
  PushTooltipSettings();
  m_prevHoldingFlag = m_props.HoldingFlag;
  // A load into a control on show gives it a new caption and tooltip, and may enable or disable it.
  m_access.NameMayHaveChanged();
  m_access.StateMayHaveChanged();
}

void CZephonButtonCtrl::OnResetState() {
  for (button::CPictureHolder& holder : m_pictures) holder.CreateEmpty();
  m_props.PrevPointer = m_pictureCookie;
  COleControl::OnResetState();
}

void CZephonButtonCtrl::CopyUrlsToStates() {
  for (int s = 0; s < 4; ++s) m_states[s].Url = *button::StringMember(m_props, *button::UrlPropertyOf(s));
}

// ---- state images -------------------------------------------------------------------------------

bool CZephonButtonCtrl::ConvertPlaceholder(StateImage& image) {
  BITMAP bm{};
  if (!image.Placeholder.Get() || !GetObjectW(image.Placeholder.Get(), sizeof(bm), &bm)) {
    // No built-in picture to show (a module without its bitmaps): the state stays without pixels.
    image.ImageDIB.Destroy();
  } else {
    if (!image.ImageDIB.Create(bm.bmWidth, bm.bmHeight)) {
      const std::string& e = image.ImageDIB.ErrorText;
      FireDebugError(L"ai->ImageDIB.Create FALSE " + std::wstring(e.begin(), e.end()));
      return false;
    }
    common::WindowDC screen = common::TakeWindowDC(nullptr);
    common::MemoryDC dc(CreateCompatibleDC(screen.Get()));
    if (!dc.Get()) {
      FireDebugError(L"cpdc.CreateCompatibleDC(pdc) FALSE");
      image.ImageDIB.Destroy();
      return false;
    }
    image.ImageDIB.GetFromBitmap(dc.Get(), image.Placeholder.Get());
  }
  image.Reset();
  image.ImageKind = StateImage::Kind::Placeholder;
  return true;
}

bool CZephonButtonCtrl::ShowState(int state, bool makeCurrent) {
  if (state < 0 || state >= kStateCount) return false;
  // A disabled control shows its disable picture; the blank image is no state one asks for and is
  // prepared like the others.
  if (!Ui.EnabledCopy && state != kBlank) state = kDisable;
  StateImage& image = m_states[state];
  if (!image.ImageDIB.HasPixels() || image.Pending) {
    bool done = false;
    button::CPictureHolder* holder = HolderOf(state);
    if (!image.ImageDIB.HasPixels() && holder && !holder->IsEmpty())
      done = m_sources.RenderPictureObject(image, holder);
    if (!done && !image.Url.empty()) {
      done = m_sources.LoadStateImage(image, state, holder);
      if (!done && image.Pending) {
        // The new address failed: the previous one gets one more try, and the property follows it,
        // as it does when a picture set at once fails.
        const std::wstring previous = image.PreviousUrl;
        const std::wstring failed = image.Url;
        image.Pending = 0;
        image.PreviousUrl.clear();
        if (const PropertyInfo* url = button::UrlPropertyOf(state)) {
          std::wstring& property = *button::StringMember(m_props, *url);
          if (property == failed) {
            property = previous;
            if (state == kNormal) m_props.PictureBaseURL = previous;
          }
        }
        image.Url = previous;
        if (!previous.empty()) done = m_sources.LoadStateImage(image, state, holder);
      }
    }
    if (!done && !ConvertPlaceholder(image)) return false;
  }
  if (makeCurrent) {
    m_current = state;
    ChooseDisplayedPicture();
    ResizeToState();
  }
  return true;
}

void CZephonButtonCtrl::ChooseDisplayedPicture() {
  button::ImageKind kinds[kStateCount];
  for (int s = 0; s < kStateCount; ++s) kinds[s] = m_states[s].ImageKind;
  const bool focused = Window() && GetFocus() == Window();
  const bool overFocus = m_props.OverOnFocus && focused && !Ui.Pressed;
  m_current = button::ChooseDisplayedState(m_current, kinds, overFocus);
}

void CZephonButtonCtrl::OnEnabledChanged() {
  m_input.EnabledChanged(GetEnabled());
  m_access.StateMayHaveChanged();
}

void CZephonButtonCtrl::OnTextChanged() { m_access.NameMayHaveChanged(); }

// ---- the window's life --------------------------------------------------------------------------

void CZephonButtonCtrl::OnWindowDestroying() {
  m_tooltip->Hide();
  m_animation->OnWindowDestroyed();  // an animation waits for the next window
  m_input.WindowDestroyed();
  DeleteTempFiles();
}

void CZephonButtonCtrl::DeleteTempFiles() {
  for (int s = 0; s < 4; ++s) {
    std::wstring& file = m_states[s].TempFile;
    if (file.empty()) continue;
    DeleteFileW(file.c_str());  // errors ignored: the file may be gone already
    file.clear();
  }
}

}  // namespace button
