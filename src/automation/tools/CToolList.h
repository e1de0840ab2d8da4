#pragma once

#include "CTool.h"

#include <vector>

namespace tavi::reg {
class RegKey;
}

namespace tavi::automation::tools {

// The Programs menu's tools in menu order, kept under "Tool Menu": "Count" and one subkey
// "Tool %d" per tool, numbered from 1.
class CToolList {
public:
    static constexpr const char* kKeyName = "Tool Menu";

    std::vector<CTool>& tools() { return m_tools; }
    const std::vector<CTool>& tools() const { return m_tools; }
    bool IsEmpty() const { return m_tools.empty(); }

    void Load(reg::RegKey& parent);
    // The whole key is written anew, so removed tools leave no keys behind.
    bool Save(reg::RegKey& parent) const;
    // The first-start tools: the mixer program, when one is set, and the music folder.
    void AddDefaultTools(const QString& mixerProgram, const QString& musicFolder);

private:
    std::vector<CTool> m_tools;
};

}  // namespace tavi::automation::tools
