#pragma once
// Keeps stereo sound under a ceiling without clipping it: the gain drops at once
// to hold a peak at the ceiling and comes back over a release time, so a loud
// passage is turned down instead of cut off. Sound under the ceiling passes as it is.
namespace qm::sound {

class PeakLimiter {
public:
  PeakLimiter(float ceiling, int sampleRate, double releaseSeconds = 0.25);
  // frames samples of each channel, step apart (1 for separate channels, 2 for
  // interleaved ones); both channels get the same gain, so the stereo image holds.
  void Process(float* left, float* right, int step, int frames);

private:
  float ceiling_;
  float decay_;          // of the envelope per sample
  float envelope_ = 0;   // the loudest recent peak, falling away after it
};

}  // namespace qm::sound
