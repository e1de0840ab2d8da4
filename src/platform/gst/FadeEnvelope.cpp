#include "FadeEnvelope.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavi::gst {

namespace {

// How far through a fade the time is, 0..1.
double Progress(double seconds, double from, double length) {
    return std::clamp((seconds - from) / length, 0.0, 1.0);
}

}  // namespace

void FadeEnvelope::SetFadeIn(double fromSeconds, double lengthSeconds) {
    m_inFrom = fromSeconds;
    m_inLength = std::max(0.0, lengthSeconds);
}

void FadeEnvelope::SetFadeOut(double fromSeconds, double lengthSeconds) {
    m_outFrom = fromSeconds;
    m_outLength = std::max(0.0, lengthSeconds);
}

float FadeEnvelope::At(double seconds) const {
    constexpr double kQuarter = std::numbers::pi / 2.0;
    double level = 1.0;
    if (m_inLength > 0.0) {
        level *= std::sin(kQuarter * Progress(seconds, m_inFrom, m_inLength));
    }
    if (m_outLength > 0.0) {
        level *= std::cos(kQuarter * Progress(seconds, m_outFrom, m_outLength));
    }
    return float(std::max(0.0, level));
}

bool FadeEnvelope::IsOverAt(double seconds) const {
    return m_outLength > 0.0 && seconds >= m_outFrom + m_outLength;
}

}  // namespace tavi::gst
