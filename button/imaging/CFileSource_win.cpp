#include <windows.h>

#include "button/imaging/CFileSource.h"
#include "button/imaging/CTextException.h"
#include "common/win/Handles.h"
#include "common/win/TextConvert.h"

namespace button {

struct CFileSource::Handles {
  common::FileHandle file;
  common::KernelHandle mapping;
  common::MappedView view;
};

CFileSource::CFileSource() : m_handles(std::make_unique<Handles>()) {}

CFileSource::~CFileSource() { Close(); }

CFileSource::OpenResult CFileSource::Open(const std::string& path) {
  Close();
  const std::wstring wide = common::Wide(path);
  if (wide.empty()) return kOpenFailed;
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    switch (GetLastError()) {
      case ERROR_PATH_NOT_FOUND: return kOpenPathNotFound;
      case ERROR_ACCESS_DENIED:
      case ERROR_SHARING_VIOLATION: return kOpenAccessDenied;
      default: return kOpenFailed;
    }
  }
  m_handles->file.Reset(file);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || uint64_t(size.QuadPart) > SIZE_MAX) {
    Close();
    return kOpenFailed;
  }
  if (size.QuadPart == 0) {  // an empty file cannot be mapped; recognition then finds no format
    Attach(path, nullptr, 0);
    return kOpened;
  }
  m_handles->mapping.Reset(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (m_handles->mapping) m_handles->view.Reset(MapViewOfFile(m_handles->mapping.Get(), FILE_MAP_READ, 0, 0, 0));
  if (!m_handles->view) {
    Close();
    return kOpenAccessDenied;
  }
  Attach(path, static_cast<const uint8_t*>(m_handles->view.Get()), size_t(size.QuadPart));
  return kOpened;
}

void CFileSource::Close() {
  CDataSource::Close();
  m_handles->view.Reset();
  m_handles->mapping.Reset();
  m_handles->file.Reset();
}

}  // namespace button
