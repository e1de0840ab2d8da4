#pragma once

namespace tavi::gst {

// The level of a track over its own time (stream seconds) while it crossfades: rising from
// silence as it comes in, falling to silence as it goes out, on equal-power curves (in:
// sin(π/2·t), out: cos(π/2·t), t running 0..1 over the fade), so that two tracks crossing
// keep the loudness of one. Flat 1 when no fade is set.
class FadeEnvelope {
public:
    void SetFadeIn(double fromSeconds, double lengthSeconds);
    void SetFadeOut(double fromSeconds, double lengthSeconds);
    void Clear() { *this = FadeEnvelope(); }
    bool IsFlat() const { return m_inLength <= 0.0 && m_outLength <= 0.0; }
    // The level at the given stream time.
    float At(double seconds) const;
    // Whether the track is silent from here on (its fade out is over).
    bool IsOverAt(double seconds) const;

private:
    double m_inFrom = 0.0;
    double m_inLength = 0.0;
    double m_outFrom = 0.0;
    double m_outLength = 0.0;
};

}  // namespace tavi::gst
