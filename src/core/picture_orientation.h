#pragma once
// How a picture's stored pixels are turned to stand upright, as cameras and phones
// note it (the EXIF orientation): 1 as stored, 3 half a turn, 6 and 8 a quarter
// turn, 2, 4, 5 and 7 mirrored as well. Every reader decodes the stored pixels,
// asks for any reduction in the stored orientation, and then turns the result with
// Upright(); every size shown, compared or written is the upright one.
#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>
#include <QSize>

namespace pictures {

// A quarter turn (5 to 8) swaps the sides.
inline bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }
// The size shown of stored pixels of a size (and, the swap being its own undoing,
// the stored size of an upright one).
inline QSize UprightSize(QSize stored, int orientation) {
  return SwapsSides(orientation) ? stored.transposed() : stored;
}

// The orientation an APP1 segment's content gives: 0 when it is no EXIF block (an
// XMP packet, say), 1 when the block names none or makes no sense. Only the first
// directory is read, within the segment, so no offset can lead outside it or loop.
int ExifOrientation(const QByteArray& app1);
// The orientation a Qt reader reports for the formats it reads the tag of itself.
int OrientationOf(QImageIOHandler::Transformations t);

// The stored picture turned upright; a mirrored one is shown unmirrored.
QImage Upright(QImage stored, int orientation);

}  // namespace pictures
