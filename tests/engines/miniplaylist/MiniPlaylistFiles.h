#pragma once

#include "support/SoundFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <initializer_list>

namespace tavi::test {

// A folder of what mini playlists are made of: sine tones, scripts, the list files.
class MiniPlaylistFolder {
public:
    QString path(const QString& name) const {
        return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
    }

    // A stereo tone at the output's rate, at half of full scale.
    QString tone(const QString& name, double seconds, double frequency) const {
        const int rate = 44100;
        std::vector<short> samples;
        for (int i = 0; i < int(seconds * rate); ++i) {
            const short value = short(16000 * std::sin(2.0 * M_PI * frequency * i / rate));
            samples.push_back(value);
            samples.push_back(value);
        }
        WriteSoundFile(path(name), samples, rate, 2);
        return path(name);
    }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path(name);
    }

    QByteArray read(const QString& name) const {
        QFile file(path(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    QString script(const QString& name, const QByteArray& body) const {
        write(name, "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(path(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path(name);
    }

    // A list file of the entries, one a line.
    QString list(const QString& name, std::initializer_list<QString> entries) const {
        QByteArray text;
        for (const QString& entry : entries) {
            text += entry.toUtf8() + "\n";
        }
        return write(name, text);
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace tavi::test
