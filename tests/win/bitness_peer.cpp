// control_bitness_peer: the control module of this build as a program of this bitness sees it, for
// bitness_test, which runs the peers of both builds against each other.
//   control_bitness_peer save <folder>   a control with every property set away from its default,
//                                        saved as stream.bin, storage.stg and bag.txt, and its
//                                        properties as props.txt
//   control_bitness_peer check <folder>  loads each of the three into a new control and compares
//                                        every property with props.txt; exit status: differences
//   control_bitness_peer which           creates the control by its ProgID through the registry
//                                        and prints the path of the module that serves it
// The module is taken from this program's folder for save and check, so no registration is needed.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "button/control/ZephonButtonIds.h"
#include "common/win/ComPtr.h"
#include "common/win/TextConvert.h"
#include "common/olehost/PropertyBag.h"
#include "tests/win/control_pictures_files.h"
#include "tests/win/control_props_support.h"

namespace {

using common::ComPtr;
using common::Variant;
using namespace tests;
using common::Utf8;
using common::Wide;

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
  std::wstring p(path);
  return p.substr(0, p.find_last_of(L"\\/") + 1);
}

std::vector<char> ReadFileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::wstring& path, const void* data, size_t size) {
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(static_cast<const char*>(data), std::streamsize(size));
  return bool(out);
}

ComPtr<IDispatch> NewControl() {
  ComPtr<IDispatch> control;
  static HMODULE module = LoadLibraryW((OwnFolder() + L"ZEPHONBUTTONPRO.OCX").c_str());
  if (!module) return control;
  auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  ComPtr<IClassFactory> factory;
  if (getClassObject && SUCCEEDED(getClassObject(button::CLSID_ZephonButton, IID_IClassFactory, factory.PutVoid())))
    factory->CreateInstance(nullptr, IID_IDispatch, control.PutVoid());
  return control;
}

// The readable properties of the control's dispatch interface, in the order of its type information.
std::vector<std::wstring> PropertyNames(IDispatch* control) {
  std::vector<std::wstring> names;
  ComPtr<ITypeInfo> info;
  TYPEATTR* attr = nullptr;
  if (FAILED(control->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put())) || FAILED(info->GetTypeAttr(&attr)))
    return names;
  auto add = [&](MEMBERID id) {
    common::Bstr name;
    if (SUCCEEDED(info->GetDocumentation(id, name.Put(), nullptr, nullptr, nullptr))) names.push_back(name.Str());
  };
  for (UINT i = 0; i < attr->cVars; ++i) {
    VARDESC* var = nullptr;
    if (FAILED(info->GetVarDesc(i, &var))) continue;
    add(var->memid);
    info->ReleaseVarDesc(var);
  }
  for (UINT i = 0; i < attr->cFuncs; ++i) {
    FUNCDESC* func = nullptr;
    if (FAILED(info->GetFuncDesc(i, &func))) continue;
    if (func->invkind == INVOKE_PROPERTYGET && func->cParams == 0) add(func->memid);
    info->ReleaseFuncDesc(func);
  }
  info->ReleaseTypeAttr(attr);
  return names;
}

