#include "tests/support/TestFont.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace tests {
namespace {

// Big-endian writer: TrueType stores every number most significant byte first.
struct Bytes {
  std::string data;
  Bytes& u8(unsigned v) {
    data += char(v & 0xFF);
    return *this;
  }
  Bytes& u16(unsigned v) { return u8(v >> 8).u8(v); }
  Bytes& i16(int v) { return u16(unsigned(v) & 0xFFFF); }
  Bytes& u32(uint32_t v) { return u16(v >> 16).u16(v & 0xFFFF); }
  Bytes& text(const std::string& s) {
    data += s;
    return *this;
  }
};

uint32_t Checksum(const std::string& d) {
  uint32_t sum = 0;
  for (size_t i = 0; i < d.size(); i += 4) {
    uint32_t word = 0;
    for (size_t k = 0; k < 4; ++k) word = (word << 8) | (i + k < d.size() ? uint8_t(d[i + k]) : 0u);
    sum += word;
  }
  return sum;
}

constexpr int kEm = 1000, kAdvance = 600, kLeft = 50, kRight = 550, kTop = 700;
constexpr unsigned kFirstChar = 0x20, kLastChar = 0x7E;

std::string Head() {
  Bytes b;
  b.u32(0x00010000).u32(0x00010000).u32(0 /* checkSumAdjustment, set last */).u32(0x5F0F3CF5);
  b.u16(0x000B).u16(kEm).u32(0).u32(0).u32(0).u32(0);  // flags, units, created, modified
  b.i16(kLeft).i16(0).i16(kRight).i16(kTop);
  b.u16(0).u16(8).i16(2).i16(0 /* short loca */).i16(0);
  return b.data;
}

std::string Hhea() {
  Bytes b;
  b.u32(0x00010000).i16(800).i16(-200).i16(0).u16(kAdvance);
  b.i16(0).i16(0).i16(kRight).i16(1).i16(0).i16(0);  // min bearings, extent, caret
  b.i16(0).i16(0).i16(0).i16(0).i16(0).u16(2);       // reserved, metric format, metrics count
  return b.data;
}

std::string Maxp() {
  Bytes b;
  b.u32(0x00010000).u16(2).u16(4).u16(1).u16(0).u16(0).u16(2);
  for (int i = 0; i < 8; ++i) b.u16(0);
  return b.data;
}

std::string Hmtx() { return Bytes().u16(kAdvance).i16(0).u16(kAdvance).i16(kLeft).data; }

// Glyph 0 is empty; glyph 1 is one clockwise box of four on-curve points.
std::string Glyf() {
  Bytes b;
  b.i16(1).i16(kLeft).i16(0).i16(kRight).i16(kTop).u16(3).u16(0);
  for (int i = 0; i < 4; ++i) b.u8(0x01);
  b.i16(kLeft).i16(0).i16(kRight - kLeft).i16(0);
  b.i16(0).i16(kTop).i16(0).i16(-kTop);
  return b.data;
}

std::string Loca(size_t glyphBytes) { return Bytes().u16(0).u16(0).u16(unsigned(glyphBytes / 2)).data; }

// Format 4, Windows Unicode: every printable ASCII character shows the box.
std::string Cmap() {
  const unsigned count = kLastChar - kFirstChar + 1;
  Bytes sub;
  sub.u16(4).u16(14 + 2 * 2 * 4 + 2 + 2 * count).u16(0);
  sub.u16(4).u16(4).u16(1).u16(0);        // segCountX2, searchRange, entrySelector, rangeShift
  sub.u16(kLastChar).u16(0xFFFF).u16(0);  // end codes, pad
  sub.u16(kFirstChar).u16(0xFFFF);        // start codes
  sub.i16(0).i16(1);                      // deltas
  sub.u16(4).u16(0);                      // range offsets: segment 0 reads the glyph array
  for (unsigned i = 0; i < count; ++i) sub.u16(1);
  return Bytes().u16(0).u16(1).u16(3).u16(1).u32(12).text(sub.data).data;
}

std::string Name(const std::string& family) {
  std::string postscript;
  for (char c : family)
    if (c != ' ') postscript += c;
  const std::pair<unsigned, std::string> names[] = {
      {1, family}, {2, "Regular"}, {3, family + " 1.0"}, {4, family}, {6, postscript}};
  const unsigned count = sizeof(names) / sizeof(names[0]);
  Bytes head, strings;
  head.u16(0).u16(count).u16(6 + 12 * count);
  for (const auto& n : names) {
    head.u16(3).u16(1).u16(0x0409).u16(n.first).u16(unsigned(n.second.size() * 2)).u16(unsigned(strings.data.size()));
    for (char c : n.second) strings.u16(uint8_t(c));
  }
  return head.data + strings.data;
}

std::string Os2() {
  Bytes b;
  b.u16(3).i16(kAdvance).u16(400).u16(5).u16(0);
  for (int v : {650, 600, 0, 75, 650, 600, 0, 350, 50, 300}) b.i16(v);
  b.i16(0).u8(2);
  for (int i = 0; i < 9; ++i) b.u8(0);           // panose: Latin text
  b.u32(1).u32(0).u32(0).u32(0).text("ZBTS");    // Basic Latin; vendor
  b.u16(0x0040).u16(kFirstChar).u16(kLastChar);  // regular
  b.i16(800).i16(-200).i16(0).u16(800).u16(200);
  b.u32(1).u32(0);  // code page Latin 1
  b.i16(500).i16(kTop).u16(0).u16(0x20).u16(1);
  return b.data;
}

std::string Post() {
  Bytes b;
  b.u32(0x00030000).u32(0).i16(-100).i16(50).u32(0);
  for (int i = 0; i < 4; ++i) b.u32(0);
  return b.data;
}

}  // namespace

std::string MakeTrueTypeFont(const std::string& family) {
  const std::string glyf = Glyf();
  // In tag order, as the table directory wants them.
  const std::pair<const char*, std::string> tables[] = {{"OS/2", Os2()},
                                                        {"cmap", Cmap()},
                                                        {"glyf", glyf},
                                                        {"head", Head()},
                                                        {"hhea", Hhea()},
                                                        {"hmtx", Hmtx()},
                                                        {"loca", Loca(glyf.size())},
                                                        {"maxp", Maxp()},
                                                        {"name", Name(family)},
                                                        {"post", Post()}};
  const unsigned count = sizeof(tables) / sizeof(tables[0]);
  Bytes dir;
  dir.u32(0x00010000).u16(count).u16(8 * 16).u16(3).u16(count * 16 - 8 * 16);
  std::string body;
  size_t headOffset = 0;
  uint32_t offset = 12 + 16 * count;
  for (const auto& t : tables) {
    dir.text(t.first).u32(Checksum(t.second)).u32(offset).u32(uint32_t(t.second.size()));
    if (std::string(t.first) == "head") headOffset = offset;
    std::string padded = t.second;
    padded.resize((padded.size() + 3) / 4 * 4, '\0');
    body += padded;
    offset += uint32_t(padded.size());
  }
  std::string font = dir.data + body;
  const uint32_t adjust = 0xB1B0AFBAu - Checksum(font);
  Bytes a;
  a.u32(adjust);
  font.replace(headOffset + 8, 4, a.data);
  return font;
}

}  // namespace tests
