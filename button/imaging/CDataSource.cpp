#include "button/imaging/CDataSource.h"

#include "button/imaging/CTextException.h"

void CDataSource::Attach(const std::string& name, const uint8_t* data, size_t size) {
  m_Name = name;
  m_Data = data;
  m_Size = data ? size : 0;
  m_Pos = 0;
}

void CDataSource::Close() {
  m_Data = nullptr;
  m_Size = 0;
  m_Pos = 0;
}

const uint8_t* CDataSource::ReadBytes(size_t n) {
  if (n > m_Size - m_Pos) throw CTextException::EndOfData();
  const uint8_t* p = m_Data + m_Pos;
  m_Pos += n;
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
  if (offset > m_Size) throw CTextException::EndOfData();
  m_Pos = offset;
}
