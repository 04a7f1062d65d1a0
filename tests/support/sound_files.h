#pragma once
// Sound files the tests write: WAV tones and standard MIDI files.
#include <QtEndian>
#include <cmath>
#include <cstdint>
#include <string>

// A delta time or a length as a MIDI file writes it: 7 bits a byte, the high bit
// set on all but the last.
inline std::string MidiVarLen(std::uint32_t v) {
  std::string out(1, char(v & 0x7F));
  for (v >>= 7; v > 0; v >>= 7) out.insert(out.begin(), char(0x80 | (v & 0x7F)));
  return out;
}

// A standard MIDI file of one track (480 ticks a beat, 120 beats a minute) holding
// the events as given, each after its delta time; the end of the track is added.
inline std::string MidiFileBytes(const std::string& events) {
  const std::string track = events + std::string("\x00\xFF\x2F\x00", 4);
  std::string len(4, '\0');
  qToBigEndian<quint32>(quint32(track.size()), len.data());
  return std::string("MThd\0\0\0\x06\0\0\0\x01\x01\xE0", 14) + "MTrk" + len + track;
}

// One piano note, middle C at velocity 100, held for the given ticks; no note at
// all for 0.
inline std::string MidiSong(int ticks) {
  if (ticks <= 0) return MidiFileBytes("");
  return MidiFileBytes(std::string("\x00\xC0\x00", 3) + std::string("\x00\x90\x3C\x64", 4) + MidiVarLen(ticks) +
                       std::string("\x80\x3C\x40", 3));
}

// A 16-bit mono PCM WAV file holding a 440 Hz tone of the given peak (silence for 0).
inline std::string WavTone(double seconds, int peak = 12000) {
  const int rate = 22050, n = int(rate * seconds);
  std::string data;
  for (int k = 0; k < n; ++k) {
    const qint16 v = qint16(peak * std::sin(2 * M_PI * 440 * k / rate));
    data.append(reinterpret_cast<const char*>(&v), 2);
  }
  auto le32 = [](quint32 v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto le16 = [](quint16 v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
  return "RIFF" + le32(quint32(36 + data.size())) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(rate) +
         le32(rate * 2) + le16(2) + le16(16) + "data" + le32(quint32(data.size())) + data;
}