// The pixels of a bitmap picture as 32-bit words, hashed (FNV-1a), with its size.
std::string PictureFacts(IPicture* picture) {
  SHORT type = 0;
  picture->get_Type(&type);
  if (type == PICTYPE_NONE) return "nothing";  // an empty picture object is no picture, as none is
  if (type != PICTYPE_BITMAP) return "picture type " + std::to_string(type);
  OLE_HANDLE handle = 0;
  picture->get_Handle(&handle);
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return "picture without a bitmap";
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -info.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(size_t(info.bmWidth) * size_t(info.bmHeight));
  HDC dc = GetDC(nullptr);
  const int lines = GetDIBits(dc, bitmap, 0, UINT(info.bmHeight), pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  uint32_t hash = 2166136261u;
  for (uint32_t p : pixels) {
    for (int i = 0; i < 3; ++i) hash = (hash ^ ((p >> (8 * i)) & 255)) * 16777619u;
  }
  std::ostringstream s;
  s << "picture " << info.bmWidth << "x" << info.bmHeight << " lines " << lines << " pixels " << std::hex << hash;
  return s.str();
}

std::string FontFacts(IFont* font) {
  common::Bstr name;
  CY size{};
  BOOL bold = FALSE, italic = FALSE, underline = FALSE, strike = FALSE;
  SHORT weight = 0, charset = 0;
  font->get_Name(name.Put());
  font->get_Size(&size);
  font->get_Bold(&bold);
  font->get_Italic(&italic);
  font->get_Underline(&underline);
  font->get_Strikethrough(&strike);
  font->get_Weight(&weight);
  font->get_Charset(&charset);
  std::ostringstream s;
  s << "font " << Utf8(name.Str()) << " size " << size.int64 << " bold " << bold << " italic " << italic
    << " underline " << underline << " strike " << strike << " weight " << weight << " charset " << charset;
  return s.str();
}

std::string ValueText(const Variant& value) {
  const VARIANT& v = value.Ref();
  if (v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) {
    IUnknown* object = v.vt == VT_DISPATCH ? v.pdispVal : v.punkVal;
    if (!object) return "nothing";
    if (auto font = common::QueryAs<IFont>(object)) return FontFacts(font.Get());
    if (auto picture = common::QueryAs<IPicture>(object)) return PictureFacts(picture.Get());
    return "object";
  }
  Variant text;
  if (FAILED(VariantChangeType(text.Put(), const_cast<VARIANT*>(value.Ptr()), VARIANT_ALPHABOOL, VT_BSTR)))
    return "vt " + std::to_string(v.vt);
  return "vt " + std::to_string(v.vt) + " " + Utf8(std::wstring(text.Ref().bstrVal, SysStringLen(text.Ref().bstrVal)));
}

// Every property but PrevPointer, a handle that only means something in the process that hands it out.
std::map<std::string, std::string> Properties(IDispatch* control) {
  std::map<std::string, std::string> facts;
  for (const std::wstring& name : PropertyNames(control)) {
    if (name == L"PrevPointer") continue;
    Variant value;
    const HRESULT hr = Get(control, name.c_str(), value);
    facts[Utf8(name)] = SUCCEEDED(hr) ? ValueText(value) : "error " + std::to_string(hr);
  }
  return facts;
}

// A 24-bit picture (what survives persistence under Wine) with a gradient of its own.
ComPtr<IPictureDisp> GradientPicture(int w, int h, int seed) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ComPtr<IPictureDisp> picture;
  if (!bitmap) return picture;
  const int stride = (w * 3 + 3) & ~3;
  auto* bytes = static_cast<BYTE*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 3; ++c) bytes[y * stride + x * 3 + c] = BYTE(seed * 37 + x * 11 + y * 23 + c * 70);
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bitmap;
  if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.PutVoid()))) DeleteObject(bitmap);
  return picture;
}

