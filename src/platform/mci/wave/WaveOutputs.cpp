#include "WaveOutputs.h"

#include "AlsaWaveOutput.h"
#include "PacedWaveOutput.h"
#include "QueuedWaveOutput.h"
#include "SndFileLibrary.h"
#include "platform/gst/SharedAudioOutput.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

namespace tavi::mci {

namespace {

struct OutputCache {
    std::mutex mutex;
    SharedOutputSource source;
    std::weak_ptr<WaveOutput> current;
    const void* identity = nullptr;  // the shared output or the choice current stands for
    QString choice;
};

OutputCache& cache() {
    static OutputCache instance;
    return instance;
}

std::shared_ptr<gst::SharedAudioOutput> DefaultSharedOutput(QString* error) {
    return gst::SharedAudioOutput::Acquire(
        gst::AudioOutputSpec::FromEnvironment(), QString(), [] { return gst::ElementPtr(); },
        error);
}

// A pacing output is written as its queue has room; the file output, which writes what it is
// pushed at once, at the pace the sound is heard.
std::shared_ptr<WaveOutput> OntoSharedOutput(std::shared_ptr<gst::SharedAudioOutput> shared) {
    if (shared->Paces()) {
        return std::make_shared<QueuedWaveOutput>(std::move(shared));
    }
    auto push = [shared](const float* samples, size_t frames) {
        const size_t bytes = frames * WaveOutput::kChannels * sizeof(float);
        GstBuffer* buffer = gst_buffer_new_allocate(nullptr, bytes, nullptr);
        gst_buffer_fill(buffer, 0, samples, bytes);
        shared->Push(buffer);
        gst_buffer_unref(buffer);
        return true;
    };
    return std::make_shared<PacedWaveOutput>(push, [shared] { shared->Flush(); });
}

// 16-bit PCM, as GStreamer's file output writes it.
std::shared_ptr<WaveOutput> FileOutput(const QString& path, QString* error) {
    SF_INFO format{};
    format.samplerate = WaveOutput::kRate;
    format.channels = WaveOutput::kChannels;
    format.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* opened = LoadSndFile()
                          ? SndFile().sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &format)
                          : nullptr;
    if (!opened) {
        *error =
            QCoreApplication::translate("WaveOutput", "The output file %1 could not be written.")
                .arg(path);
        return nullptr;
    }
    std::shared_ptr<SNDFILE> file(opened, SndFile().sf_close);
    // Scaled by 32768 both ways, so 16-bit sound read as floats is written back unchanged.
    auto write = [file, shorts = std::vector<short>()](const float* samples,
                                                       size_t frames) mutable {
        shorts.resize(frames * WaveOutput::kChannels);
        for (size_t i = 0; i < shorts.size(); ++i) {
            shorts[i] = short(std::lrint(std::clamp(samples[i] * 32768.0f, -32768.0f, 32767.0f)));
        }
        return SndFile().sf_writef_short(file.get(), shorts.data(), sf_count_t(frames)) ==
               sf_count_t(frames);
    };
    return std::make_shared<PacedWaveOutput>(write, nullptr);
}

std::shared_ptr<WaveOutput> OwnOutput(const gst::AudioOutputSpec& spec, QString* error) {
    switch (spec.kind) {
        case gst::AudioOutputSpec::Kind::Null:
            return std::make_shared<PacedWaveOutput>([](const float*, size_t) { return true; },
                                                     nullptr);
        case gst::AudioOutputSpec::Kind::File:
            return FileOutput(spec.path, error);
        case gst::AudioOutputSpec::Kind::Auto:
            break;
    }
    return AlsaWaveOutput::Open(error);
}

}  // namespace

void SetSharedOutputSource(SharedOutputSource source) {
    std::lock_guard lock(cache().mutex);
    cache().source = std::move(source);
}

std::shared_ptr<gst::SharedAudioOutput> AcquireSharedOutput(QString* error) {
    SharedOutputSource source;
    {
        std::lock_guard lock(cache().mutex);
        source = cache().source;
    }
    return source ? source(error) : DefaultSharedOutput(error);
}

std::shared_ptr<WaveOutput> AcquireWaveOutput(QString* error) {
    OutputCache& outputs = cache();
    std::lock_guard lock(outputs.mutex);
    QString unused;
    std::shared_ptr<gst::SharedAudioOutput> shared =
        outputs.source ? outputs.source(&unused) : DefaultSharedOutput(&unused);
    const gst::AudioOutputSpec spec = gst::AudioOutputSpec::FromEnvironment();
    const QString choice = QString::number(int(spec.kind)) + spec.path;
    std::shared_ptr<WaveOutput> current = outputs.current.lock();
    if (current && (shared ? outputs.identity == shared.get()
                           : outputs.identity == nullptr && outputs.choice == choice)) {
        return current;
    }
    current = shared ? OntoSharedOutput(shared) : OwnOutput(spec, error);
    if (current) {
        outputs.current = current;
        outputs.identity = shared.get();
        outputs.choice = choice;
    }
    return current;
}

}  // namespace tavi::mci
