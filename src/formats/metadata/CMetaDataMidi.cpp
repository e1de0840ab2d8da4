#include "CMetaDataMidi.h"

#include "platform/mci/midi/MidiFileScan.h"
#include "platform/mci/midi/RmiUnwrap.h"
#include "platform/mci/midi/SequencerDevice.h"

#include <QFile>
#include <QStringDecoder>

namespace tavi::formats {

namespace {

QString DecodeName(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return (utf8.hasError() ? QString::fromLatin1(bytes) : text).trimmed();
}

}  // namespace

bool CMetaDataMidi::Open(const QString& path) {
    QFile file(path);
    if (file.size() > mci::SequencerDevice::kMaxFileBytes || !file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QByteArray midi;
    uint32_t error = 0;
    if (!mci::UnwrapRmi(file.readAll(), &midi)) {
        return false;
    }
    const std::optional<mci::MidiFileSummary> summary = mci::MidiFileScan::Scan(midi, &error);
    if (!summary) {
        return false;
    }
    m_title = DecodeName(summary->trackName);
    return true;
}

}  // namespace tavi::formats
