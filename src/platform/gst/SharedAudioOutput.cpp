#include "SharedAudioOutput.h"

#include "SharedAudioOutputTimings.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace tavi::gst {

using namespace output;

namespace {

struct Registry {
    QString key;
    std::weak_ptr<SharedAudioOutput> current;
    std::shared_ptr<SharedAudioOutput> kept;  // device and null outputs stay when idle
};

std::mutex& tapMutex() {
    static std::mutex mutex;
    return mutex;
}

SharedAudioOutput::Tap& tap() {
    static SharedAudioOutput::Tap instance;
    return instance;
}

Registry& registry() {
    // The tap outlives the outputs kept here, whose streaming threads call it until they end.
    tapMutex();
    tap();
    static Registry instance;
    return instance;
}

QString KeyFor(const AudioOutputSpec& spec, const QString& deviceKey) {
    return QString::number(int(spec.kind)) + QLatin1Char('\n') + spec.path + QLatin1Char('\n') +
           deviceKey;
}

int16_t ToS16(float sample) {
    const float scaled = std::clamp(sample, -1.0f, 1.0f) * 32767.0f;
    return int16_t(scaled + (scaled >= 0 ? 0.5f : -0.5f));
}

// Appends a buffer's samples to `to` as 16-bit.
void AppendSamples(const GstMapInfo& map, SharedAudioOutput::SampleFormat format,
                   std::vector<int16_t>& to) {
    if (format == SharedAudioOutput::SampleFormat::S16) {
        const auto* samples = reinterpret_cast<const int16_t*>(map.data);
        to.insert(to.end(), samples, samples + map.size / sizeof(int16_t));
        return;
    }
    const auto* samples = reinterpret_cast<const float*>(map.data);
    const size_t count = map.size / sizeof(float);
    const size_t first = to.size();
    to.resize(first + count);
    for (size_t i = 0; i < count; ++i) {
        to[first + i] = ToS16(samples[i]);
    }
}

}  // namespace

const char* SharedAudioOutput::FeedCaps() {
    return "audio/x-raw,format=F32LE,layout=interleaved,rate=44100,channels=2";
}

const char* SharedAudioOutput::S16Caps() {
    return "audio/x-raw,format=S16LE,layout=interleaved,rate=44100,channels=2";
}

void SharedAudioOutput::SetTap(Tap newTap) {
    std::lock_guard lock(tapMutex());
    tap() = std::move(newTap);
}

std::shared_ptr<SharedAudioOutput> SharedAudioOutput::Acquire(
    const AudioOutputSpec& spec, const QString& deviceKey,
    const std::function<ElementPtr()>& makeDevice, QString* error) {
    if (!EnsureInitialized()) {
        *error = QStringLiteral("GStreamer could not be initialised.");
        return nullptr;
    }
    Registry& outputs = registry();
    const QString key = KeyFor(spec, deviceKey);
    if (auto current = outputs.current.lock(); current && outputs.key == key) {
        if (current->IsHealthy()) {
            return current;
        }
    }
    std::shared_ptr<SharedAudioOutput> output(new SharedAudioOutput);
    ElementPtr device = spec.kind == AudioOutputSpec::Kind::Auto ? makeDevice() : nullptr;
    if (!output->Start(spec, std::move(device), error)) {
        return nullptr;
    }
    outputs.key = key;
    outputs.current = output;
    outputs.kept = spec.kind == AudioOutputSpec::Kind::File ? nullptr : output;
    return output;
}

SharedAudioOutput::SharedAudioOutput()
    : m_profile(&kCheapProfile), m_periodFrames(kCheapProfile.periodFrames) {}

SharedAudioOutput::~SharedAudioOutput() {
    Finish();
}

namespace {
std::atomic<float> sequentialGain{1.0f};
}  // namespace

void SharedAudioOutput::SetSequentialGain(float gain) {
    sequentialGain = gain;
}

float SharedAudioOutput::SequentialGain() {
    return sequentialGain;
}

void SharedAudioOutput::StartLaneAt(Lane lane, guint64 frame) {
    std::lock_guard lock(m_mutex);
    m_mix.StartLaneAt(lane, frame);
}

guint64 SharedAudioOutput::Push(GstBuffer* buffer, SampleFormat format, Lane lane, GainRamp gain) {
    return Place(buffer, format, lane, gain, false);
}

