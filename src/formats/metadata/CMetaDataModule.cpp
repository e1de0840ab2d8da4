#include "CMetaDataModule.h"

#include "npmod32/ModuleFile.h"

#include <libopenmpt/libopenmpt.hpp>

#include <QFile>

#include <map>
#include <sstream>

namespace tavi::formats {

namespace {

// Texts in module files are 8-bit and mostly ASCII; libopenmpt hands them on as UTF-8.
QString Decoded(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size())).trimmed();
}

}  // namespace

bool CMetaDataModule::IsModuleExtension(const QString& upperExtension) {
    for (const char* known : {".MOD", ".S3M", ".XM", ".669", ".STM", ".NST", ".IT", ".MDZ", ".ITZ",
                              ".MPTM", ".OKT", ".MED"}) {
        if (upperExtension == QLatin1String(known)) {
            return true;
        }
    }
    return false;
}

// Only the header and the order list are needed for the title and length: samples are not
// loaded.
bool CMetaDataModule::Open(const QString& path) {
    std::optional<std::vector<uint8_t>> module =
        npmod::ReadModuleFile(QFile::encodeName(path).toStdString());
    if (!module) {
        return false;
    }
    try {
        std::ostringstream quiet;
        const std::map<std::string, std::string> controls{{"load.skip_samples", "1"},
                                                          {"load.skip_plugins", "1"}};
        openmpt::module file(module->data(), module->size(), quiet, controls);
        m_title = Decoded(file.get_metadata("title"));
        m_artist = Decoded(file.get_metadata("artist"));
        m_seconds = file.get_duration_seconds();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool CMetaDataModule::GetDuration(double& seconds) {
    if (!(m_seconds > 0.0)) {
        return false;
    }
    seconds = m_seconds;
    return true;
}

}  // namespace tavi::formats
