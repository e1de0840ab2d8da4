#pragma once

#include <QUuid>

// The class, interface and event identifiers the objects are constructed with.
namespace tavi::automation::guids {

inline QUuid Of(const char* text) {
    return QUuid::fromString(QLatin1String(text));
}
inline const QUuid kApplication = Of("{D243ACB6-518A-11D2-9A46-92D21A014768}");
inline const QUuid kIApplication = Of("{D243ACB5-518A-11D2-9A46-92D21A014768}");
inline const QUuid kApplicationEvents = Of("{970B0EBB-845C-4C74-8BB4-11DA8C7473E8}");
// The Player passes its class identifier as its dispatch interface too.
inline const QUuid kPlayer = Of("{2E855E30-523C-11D2-9A47-966E04DDBA68}");
inline const QUuid kPlayerEvents = Of("{56905A44-213D-49EA-952F-18F34A88A5CA}");
inline const QUuid kConsole = Of("{C5D01615-07E4-4306-AABF-47CA14D44FFC}");
inline const QUuid kIConsole = Of("{14BF457B-9E95-42F4-949E-6982CD594CF9}");
inline const QUuid kConsoleEvents = Of("{02366A99-F440-4C4D-95CF-074DDA359BE5}");

}  // namespace tavi::automation::guids