guint64 SharedAudioOutput::PushLive(GstBuffer* buffer, SampleFormat format, Lane lane,
                                    GainRamp gain) {
    if (m_paced) {
        std::lock_guard lock(m_mutex);
        if (m_mix.Queued() > kLiveBacklogFrames) {
            return m_mix.End();
        }
    }
    return Place(buffer, format, lane, gain, true);
}

// Mixes the buffer into the lane's place on the time line. The file output then writes what
// every running lane has passed (at once when one plays).
guint64 SharedAudioOutput::Place(GstBuffer* buffer, SampleFormat format, Lane lane, GainRamp gain,
                                 bool live) {
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        return 0;
    }
    thread_local std::vector<int16_t> samples;
    samples.clear();
    AppendSamples(map, format, samples);
    gst_buffer_unmap(buffer, &map);
    if (lane == kSequential) {
        gain = GainRamp::Flat(SequentialGain());
    }
    ApplyGain(samples.data(), samples.size() / kChannels, gain);
    std::unique_lock lock(m_mutex);
    const guint64 cursor = m_mix.Place(lane, samples.data(), samples.size() / kChannels);
    m_lastPush = std::chrono::steady_clock::now();
    if (!m_paced) {
        WriteReachedToFile();
        return cursor;
    }
    if (!live) {
        m_recordedUpTo = m_mix.End();
    }
    if (m_mix.Queued() > kMaxQueuedFrames) {
        m_mix.Skip(m_mix.Queued() - kMaxQueuedFrames);
    }
    WakeFromIdle(lock);
    return cursor;
}

// Runs under m_mutex.
void SharedAudioOutput::WriteReachedToFile() {
    const size_t complete = size_t(m_mix.Reached() - m_mix.Front());
    if (complete == 0) {
        return;
    }
    thread_local std::vector<int16_t> out;
    out.resize(complete * kChannels);
    m_mix.Take(out.data(), complete);
    PushToFile(out.data(), out.size());
}

void SharedAudioOutput::EndLane(Lane lane) {
    std::lock_guard lock(m_mutex);
    m_mix.EndLane(lane);
    if (!m_paced) {
        WriteReachedToFile();
    }
}

void SharedAudioOutput::ForgetLane(Lane lane) {
    std::lock_guard lock(m_mutex);
    m_mix.ForgetLane(lane);
    if (!m_paced) {
        WriteReachedToFile();
    }
}

// Sound to play: an idle output starts again. Releases the lock.
void SharedAudioOutput::WakeFromIdle(std::unique_lock<std::mutex>& lock) {
    m_silentFrames = 0;
    const bool wasIdle = std::exchange(m_idle, false);
    const bool streamWaits = std::exchange(m_wantsSound, false);
    lock.unlock();
    if (wasIdle) {
        ApplyIdleState();
    } else if (streamWaits && m_stream) {
        m_stream->FillSoon();
    }
}

guint64 SharedAudioOutput::FramesTaken() {
    std::lock_guard lock(m_mutex);
    return m_mix.Front();
}

guint64 SharedAudioOutput::FramesHeard() {
    std::lock_guard lock(m_mutex);
    return m_stream ? m_heard.At(std::chrono::steady_clock::now(), m_mix.Front()) : m_mix.Front();
}

void SharedAudioOutput::Hold(bool held) {
    std::unique_lock lock(m_mutex);
    m_holds = std::max(0, m_holds + (held ? 1 : -1));
    if (m_holds == 0) {
        WakeFromIdle(lock);
    }
}

// The test and the clearing under one lock, so that no other lane starts between them.
template <typename Test>
void SharedAudioOutput::FlushIf(const Test& test) {
    {
        std::lock_guard lock(m_mutex);
        if (!test(m_mix)) {
            return;
        }
        m_mix.Clear();
        m_priming = true;
    }
    m_room.notify_all();
    if (m_paced) {
        DropHeard();
    }
}

void SharedAudioOutput::Flush() {
    FlushIf([](const MixQueue&) { return true; });
}

void SharedAudioOutput::FlushUnlessOthersRun(Lane lane) {
    if (m_paced) {
        FlushIf([lane](const MixQueue& mix) { return mix.RunsAlone(lane); });
    }
}

const std::atomic<bool> SharedAudioOutput::kNeverHeld = false;

