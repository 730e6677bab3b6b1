// CZephonButtonCtrl in the hands of a page: its host asked IObjectSafety for safety for untrusted
// callers or data. Pictures then come from internet addresses only (picture properties, stored
// properties, the animation), fonts are not installed, and no text names a file of the machine.
// A refused address is not stored: a setter keeps the old value, a load leaves the default ("").
#include "button/control/ZephonButtonCtrl.h"

#include "button/imaging/UntrustedRules.h"

namespace button {

HRESULT CZephonButtonCtrl::QueryExtraInterface(REFIID riid, void** out) {
  if (!IsEqualIID(riid, IID_IObjectSafety)) return E_NOINTERFACE;
  m_safety.AddRef();
  *out = static_cast<IObjectSafety*>(&m_safety);
  return S_OK;
}

bool CZephonButtonCtrl::PictureAllowed(const std::wstring& url) {
  if (!m_safety.Untrusted() || button::MayLoadPicture(url)) return true;
  FirePictureError(button::kPictureRefusedText);
  return false;
}

void CZephonButtonCtrl::DropRefusedUrls() {
  if (!m_safety.Untrusted()) return;
  for (int s = 0; s < 4; ++s) {
    std::wstring& url = *button::StringMember(m_props, *button::UrlPropertyOf(s));
    if (!PictureAllowed(url)) url.clear();
  }
  // The saved copy of PictureURL goes with it (it loads nothing itself).
  if (!button::MayLoadPicture(m_props.PictureBaseURL)) m_props.PictureBaseURL.clear();
}

}  // namespace button
