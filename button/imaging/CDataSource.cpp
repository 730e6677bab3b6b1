#include "button/imaging/CDataSource.h"

#include "button/imaging/CTextException.h"

namespace button {

void CDataSource::Attach(const std::string& name, const uint8_t* data, size_t size) {
  m_name = name;
  m_data = data;
  m_size = data ? size : 0;
  m_pos = 0;
}

void CDataSource::Close() {
  m_data = nullptr;
  m_size = 0;
  m_pos = 0;
}

const uint8_t* CDataSource::ReadBytes(size_t n) {
  if (n > m_size - m_pos) throw CTextException::EndOfData();
  const uint8_t* p = m_data + m_pos;
  m_pos += n;
  return p;
}

uint16_t CDataSource::ReadLE16() {
  const uint8_t* p = ReadBytes(2);
  return uint16_t(p[0] | (p[1] << 8));
}

uint32_t CDataSource::ReadLE32() {
  const uint8_t* p = ReadBytes(4);
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

void CDataSource::SeekTo(size_t offset) {
  if (offset > m_size) throw CTextException::EndOfData();
  m_pos = offset;
}

}  // namespace button
