// Builds small ZIP archives in memory for the engine's tests, with knobs for
// the damage each test needs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace engine_test {

// 2026-03-04 05:06:08 as MS-DOS date and time.
inline constexpr uint16_t kDosDate = ((2026 - 1980) << 9) | (3 << 5) | 4;
inline constexpr uint16_t kDosTime = (5 << 11) | (6 << 5) | (8 / 2);

struct ZipEntry {
  std::string name;  // bytes as stored (GBK)
  std::string data;
  uint16_t method = 8;          // 0 stored, 8 deflated, anything else as given
  uint32_t external = 0x20;     // MS-DOS archive bit, made on MS-DOS
  uint16_t madeBy = 20;         // upper byte 0: MS-DOS
  std::string localExtra;
  bool dataDescriptor = false;  // general-purpose bit 3, sizes after the data
  // Damage
  uint32_t crcXor = 0;              // written CRC-32 differs from the data's
  int localMethod = -1;             // local header's method, when it differs
  bool damageData = false;          // flips bytes in the middle of the stored data
};

ZipEntry Folder(const std::string& name);  // name ends in "/"
ZipEntry File(const std::string& name, const std::string& data, uint16_t method = 8);

// The whole archive: local headers with data, central directory, end record.
std::string BuildZip(const std::vector<ZipEntry>& entries);

// An archive whose directory lists no entries but whose first 32 bytes pass
// the signature check (a 32-byte prefix before the end record).
std::string EmptyZip();

// An extra-field block.
std::string ExtraBlock(uint16_t tag, const std::string& data);
// A "UT" block with the given flags and 32-bit times, in flag order.
std::string UnixTimeBlock(uint8_t flags, const std::vector<uint32_t>& times);

std::string Repeat(const std::string& piece, size_t count);

}  // namespace engine_test