bool SharedAudioOutput::WaitForRoom(const std::atomic<bool>& cancelled, Lane lane,
                                    const std::atomic<bool>& held) {
    return WaitForRoomBelow(kQueueAheadFrames, cancelled, lane, held);
}

bool SharedAudioOutput::WaitForRoomBelow(size_t mark, const std::atomic<bool>& cancelled, Lane lane,
                                         const std::atomic<bool>& held) {
    if (!m_paced) {
        return !cancelled;
    }
    std::unique_lock lock(m_mutex);
    const RoomWait wait(m_roomWaits, lane, mark);
    m_room.wait_for(lock, kStallTimeout,
                    [&] { return cancelled || held || m_mix.AheadOf(lane) < mark; });
    return !cancelled;
}

void SharedAudioOutput::WaitUntilDueToEnd(const std::atomic<bool>& cancelled, Lane lane,
                                          const std::atomic<bool>& held) {
    if (!m_paced) {
        return;
    }
    std::unique_lock lock(m_mutex);
    const RoomWait wait(m_roomWaits, lane, kQueueAheadFrames);
    const auto due = [&] { return cancelled || m_mix.AheadOf(lane) < kQueueAheadFrames; };
    // Held, the device takes silence and the lane stands: that is no stall.
    while (!m_room.wait_for(lock, kStallTimeout, due) && held) {
    }
}

SharedAudioOutput::RoomWait::RoomWait(std::vector<RoomWait*>& all, Lane lane, size_t mark)
    : waits(all), lane(lane), mark(mark) {
    waits.push_back(this);
}

SharedAudioOutput::RoomWait::~RoomWait() {
    waits.erase(std::find(waits.begin(), waits.end(), this));
}

// Runs under m_mutex, after a take: a waiter is woken only when it has room now. Waking the
// feeds at every period, most of them to wait again, cost as much as their decoding.
bool SharedAudioOutput::RoomForAWaiter() const {
    return std::any_of(m_roomWaits.begin(), m_roomWaits.end(), [this](const RoomWait* wait) {
        return m_mix.AheadOf(wait->lane) < wait->mark;
    });
}

size_t SharedAudioOutput::AheadOf(Lane lane) {
    std::lock_guard lock(m_mutex);
    return m_mix.AheadOf(lane);
}

// The device takes a period at a time, one period after the other: room comes with the take
// that brings the queue under the mark. A take that is late is looked for again shortly.
double SharedAudioOutput::SecondsUntilRoom(Lane lane) {
    if (!m_paced) {
        return 0.0;
    }
    std::lock_guard lock(m_mutex);
    const size_t ahead = m_mix.AheadOf(lane);
    if (ahead < kQueueAheadFrames) {
        return 0.0;
    }
    const size_t periods = (ahead - kQueueAheadFrames) / m_periodFrames + 1;
    const auto due =
        m_lastTake + std::chrono::duration<double>(double(periods * m_periodFrames) / kRate);
    const double wait =
        std::chrono::duration<double>(due - std::chrono::steady_clock::now()).count();
    return std::max(wait, kLateTakeRetrySeconds);
}

void SharedAudioOutput::WakeWaiters() {
    // Taking the lock orders this after a waiter's check of its predicate.
    { std::lock_guard lock(m_mutex); }
    m_room.notify_all();
}

// Copies up to `frames` queued frames to out; after running dry it waits for a new cushion.
size_t SharedAudioOutput::Take(int16_t* out, size_t frames) {
    size_t taken = 0;
    bool room = false;
    {
        std::lock_guard lock(m_mutex);
        NoteCushion();
        taken = TakeQueued(out, frames);
        room = RoomForAWaiter();
    }
    if (room) {
        m_room.notify_all();
    }
    return taken;
}

// Runs under m_mutex: priming ends once a cushion is queued. Sound short of the cushion with
// nothing pushed after it for a while is all there is (a short piece, the end of a track after
// a seek): it is played as it is. Returns whether the queued sound is such a piece.
bool SharedAudioOutput::NoteCushion() {
    const size_t queued = m_mix.Queued();
    const bool complete = queued > 0 && std::chrono::steady_clock::now() - m_lastPush > kPrimeWait;
    if (m_priming && (queued >= kPrimeFrames || m_liveFeeds > 0 || complete)) {
        m_priming = false;
    }
    return complete;
}

