#pragma once

#include <cmath>
#include <vector>

namespace tavi::test {

// Which sine tones a stereo 16-bit recording holds when, by the Goertzel power of each
// tone in 10-ms windows of the left channel, relative to a full-scale sine.
class ToneTrace {
public:
    ToneTrace(std::vector<short> samples, int rate) : m_samples(std::move(samples)), m_rate(rate) {}

    double Seconds() const { return double(m_samples.size()) / 2 / m_rate; }

    // Where the tone is first heard, in seconds; -1 when never.
    double Onset(double frequency) const {
        for (double t = 0.0; t + kWindow <= Seconds(); t += kWindow) {
            if (Power(frequency, t) > kHeard) {
                return t;
            }
        }
        return -1.0;
    }

    // True when the tone is heard in every window from `from` to `to` seconds.
    bool Sounds(double frequency, double from, double to) const {
        for (double t = from; t + kWindow <= to; t += kWindow) {
            if (Power(frequency, t) <= kHeard) {
                return false;
            }
        }
        return true;
    }

private:
    static constexpr double kWindow = 0.01;
    static constexpr double kHeard = 0.01;  // a tenth of full scale, in amplitude

    double Power(double frequency, double at) const {
        const size_t first = size_t(at * m_rate);
        const size_t count = size_t(kWindow * m_rate);
        const double coefficient = 2.0 * std::cos(2.0 * M_PI * frequency / m_rate);
        double previous = 0.0;
        double older = 0.0;
        for (size_t i = first; i < first + count && 2 * i < m_samples.size(); ++i) {
            const double current = m_samples[2 * i] / 32768.0 + coefficient * previous - older;
            older = previous;
            previous = current;
        }
        const double power = previous * previous + older * older - coefficient * previous * older;
        return power / (double(count) * count / 4.0);  // 1 for a full-scale sine
    }

    std::vector<short> m_samples;
    int m_rate;
};

}  // namespace tavi::test
