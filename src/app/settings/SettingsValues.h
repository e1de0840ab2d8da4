#pragma once

#include "platform/registry/RegKey.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace tavi::settings {

// A rectangle as Windows keeps it: edges, not a size.
struct WinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const WinRect&) const = default;
};

// The ten fields of a saved window placement.
struct WindowPlacement {
    uint32_t flags = 0;
    uint32_t showCmd = 1;  // shown normally
    int minX = -1;
    int minY = -1;
    int maxX = -1;
    int maxY = -1;
    WinRect normal;
    bool operator==(const WindowPlacement&) const = default;
};

// The typed value rules of the settings: flags are REG_BINARY of exactly four bytes,
// numbers REG_DWORD, text REG_SZ; anything else reads as the default.
bool readFlag(const reg::RegKey& key, const QString& name, bool fallback);
uint32_t readNumber(const reg::RegKey& key, const QString& name, uint32_t fallback);
QString readString(const reg::RegKey& key, const QString& name, const QString& fallback);
// "%d,%d,%d,%d"; a string that does not scan as four integers gives the fallback.
WinRect readRect(const reg::RegKey& key, const QString& name, const WinRect& fallback);
// All ten fields must scan, otherwise nullopt.
std::optional<WindowPlacement> readPlacement(const reg::RegKey& key, const QString& name);

// Write errors are ignored, as for every setting.
void writeFlag(reg::RegKey& key, const QString& name, bool value);
void writeNumber(reg::RegKey& key, const QString& name, uint32_t value);
void writeString(reg::RegKey& key, const QString& name, const QString& value);
void writeRect(reg::RegKey& key, const QString& name, const WinRect& rect);
void writePlacement(reg::RegKey& key, const QString& name, const WindowPlacement& placement);

std::optional<WinRect> scanRect(const QString& text);
QString formatRect(const WinRect& rect);
std::optional<WindowPlacement> scanPlacement(const QString& text);
QString formatPlacement(const WindowPlacement& placement);

}  // namespace tavi::settings
