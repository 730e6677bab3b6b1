#pragma once
// CDataSource: a block of picture data with a read position. Every read is bounds-checked: a read
// that would pass the end throws code 11, whatever the picture's headers claim.
#include <cstddef>
#include <cstdint>
#include <string>

namespace button {

class CDataSource {
 public:
  CDataSource() = default;
  CDataSource(const CDataSource&) = delete;
  CDataSource& operator=(const CDataSource&) = delete;
  virtual ~CDataSource() = default;

  // Uses `size` bytes at `data` (not copied; the caller keeps them alive) and rewinds.
  virtual void Attach(const std::string& name, const uint8_t* data, size_t size);
  // Forgets the data.
  virtual void Close();

  // Advances by n and returns the n bytes passed over; throws code 11 if they are not all there.
  const uint8_t* ReadBytes(size_t n);
  uint8_t ReadByte() { return *ReadBytes(1); }
  uint16_t ReadLE16();
  uint32_t ReadLE32();
  // Moves the read position to an absolute offset; throws code 11 beyond the end.
  void SeekTo(size_t offset);

  const std::string& Name() const { return m_name; }
  const uint8_t* Data() const { return m_data; }
  const uint8_t* Current() const { return m_data + m_pos; }
  size_t Size() const { return m_size; }
  size_t Position() const { return m_pos; }
  size_t Remaining() const { return m_size - m_pos; }

 private:
  std::string m_name;
  const uint8_t* m_data = nullptr;
  size_t m_size = 0;
  size_t m_pos = 0;
};

}  // namespace button