// Every number, colour and switch away from its default (the control clamps what it must), the
// texts, two held pictures, one picture from a file and both fonts.
bool SetEverything(IDispatch* c, const std::wstring& folder) {
  int index = 0;
  for (const std::wstring& name : PropertyNames(c)) {
    ++index;
    if (name == L"PrevPointer" || name == L"Enabled") continue;
    Variant value;
    if (FAILED(Get(c, name.c_str(), value))) return false;
    const VARTYPE vt = value.Type();
    if (vt != VT_I2 && vt != VT_I4 && vt != VT_UI4 && vt != VT_BOOL) continue;
    const long number =
        name.find(L"Color") != std::wstring::npos ? long(0x00123456 * index) & 0xFFFFFF : long(index % 5 + 1);
    Put(c, name.c_str(),
        *(vt == VT_BOOL ? Bool(!value.Ref().boolVal)
          : vt == VT_I2 ? I2(short(number))
                        : I4(number))
             .Ptr());
  }
  if (!tests::WriteBmp24(folder + L"over.bmp", 9, 7)) return false;
  const HRESULT texts[] = {
      Put(c, L"Text", *Str(L"Caption \u00f1\u00e1").Ptr()),
      Put(c, L"ToolTipString", *Str(L"Tip \u00fc").Ptr()),
      Put(c, L"PictureOverURL", *Str(folder + L"over.bmp").Ptr()),
  };
  for (HRESULT hr : texts)
    if (FAILED(hr)) return false;
  for (auto [name, w, h] : {std::make_tuple(L"PictureRES", 12, 8), std::make_tuple(L"PictureDownRES", 5, 11)}) {
    if (FAILED(PutRef(c, name, GradientPicture(w, h, w).Get()))) return false;
  }
  return SUCCEEDED(
             Call(c, L"SetTextFontByName", {Str(L"DejaVu Serif"), I4(13), Bool(true), Bool(false), Bool(false)})) &&
         SUCCEEDED(
             Call(c, L"SetToolTipFontByName", {Str(L"Liberation Mono"), I4(9), Bool(false), Bool(true), Bool(true)}));
}

std::string Format(const std::map<std::string, std::string>& facts) {
  std::string text;
  for (const auto& [name, value] : facts) text += name + "=" + value + "\n";
  return text;
}

int Save(const std::wstring& folder) {
  ComPtr<IDispatch> c = NewControl();
  if (!c || !SetEverything(c.Get(), folder)) {
    std::fprintf(stderr, "cannot make and set a control\n");
    return 100;
  }
  ComPtr<IStream> stream;
  HGLOBAL memory = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) ||
      FAILED(common::QueryAs<IPersistStreamInit>(c.Get())->Save(stream.Get(), TRUE)) ||
      FAILED(GetHGlobalFromStream(stream.Get(), &memory))) {
    std::fprintf(stderr, "stream save failed\n");
    return 101;
  }
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  const bool streamWritten = WriteFileBytes(folder + L"stream.bin", GlobalLock(memory), size_t(stat.cbSize.QuadPart));
  GlobalUnlock(memory);

  ComPtr<IStorage> storage;
  auto persistStorage = common::QueryAs<IPersistStorage>(c.Get());
  if (FAILED(StgCreateDocfile((folder + L"storage.stg").c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                              storage.Put())) ||
      FAILED(persistStorage->Save(storage.Get(), FALSE)) || FAILED(persistStorage->SaveCompleted(nullptr)) ||
      FAILED(storage->Commit(STGC_DEFAULT))) {
    std::fprintf(stderr, "storage save failed\n");
    return 102;
  }
  storage.Reset();

  auto bag = common::CPropertyBag::Create();
  std::wstring bagText, error;
  if (FAILED(common::QueryAs<IPersistPropertyBag>(c.Get())->Save(bag.Get(), TRUE, TRUE)) ||
      !bag->SaveText(bagText, error)) {
    std::fprintf(stderr, "bag save failed: %s\n", Utf8(error).c_str());
    return 103;
  }
  const std::string bagUtf8 = Utf8(bagText), props = Format(Properties(c.Get()));
  if (!streamWritten || !WriteFileBytes(folder + L"bag.txt", bagUtf8.data(), bagUtf8.size()) ||
      !WriteFileBytes(folder + L"props.txt", props.data(), props.size())) {
    std::fprintf(stderr, "cannot write the files\n");
    return 104;
  }
  return 0;
}

