#pragma once

// What the module engine's tests share: the library bound from the build, a temporary folder
// with modules written there, and the playback defaults (null output).
#include "engines/mod/CNPModDll.h"
#include "support/ModuleFiles.h"
#include "support/PlaybackEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavi::test {

class ModTestEnvironment : public testing::Test {
protected:
    explicit ModTestEnvironment(bool bindLibrary = true) {
        PrepareForPlayback();
        if (bindLibrary) {
            EXPECT_TRUE(engines::CNPModDll::Instance().BindFile(QStringLiteral(TAVI_NPMOD32_PATH)));
        }
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

}  // namespace tavi::test
