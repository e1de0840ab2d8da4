#include "CMetaDataModule.h"

#include "OpenMptLibrary.h"
#include "npmod32/ModuleFile.h"

#include <QFile>

#include <memory>

namespace tavi::formats {

namespace {

// Texts in module files are 8-bit and mostly ASCII; libopenmpt hands them on as UTF-8.
QString Metadata(const OpenMptLibrary& openmpt, openmpt_module* module, const char* key) {
    const char* text = openmpt.openmpt_module_get_metadata(module, key);
    const QString decoded = QString::fromUtf8(text ? text : "").trimmed();
    if (text) {
        openmpt.openmpt_free_string(text);
    }
    return decoded;
}

// A damaged module is simply not tagged; libopenmpt's complaints would go to stderr.
void Quiet(const char*, void*) {}
int IgnoreError(int, void*) {
    return OPENMPT_ERROR_FUNC_RESULT_NONE;
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
    const OpenMptLibrary* openmpt = LoadOpenMpt();
    if (!openmpt) {
        return false;
    }
    const openmpt_module_initial_ctl controls[] = {
        {"load.skip_samples", "1"}, {"load.skip_plugins", "1"}, {nullptr, nullptr}};
    std::unique_ptr<openmpt_module, decltype(openmpt->openmpt_module_destroy)> file(
        openmpt->openmpt_module_create_from_memory2(module->data(), module->size(), Quiet, nullptr,
                                                    IgnoreError, nullptr, nullptr, nullptr,
                                                    controls),
        openmpt->openmpt_module_destroy);
    if (!file) {
        return false;
    }
    m_title = Metadata(*openmpt, file.get(), "title");
    m_artist = Metadata(*openmpt, file.get(), "artist");
    m_seconds = openmpt->openmpt_module_get_duration_seconds(file.get());
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