// Prints each property that differs from the saved list; returns how many did.
int Compare(const char* format, const std::map<std::string, std::string>& loaded, const std::string& expected) {
  int differences = 0;
  std::map<std::string, std::string> want;
  std::istringstream lines(expected);
  for (std::string line; std::getline(lines, line);) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) want[line.substr(0, eq)] = line.substr(eq + 1);
  }
  if (want.size() < 40) {
    std::printf("%s: the saved list holds only %u properties\n", format, unsigned(want.size()));
    ++differences;
  }
  for (const auto& [name, value] : want) {
    auto it = loaded.find(name);
    const std::string got = it == loaded.end() ? "(missing)" : it->second;
    if (got != value) {
      std::printf("%s: %s is \"%s\", saved \"%s\"\n", format, name.c_str(), got.c_str(), value.c_str());
      ++differences;
    }
  }
  return differences;
}

int Check(const std::wstring& folder) {
  const std::vector<char> propsBytes = ReadFileBytes(folder + L"props.txt");
  const std::string expected(propsBytes.begin(), propsBytes.end());
  int differences = 0;
  {
    const std::vector<char> bytes = ReadFileBytes(folder + L"stream.bin");
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
    if (memory && !bytes.empty()) {
      std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(memory)));
      GlobalUnlock(memory);
    }
    ComPtr<IStream> stream;
    ComPtr<IDispatch> c = NewControl();
    if (!memory || !c || FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.Put())) ||
        FAILED(common::QueryAs<IPersistStreamInit>(c.Get())->Load(stream.Get()))) {
      std::printf("stream: load failed\n");
      ++differences;
    } else {
      differences += Compare("stream", Properties(c.Get()), expected);
    }
  }
  {
    ComPtr<IStorage> storage;
    ComPtr<IDispatch> c = NewControl();
    if (!c ||
        FAILED(StgOpenStorage((folder + L"storage.stg").c_str(), nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                              nullptr, 0, storage.Put())) ||
        FAILED(common::QueryAs<IPersistStorage>(c.Get())->Load(storage.Get()))) {
      std::printf("storage: load failed\n");
      ++differences;
    } else {
      differences += Compare("storage", Properties(c.Get()), expected);
    }
  }
  {
    const std::vector<char> bytes = ReadFileBytes(folder + L"bag.txt");
    auto bag = common::CPropertyBag::Create();
    std::wstring error;
    ComPtr<IDispatch> c = NewControl();
    if (!c || !bag->LoadText(Wide(std::string(bytes.begin(), bytes.end())), error) ||
        FAILED(common::QueryAs<IPersistPropertyBag>(c.Get())->Load(bag.Get(), nullptr))) {
      std::printf("bag: load failed %s\n", Utf8(error).c_str());
      ++differences;
    } else {
      differences += Compare("bag", Properties(c.Get()), expected);
    }
  }
  return differences;
}

// The module that holds the object's first interface table.
int Which() {
  CLSID clsid;
  ComPtr<IUnknown> object;
  if (FAILED(CLSIDFromProgID(button::kControlProgId, &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.PutVoid()))) {
    std::printf("not created\n");
    return 1;
  }
  HMODULE module = nullptr;
  wchar_t path[MAX_PATH * 2] = {};
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          *reinterpret_cast<LPCWSTR*>(object.Get()), &module) ||
      !GetModuleFileNameW(module, path, DWORD(std::size(path)))) {
    std::printf("module unknown\n");
    return 2;
  }
  std::printf("module %s\n", Utf8(path).c_str());
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (FAILED(OleInitialize(nullptr))) return 200;
  std::wstring folder = argc > 2 ? argv[2] : L"";
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  const std::wstring command = argc > 1 ? argv[1] : L"";
  int result = 201;
  if (command == L"save" && !folder.empty())
    result = Save(folder);
  else if (command == L"check" && !folder.empty())
    result = Check(folder);
  else if (command == L"which")
    result = Which();
  else
    std::fprintf(stderr, "usage: control_bitness_peer save|check <folder> | which\n");
  std::fflush(stdout);
  OleUninitialize();
  return result;
}
