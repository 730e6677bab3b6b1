#pragma once
// CFileSource: a data source over a file mapped read-only into memory (never copied).
#include <memory>
#include <string>

#include "button/imaging/CDataSource.h"
#include "button/imaging/CTextException.h"

namespace button {

class CFileSource : public CDataSource {
 public:
  CFileSource();
  ~CFileSource() override;

  // What Open did; the failures carry the decoder family's codes.
  enum OpenResult : int {
    kOpened = 0,
    kOpenPathNotFound = kDecodePathNotFound,  // 3: a folder of the path does not exist
    kOpenFailed = kDecodeOpenFailed,          // 4: anything else
    kOpenAccessDenied = kDecodeAccessDenied,  // 5: access denied, sharing violation or mapping failed
  };
  // Opens and maps `path` (UTF-8). An empty file opens with no data (the decoder family then
  // refuses it as unmappable, code 5).
  OpenResult Open(const std::string& path);
  // Unmaps the view and closes the handles.
  void Close() override;

 private:
  struct Handles;  // the platform's file and mapping handles
  std::unique_ptr<Handles> m_handles;
};

}  // namespace button
