#include "SoundBankChoice.h"

#include <QDir>
#include <QFileInfo>

namespace tavi::engines {

namespace {

// The folder's first regular file (by name) whose base name and extension match, case
// aside; an empty base name takes any base name.
QString FirstBank(const QDir& folder, const QString& baseName, const QString& extension) {
    const QFileInfoList files =
        folder.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        if (file.suffix().compare(extension, Qt::CaseInsensitive) == 0 &&
            (baseName.isEmpty() || file.completeBaseName() == baseName)) {
            return file.filePath();
        }
    }
    return {};
}

QString NamedLike(const QFileInfo& midi) {
    for (const char* extension : {"sf2", "sbk"}) {
        const QString bank =
            FirstBank(midi.dir(), midi.completeBaseName(), QLatin1String(extension));
        if (!bank.isEmpty()) {
            return bank;
        }
    }
    return {};
}

}  // namespace

QString ChooseSoundBank(const QString& midiFile, uint32_t option,
                        const std::function<QString()>& ask) {
    const QFileInfo midi(midiFile);
    switch (option) {
        case 1: {
            QString bank = NamedLike(midi);
            for (const char* extension : {"sf2", "sbk"}) {
                if (bank.isEmpty()) {
                    bank = FirstBank(midi.dir(), QString(), QLatin1String(extension));
                }
            }
            return bank;
        }
        case 2:
            return NamedLike(midi);
        case 3:
            return ask ? ask() : QString();
        default:
            return {};
    }
}

}  // namespace tavi::engines
