#pragma once
// CFileSource: a data source over a file mapped read-only into memory (never copied).
#include <memory>
#include <string>

#include "button/imaging/CDataSource.h"

class CFileSource : public CDataSource {
 public:
  CFileSource();
  ~CFileSource() override;

  // Opens and maps `path` (UTF-8). Returns 0 on success, else the error code: 3 a folder of the path
  // does not exist, 5 access denied, sharing violation or mapping failed, 4 anything else. An empty
  // file opens with no data (the decoder family then refuses it as unmappable, code 5).
  int Open(const std::string& path);
  // Unmaps the view and closes the handles.
  void Close() override;

 private:
  struct Handles;  // the platform's file and mapping handles
  std::unique_ptr<Handles> m_Handles;
};
