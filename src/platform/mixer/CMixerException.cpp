#include "CMixerException.h"

#include <array>
#include <utility>

namespace tavi::mixer {

QString CMMException::GetErrorMessage() const {
    return QStringLiteral("Multimedia Exception: %1").arg(static_cast<int>(m_code));
}

QString CMixerException::TextForCode(uint32_t code) {
    static const std::array<std::pair<uint32_t, const char*>, 7> kTexts{{
        {MMSYSERR_BADDEVICEID, "The uMxId parameter specifies an invalid device identifier."},
        {MMSYSERR_ALLOCATED,
         "The specified resource is already allocated by the maximum number of clients possible."},
        {MMSYSERR_INVALHANDLE, "The uMxId parameter specifies an invalid handle."},
        {MMSYSERR_NODRIVER, "No mixer device is available for the object specified by uMxId."},
        {MMSYSERR_NOMEM, "Unable to allocate resources."},
        {MMSYSERR_INVALFLAG, "One or more flags are invalid."},
        {MMSYSERR_INVALPARAM, "One or more parameters are invalid."},
    }};
    for (const auto& [known, text] : kTexts) {
        if (known == code) {
            return QString::fromLatin1(text);
        }
    }
    return QStringLiteral("Unknown Error Code");
}

QString CMixerException::GetErrorMessage() const {
    return QStringLiteral("Mixer Error: %1").arg(TextForCode(GetCode()));
}

}  // namespace tavi::mixer
