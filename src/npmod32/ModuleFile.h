#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace npmod {

// Larger files, and archives that unpack to more, are no module music; refusing them keeps
// the memory a hostile file can claim bounded.
constexpr size_t kMaxModuleBytes = 64 * 1024 * 1024;

// The module a file holds: the file itself, or, for a zip archive (".MDZ", ".ITZ" and any
// file that starts like one), its first file unpacked in memory. Only regular files are
// read, so a FIFO cannot block. Nothing when the file cannot be read, is too large, or is a
// damaged or too large archive.
std::optional<std::vector<uint8_t>> ReadModuleFile(const std::string& path);
// The same for bytes already read.
std::optional<std::vector<uint8_t>> UnpackModule(std::vector<uint8_t> file);

}  // namespace npmod
