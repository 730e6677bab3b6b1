#include "tests/win/control_interaction_host.h"

#include <cstdio>
#include <fstream>
#include <map>

#include "button/control/ControlFactory.h"
#include "button/framework/Module.h"
#include "common/olehost/PropertyBag.h"
#include "tests/support/TestPaths.h"

namespace tests {

namespace {

constexpr wchar_t kTopClass[] = L"ZbInteractionTestTop";

LRESULT CALLBACK TopProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) {
    if (auto* log = reinterpret_cast<ParentLog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) ++log->closeRequests;
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool RegisterTopClass() {
  static const bool ok = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TopProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = HBRUSH(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kTopClass;
    return RegisterClassW(&wc) != 0;
  }();
  return ok;
}

class LoggingTooltip : public button::IButtonTooltip {
 public:
  explicit LoggingTooltip(std::shared_ptr<TooltipLog> log) : m_log(std::move(log)) {}
  bool Start(HWND owner) override {
    m_log->starts.push_back(owner);
    return true;
  }
  void Hide() override { ++m_log->hides; }
  void SetText(const std::wstring&, bool, int) override {}
  void Apply(const button::TooltipSettings&) override {}

 private:
  std::shared_ptr<TooltipLog> m_log;
};

struct AtlApi {
  BOOL(WINAPI* init)() = nullptr;
  HRESULT(WINAPI* attach)(IUnknown*, HWND, IUnknown**) = nullptr;
};

const AtlApi& Atl() {
  static const AtlApi api = [] {
    AtlApi a;
    if (HMODULE atl = LoadLibraryW(L"atl.dll")) {
      a.init = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
      a.attach = reinterpret_cast<HRESULT(WINAPI*)(IUnknown*, HWND, IUnknown**)>(
          reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxAttachControl")));
      if (a.init && !a.init()) a.init = nullptr;
    }
    return a;
  }();
  return api;
}

const wchar_t* EventName(DISPID id) {
  static const std::map<DISPID, const wchar_t*> names = {
      {1, L"MouseLeave"},         {2, L"MouseClick"},      {-605, L"MouseDown"},   {3, L"MouseEnter"},
      {4, L"PictureError"},       {-607, L"MouseUp"},      {-602, L"KeyDown"},     {-603, L"KeyPress"},
      {-604, L"KeyUp"},           {5, L"MouseRightClick"}, {6, L"MouseRightDown"}, {7, L"MouseRightUp"},
      {8, L"MouseMoving"},        {9, L"SetFocus"},        {10, L"LeaveFocus"},    {11, L"DebugError"},
      {12, L"InternetFontError"}, {13, L"AnimationEnd"},   {14, L"OnCheck"}};
  auto it = names.find(id);
  return it == names.end() ? L"?" : it->second;
}

}  // namespace

std::string HostName(HostKind kind) { return kind == HostKind::Ours ? "OurContainer" : "AtlHost"; }

HMODULE ResourceModule() {
  static const HMODULE module = [] {
    HMODULE m = LoadLibraryW((tests::ExeFolder() + L"ZEPHONBUTTONPRO.OCX").c_str());
    if (m) button::SetModuleInstance(m);
    return m;
  }();
  return module;
}

std::wstring TempFolder(const char* tag) {
  const std::string dir = tests::MakeTempDir(tag);
  return std::wstring(dir.begin(), dir.end()) + L"\\";
}

bool WriteSolidBmp(const std::wstring& path, int w, int h, uint32_t rgb) {
  const int stride = (w * 3 + 3) & ~3;
  const uint32_t size = 54 + uint32_t(stride) * uint32_t(h);
  std::vector<uint8_t> file(size, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  file[26] = 1;
  file[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &file[54 + size_t(y) * stride + size_t(x) * 3];
      p[0] = uint8_t(rgb);
      p[1] = uint8_t(rgb >> 8);
      p[2] = uint8_t(rgb >> 16);
    }
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  const bool ok = fwrite(file.data(), 1, file.size(), f) == file.size();
  return fclose(f) == 0 && ok;
}

std::wstring BagString(const std::wstring& text) {
  std::wstring out = L"\"";
  for (wchar_t c : text) {
    if (c == L'\\' || c == L'"') out += L'\\';
    out += c;
  }
  return out + L"\"";
}

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG m;
    // No TranslateMessage: the tests post the character messages they want.
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    if (ms) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

std::unique_ptr<TestButton> TestButton::Create(const Options& options) {
  if (!ResourceModule() || !RegisterTopClass()) return nullptr;
  std::unique_ptr<TestButton> b(new TestButton);
  b->m_options = options;
  b->PointerAway();  // no real pointer over the new windows until a test puts it there
  b->parent = std::make_shared<ParentLog>();
  b->m_top = CreateWindowExW(0, kTopClass, L"button test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 320, 240,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!b->m_top) return nullptr;
  SetWindowLongPtrW(b->m_top, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(b->parent.get()));
  SetForegroundWindow(b->m_top);
  if (FAILED(button::CreateZephonButton(nullptr, IID_IUnknown, b->m_unknown.PutVoid()))) return nullptr;
  b->m_disp = common::QueryAs<IDispatch>(b->m_unknown.Get());
  if (!b->m_disp) return nullptr;
  b->m_ctrl = static_cast<button::CZephonButtonCtrl*>(b->m_disp.Get());
  b->tooltip = std::make_shared<TooltipLog>();
  b->m_ctrl->SetTooltip(std::make_unique<LoggingTooltip>(b->tooltip));
  b->events = tests::EventRecorder::Attach(b->m_disp.Get());
  if (!b->events) return nullptr;
  if (options.activate && !b->Activate()) return nullptr;
  return b;
}

bool TestButton::Activate() {
  common::ComPtr<common::CPropertyBag> bag;
  if (!m_options.bag.empty()) {
    bag = common::CPropertyBag::Create();
    std::wstring error;
    if (!bag->LoadText(m_options.bag, error)) return false;
  }
  if (m_options.host == HostKind::Ours) {
    common::CControlHost::Options o;
    o.userMode = m_options.userMode;
    if (FAILED(common::CControlHost::Attach(m_top, m_options.rect, m_unknown.Get(), bag.Get(), o, m_host)))
      return false;
  } else {
    const AtlApi& atl = Atl();
    if (!atl.init || !atl.attach) return false;
    HRESULT hr = E_FAIL;
    if (bag) {
      if (auto persist = common::QueryAs<IPersistPropertyBag>(m_unknown.Get())) hr = persist->Load(bag.Get(), nullptr);
    } else if (auto persist = common::QueryAs<IPersistStreamInit>(m_unknown.Get())) {
      hr = persist->InitNew();
    }
    if (FAILED(hr)) return false;
    const RECT& r = m_options.rect;
    m_ax = CreateWindowExW(0, L"AtlAxWin", L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, m_top, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!m_ax || FAILED(atl.attach(m_unknown.Get(), m_ax, m_atlContainer.Put()))) return false;
  }
  Pump(0);
  return Window() != nullptr;
}

TestButton::~TestButton() {
  events.reset();
  if (m_host) m_host->Close();
  m_host.Reset();
  if (m_ax) DestroyWindow(m_ax);
  m_atlContainer.Reset();
  m_disp.Reset();
  m_unknown.Reset();
  if (m_top) DestroyWindow(m_top);
  Pump(0);
}

HWND TestButton::Window() const { return m_ctrl ? m_ctrl->Window() : nullptr; }

SIZE TestButton::WindowSize() const {
  RECT rc{};
  if (HWND w = Window()) GetWindowRect(w, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

void TestButton::ResizeSite(int cx, int cy) {
  const RECT& r = m_options.rect;
  if (m_host) {
    m_host->SetRect(RECT{r.left, r.top, r.left + cx, r.top + cy});
  } else if (m_ax) {
    MoveWindow(m_ax, r.left, r.top, cx, cy, TRUE);
  }
  Pump(0);
}

void TestButton::Post(UINT msg, WPARAM wp, LPARAM lp) {
  PostMessageW(Window(), msg, wp, lp);
  Pump(0);
}

void TestButton::PointerAt(int x, int y) {
  POINT p{x, y};
  ClientToScreen(Window(), &p);
  SetCursorPos(p.x, p.y);
  Pump(50);  // the window system reports the move
}

void TestButton::PointerAway() {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  Pump(50);
}

std::vector<std::wstring> TestButton::Events(bool withMoving) const {
  std::vector<std::wstring> out;
  for (const tests::Event& e : events->events) {
    if (e.id == 8 && !withMoving) continue;
    std::wstring text = EventName(e.id);
    if (!e.args.empty()) {
      text += L"(";
      for (size_t i = 0; i < e.args.size(); ++i) text += (i ? L"," : L"") + e.args[i];
      text += L")";
    }
    out.push_back(text);
  }
  return out;
}

bool TestButton::Draw(int w, int h, COLORREF fill, tests::Drawing& out) const {
  return tests::DrawControl(m_disp.Get(), w, h, fill, out);
}

bool TestButton::Screen(tests::Drawing& out) const {
  HWND w = Window();
  if (!w) return false;
  UpdateWindow(w);
  RECT rc{};
  GetClientRect(w, &rc);
  out.w = rc.right;
  out.h = rc.bottom;
  out.px.assign(size_t(out.w) * out.h, 0);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = out.w;
  bi.bmiHeader.biHeight = -out.h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  HDC screen = GetDC(w);
  HDC mem = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bmp && bits) {
    HGDIOBJ old = SelectObject(mem, bmp);
    ok = BitBlt(mem, 0, 0, out.w, out.h, screen, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < out.px.size(); ++i) out.px[i] = p[i] & 0x00FFFFFF;
    SelectObject(mem, old);
  }
  if (bmp) DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(w, screen);
  return ok;
}

}  // namespace tests
