#pragma once
// The panel's main window: a borderless window cut to the collection's outline over its
// background picture, with the category list, the title list and the description of the selected
// title, the picture buttons (run, copy, shareware, help, exit), the move handle, the two link
// labels and the help and shareware panels.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/LinkLabel.h"
#include "catalogue/MoveHandle.h"
#include "catalogue/PanelButton.h"
#include "common/win/Handles.h"
#include "catalogue/PopupPanel.h"
#include "catalogue/frmCopiar.h"

namespace catalogue {

class frmPrincipal {
 public:
  frmPrincipal() = default;
  frmPrincipal(const frmPrincipal&) = delete;
  frmPrincipal& operator=(const frmPrincipal&) = delete;
  ~frmPrincipal();

  // Creates the window hidden and runs its load: its shape, first category, first title, its
  // description.
  bool Create(HINSTANCE instance);
  void Show();
  HWND Handle() const { return m_hwnd; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND AddControl(const wchar_t* className, int id, DWORD style, DWORD exStyle, int left, int top, int width,
                  int height);
  void Form_Load();
  void cboTipoJuego_Click();
  void lstJuegos_Click();
  void LoadCategoryList(std::uint8_t index);
  void LoadDescription(const std::wstring& path);

  // The window's skin and its picture controls (frmPrincipalShell_win.cpp).
  void CreateShell();
  void CreateButtons();
  void PaintBackground(HDC dc);
  void CloseButtons();
  void Form_MouseDown(LPARAM lParam);
  void imgFondo_MouseMove();
  void lblLink_MouseMove(std::int16_t index);
  void SetLinkLook(std::int16_t index, bool underline);
  void lblLink_Click(std::int16_t index);
  void botRun_MouseClick();
  void botCopiar_MouseClick();
  void botAyuda_MouseClick();
  void botSharware_MouseClick();
  void botCerrarSW_MouseClick();
  void botCerrarAyuda_MouseClick();
  void botSalir1_MouseClick();
  void HoverSound();

  HINSTANCE m_instance = nullptr;
  HWND m_hwnd = nullptr;
  HWND m_cboTipoJuego = nullptr;
  HWND m_lstJuegos = nullptr;
  HWND m_txtDescripcion = nullptr;
  common::GdiFont m_font;
  // The command paths of the current category, in file order; each title row's item data is
  // its index here.
  std::vector<std::wstring> GameCommands;

  common::GdiBitmap m_imgFondo;
  common::GdiBitmap m_moverPicture;
  catalogue::CMoveHandle m_imgMMover;
  catalogue::CPanelButton m_botRun;
  catalogue::CPanelButton m_botCopiar;
  catalogue::CPanelButton m_botAyuda;
  catalogue::CPanelButton m_botSharware;
  catalogue::CPanelButton m_botSalir1;
  catalogue::CPopupPanel m_pctSharware;
  catalogue::CPopupPanel m_pctAyuda;
  catalogue::CLinkLabel m_lblLink[2];
  // The link label now shown underlined, -1 for none.
  std::int16_t HoverLink = -1;
  // The copy window, made afresh on each press of the copy button.
  std::unique_ptr<frmCopiar> m_copiar;
};

}  // namespace catalogue
