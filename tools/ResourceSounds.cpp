// The game's sounds: a few decaying sine tones mixed by hand and written as WAV files.
#include "ResourceSounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace tarsio {
namespace {

constexpr int Rate = 22050;  // samples a second: plenty for soft, low sounds, and half the bytes

// One sine tone that starts `start` seconds in, rises over 3 ms and dies away with the time constant
// `decay` (seconds), at peak amplitude `level`.
struct Tone {
  double frequency;
  double start;
  double decay;
  double level;
};

std::vector<double> mix(const std::vector<Tone>& tones, double seconds) {
  std::vector<double> samples(static_cast<std::size_t>(seconds * Rate));
  for (const Tone& tone : tones) {
    for (std::size_t k = static_cast<std::size_t>(tone.start * Rate); k < samples.size(); ++k) {
      const double t = double(k) / Rate - tone.start;
      const double envelope = std::min(1.0, t / 0.003) * std::exp(-t / tone.decay);
      samples[k] += tone.level * envelope * std::sin(2 * std::numbers::pi * tone.frequency * t);
    }
  }
  // The last 10 ms fade to silence, so that the end makes no click of its own.
  const std::size_t fade = Rate / 100;
  for (std::size_t k = 0; k < fade && k < samples.size(); ++k) samples[samples.size() - 1 - k] *= double(k) / fade;
  return samples;
}

void appendLittleEndian(QByteArray& bytes, quint32 value, int size) {
  for (int k = 0; k < size; ++k) bytes.append(char((value >> (8 * k)) & 0xFF));
}

// A RIFF WAVE file of 16-bit mono PCM samples, each sample in [-1, 1].
QByteArray wav(const std::vector<double>& samples) {
  const quint32 dataBytes = quint32(samples.size() * 2);
  QByteArray bytes("RIFF");
  appendLittleEndian(bytes, 36 + dataBytes, 4);
  bytes.append("WAVEfmt ");
  appendLittleEndian(bytes, 16, 4);    // size of the format chunk
  appendLittleEndian(bytes, 1, 2);     // PCM
  appendLittleEndian(bytes, 1, 2);     // one channel
  appendLittleEndian(bytes, Rate, 4);
  appendLittleEndian(bytes, Rate * 2, 4);  // bytes a second
  appendLittleEndian(bytes, 2, 2);     // bytes a sample
  appendLittleEndian(bytes, 16, 2);    // bits a sample
  bytes.append("data");
  appendLittleEndian(bytes, dataBytes, 4);
  for (const double sample : samples)
    appendLittleEndian(bytes, quint16(qint16(std::lround(std::clamp(sample, -1.0, 1.0) * 32767))), 2);
  return bytes;
}

}  // namespace

QByteArray dockedSound() {
  return wav(mix({{520, 0, 0.018, 0.35}, {1040, 0, 0.008, 0.12}, {180, 0, 0.025, 0.2}}, 0.12));
}

QByteArray freedSound() {
  return wav(mix({{880, 0, 0.012, 0.28}, {1760, 0, 0.006, 0.08}}, 0.09));
}

// C major: C5, E5, G5 and C6, 45 ms apart.
QByteArray completedSound() {
  std::vector<Tone> tones;
  const double notes[] = {523.25, 659.25, 783.99, 1046.5};
  for (int k = 0; k < 4; ++k) {
    tones.push_back({notes[k], 0.045 * k, 0.28, 0.16});
    tones.push_back({notes[k] * 2, 0.045 * k, 0.1, 0.04});
  }
  return wav(mix(tones, 0.9));
}

}  // namespace tarsio