// Runs under m_mutex: nothing while priming or held; a take short of `frames` ran dry.
size_t SharedAudioOutput::TakeQueued(int16_t* out, size_t frames) {
    if (m_priming || m_holds > 0) {
        return 0;
    }
    const size_t taken = m_mix.Take(out, frames);
    m_lastTake = std::chrono::steady_clock::now();
    if (taken < frames && m_liveFeeds == 0) {
        m_priming = true;
    }
    return taken;
}

// The device profile the feeds want now (see ApplyWantedState), and whether the output is
// idle. Live feeds want the live profile once the device holds nothing but live sound;
// without them the cheap one comes back only while idle, where the change cannot be heard.
const SharedAudioOutput::DeviceProfile* SharedAudioOutput::WantedProfile(bool* idle) {
    std::lock_guard lock(m_mutex);
    *idle = m_idle;
    const bool live = m_liveFeeds > 0;
    if (live && m_liveOnlyFrames >= kDeviceHoldsFrames) {
        return &kLiveProfile;
    }
    return !live && m_idle ? &kCheapProfile : m_profile;
}

void SharedAudioOutput::TapPeriod(const int16_t* samples, size_t frames) {
    std::lock_guard lock(tapMutex());
    if (tap()) {
        m_tapSamples.resize(frames * kChannels);
        for (size_t i = 0; i < frames * kChannels; ++i) {
            m_tapSamples[i] = float(samples[i]) / 32768.0f;
        }
        tap()(m_tapSamples.data(), frames);
    }
}

// A second of silence in a row pauses the output (a sound server's stream is corked).
void SharedAudioOutput::NoteSilence(size_t frames, size_t period) {
    {
        std::lock_guard lock(m_mutex);
        m_silentFrames = frames == period ? m_silentFrames + frames : 0;
        if (m_idle || m_silentFrames < kIdleFrames) {
            return;
        }
        m_idle = true;
    }
    ApplyIdleState();
}

// The state change goes to a GStreamer worker: it must not run on the output's own
// streaming thread, nor hold up the track that pushes. Each call applies the newest wanted
// state under m_stateMutex, so the last one to run is right whatever their order.
void SharedAudioOutput::ApplyIdleState() {
    if (m_stream) {
        m_stream->Locked([this] { ApplyWantedStreamState(); });
        return;
    }
    gst_element_call_async(
        m_pipeline.get(),
        [](GstElement* pipeline, gpointer self) {
            if (const std::shared_ptr<SharedAudioOutput> output =
                    static_cast<std::weak_ptr<SharedAudioOutput>*>(self)->lock()) {
                output->ApplyWantedState(pipeline);
            }
        },
        new std::weak_ptr<SharedAudioOutput>(weak_from_this()),
        [](gpointer self) { delete static_cast<std::weak_ptr<SharedAudioOutput>*>(self); });
}

// Runs on the streaming thread after each period: once the device can hold nothing but
// live sound, a live feed's restart may go ahead.
void SharedAudioOutput::NoteLiveOnlyPeriod(size_t period) {
    {
        std::lock_guard lock(m_mutex);
        if (m_mix.Front() < m_recordedUpTo) {
            m_liveOnlyFrames = 0;
            return;
        }
        const bool reached = m_liveOnlyFrames < kDeviceHoldsFrames &&
                             m_liveOnlyFrames + period >= kDeviceHoldsFrames;
        m_liveOnlyFrames += period;
        if (!reached || m_liveFeeds == 0) {
            return;
        }
    }
    ApplyIdleState();
}

void SharedAudioOutput::AddLiveFeed() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_paced || m_liveFeeds++ > 0) {
            return;
        }
        // An idle device, or one never given recorded sound, holds none of it.
        if (m_idle || m_recordedUpTo == 0) {
            m_liveOnlyFrames = std::max(m_liveOnlyFrames, kDeviceHoldsFrames);
        }
        m_idle = false;
        m_silentFrames = 0;
    }
    ApplyIdleState();
}

// An output already idle goes back to the cheap device now; else when it falls idle.
void SharedAudioOutput::RemoveLiveFeed() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_paced || m_liveFeeds == 0 || --m_liveFeeds > 0 || !m_idle) {
            return;
        }
    }
    ApplyIdleState();
}

}  // namespace tavi::gst
