#pragma once

#include "engines/player/CPlayer.h"
#include "support/ListHost.h"
#include "support/QtApp.h"
#include "support/SoundFiles.h"

#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace tavi::test {

// The player over a list with the file output: what it wrote, frame for frame, once the
// run is over and every track is closed (the file output is finished then).
class FileOutputRun {
public:
    static constexpr int kRate = 44100;

    explicit FileOutputRun(QStringList entries, int selection = 0)
        : m_recording(m_dir.filePath(QStringLiteral("out.wav"))) {
        qputenv("TAVI_AUDIO_OUTPUT", (QStringLiteral("file:") + m_recording).toLocal8Bit());
        host = std::make_unique<ListHost>(std::move(entries), selection);
        player = std::make_unique<engines::CPlayer>(*host);
    }
    ~FileOutputRun() { Finish(); }

    // Waits until the player stops (or the time is up), closes everything and reads the
    // recording; empty when the run did not end.
    std::vector<short> PlayToEnd(int timeoutMs, const std::function<void()>& during = {}) {
        player->PlayCommand();
        if (during) {
            during();
        }
        const bool ended = processEventsUntil([&] { return !player->IsPlaying(); }, timeoutMs);
        Finish();
        return ended ? ReadSamples(m_recording) : std::vector<short>();
    }
    void Finish() {
        if (!player) {
            return;
        }
        host->CloseCurrentTrack();
        crossfades = player->CrossfadesStarted();
        player.reset();  // drops the track opened ahead and any track fading out
        processEventsFor(50);
        qputenv("TAVI_AUDIO_OUTPUT", "null");
    }

    std::unique_ptr<ListHost> host;
    std::unique_ptr<engines::CPlayer> player;  // gone once the run is finished
    int crossfades = 0;                        // how many the run started

private:
    QTemporaryDir m_dir;
    QString m_recording;
};

// The RMS level of frames [from, to) of interleaved stereo samples, in dB of full scale.
inline double RmsDb(const std::vector<short>& samples, size_t from, size_t to) {
    double sum = 0.0;
    size_t count = 0;
    for (size_t i = from * 2; i < to * 2 && i < samples.size(); ++i) {
        sum += double(samples[i]) * samples[i];
        ++count;
    }
    return count == 0 || sum == 0.0 ? -200.0 : 10.0 * std::log10(sum / count / (32768.0 * 32768.0));
}

}  // namespace tavi::test
