#include "CMixerException.h"

#include <QCoreApplication>
#include <array>
#include <utility>

namespace tavi::mixer {

QString CMMException::GetErrorMessage() const {
    return QCoreApplication::translate("CMixerException", "Multimedia Exception: %1")
        .arg(static_cast<int>(m_code));
}

QString CMixerException::TextForCode(uint32_t code) {
    static const std::array<std::pair<uint32_t, const char*>, 7> kTexts{{
        {MMSYSERR_BADDEVICEID,
         QT_TRANSLATE_NOOP("CMixerException",
                           "The uMxId parameter specifies an invalid device identifier.")},
        {MMSYSERR_ALLOCATED, QT_TRANSLATE_NOOP("CMixerException",
                                               "The specified resource is already allocated by the "
                                               "maximum number of clients possible.")},
        {MMSYSERR_INVALHANDLE,
         QT_TRANSLATE_NOOP("CMixerException", "The uMxId parameter specifies an invalid handle.")},
        {MMSYSERR_NODRIVER,
         QT_TRANSLATE_NOOP("CMixerException",
                           "No mixer device is available for the object specified by uMxId.")},
        {MMSYSERR_NOMEM, QT_TRANSLATE_NOOP("CMixerException", "Unable to allocate resources.")},
        {MMSYSERR_INVALFLAG,
         QT_TRANSLATE_NOOP("CMixerException", "One or more flags are invalid.")},
        {MMSYSERR_INVALPARAM,
         QT_TRANSLATE_NOOP("CMixerException", "One or more parameters are invalid.")},
    }};
    for (const auto& [known, text] : kTexts) {
        if (known == code) {
            return QCoreApplication::translate("CMixerException", text);
        }
    }
    return QCoreApplication::translate("CMixerException", "Unknown Error Code");
}

QString CMixerException::GetErrorMessage() const {
    return QCoreApplication::translate("CMixerException", "Mixer Error: %1")
        .arg(TextForCode(GetCode()));
}

}  // namespace tavi::mixer
