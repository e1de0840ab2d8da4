#include "TypeLibrary.h"

namespace tavi::automation {

namespace {

QUuid Guid(const char* text) {
    return QUuid::fromString(QLatin1String(text));
}

TypeLibrary BuildTavi() {
    TypeLibrary library;
    library.name = QStringLiteral("Tavi");
    library.libid = Guid("{D243ACB4-518A-11D2-9A46-92D21A014768}");
    library.majorVersion = 3;
    library.minorVersion = 7;
    library.locale = 0x0409;
    library.interfaces = {
        {QStringLiteral("IApplication"), Guid("{D243ACB5-518A-11D2-9A46-92D21A014768}"), {}, {}},
        {QStringLiteral("IApplicationEvents"),
         Guid("{970B0EBB-845C-4C74-8BB4-11DA8C7473E8}"),
         QStringLiteral("Application events"),
         {{QStringLiteral("Startup"), 1}, {QStringLiteral("Shutdown"), 2}}},
        {QStringLiteral("IPlayer"), Guid("{2E855E2F-523C-11D2-9A47-966E04DDBA68}"), {}, {}},
        {QStringLiteral("IPlayerEvents"),
         Guid("{56905A44-213D-49EA-952F-18F34A88A5CA}"),
         QStringLiteral("Player events"),
         {{QStringLiteral("Start"), 1}, {QStringLiteral("Stop"), 2}}},
        {QStringLiteral("IPlaylist"), Guid("{D243ACB9-518A-11D2-9A46-92D21A014768}"), {}, {}},
        {QStringLiteral("IConsole"), Guid("{14BF457B-9E95-42F4-949E-6982CD594CF9}"), {}, {}},
        {QStringLiteral("IConsoleEvents"),
         Guid("{02366A99-F440-4C4D-95CF-074DDA359BE5}"),
         QStringLiteral("Event interface for Console Object"),
         {{QStringLiteral("OnDblClick"), 201}, {QStringLiteral("OnClick"), 202}}},
        {QStringLiteral("IDocumentsCollection"),
         Guid("{347BE3A4-A960-4E10-8143-3B911ACF9D6E}"),
         {},
         {}},
        {QStringLiteral("IMacrosCollection"),
         Guid("{767C5E84-0A89-4C77-A7CD-22F3C9ACFD56}"),
         {},
         {}},
        {QStringLiteral("IMacroDispatch"),
         Guid("{8CA4A29B-D235-40C2-9441-FE58447A7109}"),
         QStringLiteral("Macro dispatch interface"),
         {}},
        {QStringLiteral("ITaviDoc"), Guid("{82A0C558-5C79-4399-B732-9F156F7D2E8E}"), {}, {}},
    };
    library.coclasses = {
        {QStringLiteral("Application"), Guid("{D243ACB6-518A-11D2-9A46-92D21A014768}"),
         QStringLiteral("Application object"), QStringLiteral("IApplication"),
         QStringLiteral("IApplicationEvents")},
        {QStringLiteral("Player"), Guid("{2E855E30-523C-11D2-9A47-966E04DDBA68}"),
         QStringLiteral("Player object"), QStringLiteral("IPlayer"),
         QStringLiteral("IPlayerEvents")},
        {QStringLiteral("Playlist"),
         Guid("{D243ACBA-518A-11D2-9A46-92D21A014768}"),
         {},
         QStringLiteral("IPlaylist"),
         {}},
        {QStringLiteral("Console"),
         Guid("{C5D01615-07E4-4306-AABF-47CA14D44FFC}"),
         {},
         QStringLiteral("IConsole"),
         QStringLiteral("IConsoleEvents")},
        {QStringLiteral("MacroDispatch"),
         Guid("{44075012-5010-4730-9074-5709F95E6C0D}"),
         QStringLiteral("Macro object"),
         QStringLiteral("IMacroDispatch"),
         {}},
        {QStringLiteral("Document"),
         Guid("{487CC906-813A-4337-B8F0-C48A2A5B39BA}"),
         {},
         QStringLiteral("ITaviDoc"),
         {}},
    };
    return library;
}

}  // namespace

const TypeLibrary& TypeLibrary::Tavi() {
    static const TypeLibrary library = BuildTavi();
    return library;
}

const TypeLibrary::Interface* TypeLibrary::FindInterface(const QString& interfaceName) const {
    for (const Interface& candidate : interfaces) {
        if (candidate.name == interfaceName) {
            return &candidate;
        }
    }
    return nullptr;
}

const TypeLibrary::Coclass* TypeLibrary::FindCoclass(const QUuid& clsid) const {
    for (const Coclass& candidate : coclasses) {
        if (candidate.clsid == clsid) {
            return &candidate;
        }
    }
    return nullptr;
}

}  // namespace tavi::automation
