#include "platform/sound_limiter.h"

#include <algorithm>
#include <cmath>

namespace qm::sound {

PeakLimiter::PeakLimiter(float ceiling, int sampleRate, double releaseSeconds)
    : ceiling_(ceiling), decay_(float(std::exp(-1.0 / (releaseSeconds * sampleRate)))) {}

void PeakLimiter::Process(float* left, float* right, int step, int frames) {
  for (int k = 0; k < frames; ++k) {
    float& l = left[k * step];
    float& r = right[k * step];
    // The envelope is never below the peak in hand, so the gain always holds it.
    envelope_ = std::max({std::fabs(l), std::fabs(r), envelope_ * decay_});
    if (envelope_ <= ceiling_) continue;
    const float gain = ceiling_ / envelope_;
    l *= gain;
    r *= gain;
  }
}

}  // namespace qm::sound
