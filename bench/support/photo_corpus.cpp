#include "support/photo_corpus.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <iterator>

#include "support/jpeg_writer.h"

namespace {

// Sizes cameras and phones write, 2 to 20 million pixels.
const QSize kSizes[] = {{1920, 1200}, {2592, 1944}, {3264, 2448}, {4000, 3000}, {4608, 3456},
                        {5472, 3648}, {5640, 3172}, {3000, 2000}, {4032, 3024}, {2048, 1536}};
// Those of the large progressive files, 14 to 36 million pixels.
const QSize kLargeSizes[] = {{4592, 3056}, {5120, 2880}, {6000, 4000}, {6720, 4480}, {7360, 4912}, {8000, 2000}};

}  // namespace

CorpusPhoto CorpusPhotoAt(int i) {
  CorpusPhoto p;
  p.progressive = i % 3 == 1;
  p.fullColour = p.progressive && (i / 3) % 2 == 1;
  p.size = p.progressive ? kLargeSizes[(i / 3) % std::size(kLargeSizes)] : kSizes[(i * 7) % std::size(kSizes)];
  if (i % 5 == 2) p.size.transpose();
  p.quality = 85 + (i * 3) % 11;
  return p;
}

std::string CorpusJpeg(int i) {
  const CorpusPhoto photo = CorpusPhotoAt(i);
  return GrainyJpeg(photo.size, i, 6 + (i * 5) % 20, photo.quality, photo.progressive, photo.fullColour);
}

std::string GrainyJpeg(QSize size, int seed, int amplitude, int quality, bool progressive, bool fullColour) {
  const int w = size.width(), h = size.height();
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  p.fillRect(img.rect(), QColor::fromHsv((seed * 29) % 360, 120, 140));
  p.setPen(Qt::NoPen);
  for (int k = 0; k < 120; ++k) {
    p.setBrush(QColor::fromHsv((seed * 7 + k * 37) % 360, 60 + (k * 13) % 180, 60 + (k * 29) % 190));
    p.drawEllipse((k * 523 + seed * 97) % w, (k * 331 + seed * 61) % h, 40 + (k * 17) % (w / 4),
                  40 + (k * 29) % (h / 4));
  }
  p.end();
  // Grain over everything, as sensor noise and fine texture.
  unsigned state = 2166136261u ^ unsigned(seed);
  for (int y = 0; y < h; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      state = state * 1664525u + 1013904223u;
      const int n = int((state >> 24) % unsigned(2 * amplitude + 1)) - amplitude;
      const int c = int((state >> 8) & 7) - 3;
      const QRgb v = line[x];
      line[x] = qRgb(std::clamp(qRed(v) + n + c, 0, 255), std::clamp(qGreen(v) + n, 0, 255),
                     std::clamp(qBlue(v) + n - c, 0, 255));
    }
  }
  return LibjpegBytes(img, {.quality = quality, .progressive = progressive, .fullColour = fullColour});
}
