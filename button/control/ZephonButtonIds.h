#pragma once
// Identifiers of the button control module: one GUID series (same GUID but for its first field) for
// the type library, the dispatch and event interfaces, the control class and its property pages.
// The catalogue panel creates the control by these; they never change.
// Keep in step with ZephonButton.idl (a test compares the type library with this header).
#include <windows.h>

#include "button/control/resource.h"

namespace button {

// {6C3A1E01-E4F2-4D88-ABF2-7C20586EDC21} ...
#define ZEPHON_GUID(first)                                                    \
  {                                                                           \
    first, 0xE4F2, 0x4D88, { 0xAB, 0xF2, 0x7C, 0x20, 0x58, 0x6E, 0xDC, 0x21 } \
  }

inline constexpr GUID LIBID_ZEPHONBUTTONLib = ZEPHON_GUID(0x6C3A1E01);
inline constexpr IID DIID__DZephonButton = ZEPHON_GUID(0x6C3A1E02);
inline constexpr IID DIID__DZephonButtonEvents = ZEPHON_GUID(0x6C3A1E03);
inline constexpr CLSID CLSID_ZephonButton = ZEPHON_GUID(0x6C3A1E04);
// Property pages, in the order the control reports them.
inline constexpr CLSID CLSID_ZephonGeneralPage = ZEPHON_GUID(0x6C3A1E05);
inline constexpr CLSID CLSID_ZephonColorsPage = ZEPHON_GUID(0x6C3A1E06);
inline constexpr CLSID CLSID_ZephonEffectsPage = ZEPHON_GUID(0x6C3A1E07);
inline constexpr CLSID CLSID_ZephonProfiPage = ZEPHON_GUID(0x6C3A1E08);
inline constexpr CLSID CLSID_ZephonToolTipPage = ZEPHON_GUID(0x6C3A1E09);
inline constexpr CLSID CLSID_ZephonImagesPage = ZEPHON_GUID(0x6C3A1E0A);
inline constexpr CLSID CLSID_ZephonTextPage = ZEPHON_GUID(0x6C3A1E0B);
#undef ZEPHON_GUID

// The platform's standard font page (olectl.h's CLSID_CFontPropPage), reported last.
inline constexpr CLSID CLSID_StandardFontPage = {
    0x0BE35200, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

// All eight pages in reporting order.
inline constexpr CLSID kPropertyPages[8] = {CLSID_ZephonGeneralPage, CLSID_ZephonColorsPage,  CLSID_ZephonEffectsPage,
                                            CLSID_ZephonProfiPage,   CLSID_ZephonToolTipPage, CLSID_ZephonImagesPage,
                                            CLSID_ZephonTextPage,    CLSID_StandardFontPage};

// The seven own pages with the names their factories are registered under.
struct PageClass {
  const CLSID* clsid;
  const wchar_t* progId;
};
inline constexpr PageClass kOwnPages[7] = {
    {&CLSID_ZephonGeneralPage, L"ZEPHONBUTTON.ZephonButtonPropPage.1"},
    {&CLSID_ZephonColorsPage, L"ZephonButton.CColorsPage"},
    {&CLSID_ZephonEffectsPage, L"ZephonButtonPro.CEffectsPage"},
    {&CLSID_ZephonProfiPage, L"ZephonButtonPro.CProfiPage"},
    {&CLSID_ZephonToolTipPage, L"ZephonButtonPro.CToolTipPage"},
    {&CLSID_ZephonImagesPage, L"ZephonButtonPro.CImagesPage"},
    {&CLSID_ZephonTextPage, L"ZephonButtonPro.CTextPage"},
};

inline constexpr wchar_t kControlProgId[] = L"ZEPHONBUTTON.ZephonButtonProCtrl.1";
inline constexpr WORD kLibMajor = 4;
inline constexpr WORD kLibMinor = 50;
// "_Version": major in the high word, minor in the low word.
inline constexpr DWORD kPersistVersion = 0x00040032;
// Recompose on resize, cannot link inside, inside-out, activate when visible, simple frame,
// set client site first.
inline constexpr DWORD kMiscStatus = 197009;

}  // namespace button
