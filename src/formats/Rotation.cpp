#include "Rotation.h"

#include "IniListKeys.h"
#include "platform/errors/CException.h"
#include "platform/inifile/IniFile.h"

#include <QStringList>

#include <ctime>
#include <random>

namespace tavi::formats {

using ini::IniFile;

namespace {

// Draws r from 0 to 32767 and takes r modulo m for m = N … 1, as the file's users expect.
// Seeded from the time in seconds modulo 32767 like the original rotation files were.
void Shuffle(IniFile& file, int count, const std::function<int()>& draw) {
    QStringList values;
    for (int i = 1; i <= count; ++i) {
        values.append(file.ReadString(IniListKeys::File(i)));
    }
    for (int m = count; m >= 1; --m) {
        const int j = draw() % m;
        file.WriteString(IniListKeys::File(m), values.takeAt(j));
    }
}

}  // namespace

QString RotationNext(const QString& path, const std::function<int()>& draw) {
    IniFile file(path);
    file.SelectSection(IniListKeys::Section());
    const int count = file.ReadInt(IniListKeys::Count(), 0);
    int next = file.ReadInt(IniListKeys::NextIndex(), 1);
    const QString result = file.ReadString(IniListKeys::File(next));
    if (++next > count) {
        next = 1;
        if (file.ReadInt(IniListKeys::Shuffle(), 0) != 0) {
            // A count above the highest key present would only shuffle empty values in.
            const QList<int> present = IniListKeys::FileNumbers(file.KeyNames(), count);
            Shuffle(file, present.isEmpty() ? 0 : present.last(), draw);
        }
    }
    file.WriteInt(IniListKeys::NextIndex(), next);
    try {
        file.Flush();
    } catch (const errors::CException&) {
        // Deliberately quiet: the rotation is state, and failing to advance it must not stop
        // playback of the entry it names.
    }
    return result;
}

QString RotationNext(const QString& path) {
    std::minstd_rand generator(static_cast<unsigned>(std::time(nullptr) % 32767));
    std::uniform_int_distribution<int> range(0, 32767);
    return RotationNext(path, [&] { return range(generator); });
}

}  // namespace tavi::formats
