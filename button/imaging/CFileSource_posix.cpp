#include <errno.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "button/imaging/CFileSource.h"
#include "button/imaging/CTextException.h"

namespace button {

struct CFileSource::Handles {
  int fd = -1;
  void* view = nullptr;
  size_t length = 0;
};

CFileSource::CFileSource() : m_handles(std::make_unique<Handles>()) {}

CFileSource::~CFileSource() { Close(); }

CFileSource::OpenResult CFileSource::Open(const std::string& path) {
  Close();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) {
      // A missing file is code 4; a missing folder on the way is code 3.
      std::string::size_type slash = path.find_last_of('/');
      struct stat st;
      if (slash != std::string::npos && slash > 0 && ::stat(path.substr(0, slash).c_str(), &st) != 0) {
        return kOpenPathNotFound;
      }
      return kOpenFailed;
    }
    if (errno == ENOTDIR) return kOpenPathNotFound;
    return errno == EACCES || errno == EPERM ? kOpenAccessDenied : kOpenFailed;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return kOpenFailed;
  }
  m_handles->fd = fd;
  const size_t length = size_t(st.st_size);
  if (length == 0) {  // nothing to map; recognition then finds no format
    Attach(path, nullptr, 0);
    return kOpened;
  }
  void* view = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
  if (view == MAP_FAILED) {
    Close();
    return kOpenAccessDenied;
  }
  ::madvise(view, length, MADV_SEQUENTIAL);
  m_handles->view = view;
  m_handles->length = length;
  Attach(path, static_cast<const uint8_t*>(view), length);
  return kOpened;
}

void CFileSource::Close() {
  CDataSource::Close();
  if (m_handles->view) ::munmap(m_handles->view, m_handles->length);
  if (m_handles->fd >= 0) ::close(m_handles->fd);
  *m_handles = Handles();
}

}  // namespace button
