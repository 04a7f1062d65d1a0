// Writes the seed corpora: fuzz_make_seeds <fuzz/corpus>. Text seeds are spelled
// out here; pictures come from Qt's own encoders and libjpeg's, some then cut
// short, given a header that claims a huge size or scans repeated.
#include <QBuffer>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/jpeg_writer.h"
#include "support/wmf_pictures.h"

namespace {

std::string g_root;

void Put(const std::string& target, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(g_root + "/" + target);
  const std::string path = g_root + "/" + target + "/" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::perror(path.c_str());
  if (f) std::fclose(f);
}

std::string CrLf(std::initializer_list<std::string> lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

QImage Quarters(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(QColor(40, 90, 160));
  QPainter(&img).fillRect(0, 0, w / 2, h / 2, QColor(230, 200, 40));
  return img;
}

std::string Encoded(int w, int h, const char* format) {
  const QImage img = Quarters(w, h);
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, format);
  return bytes.toStdString();
}

// Puts a big-endian 16-bit size into a JPEG's frame header.
std::string JpegClaiming(std::string jpeg, int w, int h) {
  const size_t sof = jpeg.find("\xFF\xC0");
  if (sof == std::string::npos) return jpeg;
  jpeg[sof + 5] = char(h >> 8), jpeg[sof + 6] = char(h & 0xFF);
  jpeg[sof + 7] = char(w >> 8), jpeg[sof + 8] = char(w & 0xFF);
  return jpeg;
}

// A picture large enough that the thumbnail decode takes it at 1/8 from its DC
// alone: colour at half size, at full size, or grey.
std::string ProgressiveJpeg(int w, int h, JpegStyle style) {
  style.progressive = true;
  style.quality = 50;
  return LibjpegBytes(Quarters(w, h), style);
}

// The first scan of a progressive JPEG sent again and again: more scans than any
// encoder writes before the DC is complete.
std::string JpegManyScans(const std::string& jpeg, int times) {
  const size_t sos = jpeg.find("\xFF\xDA");
  size_t end = sos + 2;
  while (end + 1 < jpeg.size() && !(jpeg[end] == '\xFF' && jpeg[end + 1] != '\0' && (jpeg[end + 1] & 0xF8) != 0xD0))
    ++end;
  if (sos == std::string::npos || end + 1 >= jpeg.size()) return jpeg;
  return jpeg.substr(0, end) + Repeat(jpeg.substr(sos, end - sos), times) + jpeg.substr(end);
}

// A JPEG with an EXIF segment holding tiff right after its start marker; the
// segment's length says claimed bytes when given, else its true length.
std::string WithExif(const std::string& jpeg, const std::string& tiff, std::size_t claimed = 0) {
  const std::string body = std::string("Exif\0\0", 6) + tiff;
  const std::size_t len = claimed ? claimed : body.size() + 2;
  return jpeg.substr(0, 2) + "\xFF\xE1" + char(len >> 8) + char(len & 0xFF) + body + jpeg.substr(2);
}

// A big-endian TIFF block: its first directory at offset 8 with count entries
// (whatever follows), then the directory's entries and the next directory's offset.
std::string Tiff(int count, const std::string& entries, const std::string& next = std::string(4, '\0')) {
  return std::string("MM\0\x2A\0\0\0\x08", 8) + char(count >> 8) + char(count & 0xFF) + entries + next;
}

// One orientation entry (type SHORT) with the given value.
std::string OrientationEntry(int value) {
  return std::string("\x01\x12\0\x03\0\0\0\x01", 8) + char(value >> 8) + char(value & 0xFF) + std::string(2, '\0');
}

std::string BmpClaiming(std::string bmp, std::int32_t w, std::int32_t h) {
  for (int i = 0; i < 4; ++i) bmp[18 + i] = char(w >> (8 * i)), bmp[22 + i] = char(h >> (8 * i));
  return bmp;
}

const std::string kInfo = CrLf({"PhotoPath=\\Photos\\beach.jpg", "TITLE=Beach", "PHOTOGRAPHER=Ann", "YEAR=2001",
                                "PEOPLE=Ann, Bo", "PLACE=Coast", "EVENT=Trip", "KEYWORDS=sea", "ImageWidth=640",
                                "ImageHeight=480"});
const std::string kNul("A\0B\0\0=\0", 7);

void InfoSeeds() {
  Put("infofile", "valid.info", kInfo);
  Put("infofile", "empty.info", "");
  Put("infofile", "no-line-end.info", "PhotoPath=\\Photos\\a.jpg\r\nTITLE=Beach");
  Put("infofile", "cr-only.info", "PhotoPath=\\Photos\\a.jpg\rTITLE=x\rYEAR=1999\rImageWidth=7\r");
  Put("infofile", "lf-only.info", "photopath=/far/away/clip.MOV\nTitle =blank key\ntitle= two blanks \n");
  Put("infofile", "two-photopath.info", CrLf({"PhotoPath=\\Photos\\one.jpg", "PhotoPath=\\Photos\\two.avi"}));
  Put("infofile", "equals-first.info", CrLf({"=TITLE", "KEYWORDS=a=b", "no equals", "YEAR=1", "YEAR=2", "="}));
  Put("infofile", "huge-numbers.info",
      CrLf({"ImageWidth=99999999999999999999999999999", "ImageHeight=1e400", "ImageWidth=40000",
            "ImageHeight=-2147483648.5", "ImageWidth=2147483647.5"}));
  Put("infofile", "number-forms.info",
      CrLf({"ImageWidth=640abc", "ImageHeight= -641.5", "IMAGEWIDTH=.5", "ImageHeight=+.", "ImageWidth=1d3",
            "ImageHeight=2e", "ImageWidth=", "ImageHeight=\t12E+1x"}));
  Put("infofile", "nul-bytes.info", "TITLE=" + kNul + "\r\n" + kNul + "\r\nYEAR=" + kNul);
  Put("infofile", "long-line.info", "TITLE=" + std::string(8000, 'x') + "\r\nImageWidth=" + std::string(5000, '9'));
  Put("infofile", "eight-bit.info", "TITLE=Caf\xE9 \xC3\xA9\xFF\r\nPEOPLE=\x80\x81\r\n");
}

void GroupSeeds() {
  std::string names17, names33;
  for (int i = 1; i <= 33; ++i) (i <= 17 ? names17 : names33) += "photo" + std::to_string(i) + ".jpg\r\n";
  Put("groupfile", "valid.lst", CrLf({"beach.jpg", "clip.avi", "Dad at 60.JPG"}));
  Put("groupfile", "empty.lst", "");
  Put("groupfile", "no-line-end.lst", "a.jpg\r\nb.jpg");
  Put("groupfile", "cr-only.lst", "a.jpg\rb.jpg\r\rc.jpg\r");
  Put("groupfile", "two-pages.lst", names17);
  Put("groupfile", "three-pages.lst", names17 + names33);
  Put("groupfile", "empty-lines.lst", "\r\n\r\n\n\r");
  Put("groupfile", "nul-bytes.lst", kNul + "\r\n" + kNul);
  Put("groupfile", "long-line.lst", std::string(8000, 'n') + ".jpg\r\n");
  Put("groupfile", "many-lines.lst", Repeat("x.jpg\n", 2000));
}

void LinkSeeds() {
  Put("photolink", "valid.info", kInfo);
  Put("photolink", "lower-case.info", "photopath=\\Photos\\a.jpg\r\n");
  Put("photolink", "empty.info", "");
  Put("photolink", "no-link.info", CrLf({"TITLE=x", "PhotoPat=\\Photos\\a.jpg"}));
  Put("photolink", "two-links.info", CrLf({"PhotoPath=\\Photo_Info\\fuzz.jpg.info", "PhotoPath=\\Photos\\b.jpg"}));
  Put("photolink", "other-separator.info", "PHOTOPATH:/nowhere/a.jpg");
  Put("photolink", "bare-key.info", "PhotoPath\r\nPhotoPath=\r\n");
  Put("photolink", "root-only.info", "PhotoPath=\\\r\n");
  Put("photolink", "full-path.info", "PhotoPath=/no/such/folder/a.jpg\r\n");
  Put("photolink", "cr-only.info", "TITLE=x\rPhotoPath=\\Photos\\\rYEAR=1\r");
  Put("photolink", "nul-bytes.info", "PhotoPath=\\Photos\\" + kNul + "\r\n");
  Put("photolink", "long-name.info", "PhotoPath=\\" + std::string(5000, 'p') + "\r\n");
}

void LogSeeds() {
  const std::string created = "Created 10/02/01 14:05\r\n";
  const std::string entry = "10/02/01  02:05:33PM: An error has occurred in 'GetPhotoLink'. Error = File not found\r\n";
  std::string full = created + Repeat(entry, int((80000 - created.size() - 200) / entry.size()));
  full += std::string(80000 - 2 - full.size(), '.') + "\r\n";
  Put("errorlog", "valid.log", created + entry + entry);
  Put("errorlog", "empty.log", "");
  Put("errorlog", "no-line-end.log", created + "10/02/01  02:05:33PM: half");
  Put("errorlog", "nul-bytes.log", kNul + "\r\n" + kNul);
  Put("errorlog", "exactly-80000.log", full);
  Put("errorlog", "trim-80001.log", full + "x");
  Put("errorlog", "trim-few-lines.log", created + "short\r\n" + std::string(80500, 'L') + "\r\n");
  Put("errorlog", "trim-one-line.log", std::string(81000, 'x'));
  // Lines ended by LF alone or by a lone CR keep their ends through a trim.
  const std::string bare = entry.substr(0, entry.size() - 2);
  Put("errorlog", "trim-lf-lines.log", "Created 10/02/01 14:05\n" + Repeat(bare + "\n", 1000));
  Put("errorlog", "trim-cr-lines.log", "Created 10/02/01 14:05\r" + Repeat(bare + "\r", 1000));
  Put("errorlog", "trim-last-line-open.log",
      "Created 10/02/01 14:05\n" + std::string(10000, 'a') + "\r\n" + std::string(71000, 'b'));
}

void SettingsSeeds() {
  Put("settings", "valid.ini",
      "[Options]\nAutoFix=False\nFirstTime=0\n[SourceFolders]\nPhotos=/srv/photos/\n"
      "[Import]\nAutoname=Holiday\nAutonumber=0100\nLastPath=/home/a, b\n");
  Put("settings", "empty.ini", "");
  Put("settings", "truth-values.ini", "[Options]\r\nAutoFix= -1 \r\nFirstTime=1.5e3\r\n");
  Put("settings", "not-truth.ini", "[Options]\nAutoFix=yes\nFirstTime=inf\n[Import]\nAutoname=\"quoted, list\"\n");
  Put("settings", "no-line-end.ini", "[Options]\nAutoFix=True");
  Put("settings", "cr-only.ini", "[Options]\rAutoFix=0\r[Import]\rAutoname=x\r");
  Put("settings", "equals-first.ini", "[Options]\n=True\nAutoFix\n==\n[]\n[Import\nAutoname=a=b\n");
  Put("settings", "escapes.ini",
      "[Import]\nAutoname=\\x41\\t\\\"\\\nAutonumber=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\aQString\\0)\n"
      "[Options]\nAutoFix=@ByteArray(True)\n[%General]\nk=v\n[Options%2Fx]\nAutoFix=1\n");
  Put("settings", "nul-bytes.ini", "[Options]\nAutoFix=" + kNul + "\n" + kNul);
  Put("settings", "long-line.ini", "[Import]\nAutoname=" + std::string(8000, 'a') + "\n");
}

// Files that start like a JPEG (FF D8) but not with a marker after it: the JPEG
// library skips stray bytes up to the next FF, so what follows decides.
void SoiSeeds(const std::string& jpeg) {
  const std::string soi("\xFF\xD8", 2);
  Put("thumbnail", "soi-then-text.jpg", soi + std::string(1, '\0') + "hello, not a picture");
  std::string counting;
  for (int i = 0; i < 3 * 255; ++i) counting += char(i % 255);
  Put("thumbnail", "soi-then-bytes.jpg", soi + counting);
  Put("thumbnail", "soi-stray-ff.jpg", soi + std::string("ab\xFF\x00cd\xFF\xFF\xFFgh\xFF", 12));
  Put("thumbnail", "soi-then-eoi.jpg", soi + "text\xFF\xD9");
  Put("thumbnail", "soi-then-restarts.jpg", soi + std::string("\0\xFF\xD0\xFF\xD7 \xFF\x01x", 11));
  // A scan header with no frame before it.
  Put("thumbnail", "soi-then-scan.jpg", soi + std::string("zz\xFF\xDA\0\x08\x01\x01\0\0\x3F\0\x12\x34", 14));
  // A whole picture after one stray byte: the library warns and decodes it.
  Put("thumbnail", "soi-stray-byte-then-picture.jpg", soi + std::string(1, '\0') + jpeg.substr(2));
}

void ThumbnailSeeds() {
  const std::string jpeg = Encoded(300, 200, "JPEG");
  const std::string png = Encoded(7, 5, "PNG");
  const std::string bmp = Encoded(6, 9, "BMP");
  Put("thumbnail", "wide.jpg", jpeg);
  Put("thumbnail", "tiny.jpg", Encoded(3, 2, "JPEG"));
  Put("thumbnail", "tiny.png", png);
  Put("thumbnail", "tall.bmp", bmp);
  Put("thumbnail", "truncated.jpg", jpeg.substr(0, jpeg.size() / 2));
  Put("thumbnail", "truncated.png", png.substr(0, png.size() - 20));
  Put("thumbnail", "truncated.bmp", bmp.substr(0, 40));
  Put("thumbnail", "jpeg-claims-huge.jpg", JpegClaiming(jpeg, 65500, 65500));
  Put("thumbnail", "jpeg-claims-large.jpg", JpegClaiming(jpeg, 5000, 5000));
  Put("thumbnail", "bmp-claims-huge.bmp", BmpClaiming(bmp, 0x7FFFFFFF, -0x7FFFFFFF));
  Put("thumbnail", "ppm-claims-huge.ppm", "P6\n99999 99999\n255\n\x01\x02\x03");
  std::string gif("GIF89a\x01\0\x01\0\x80\0\0\xFF\xFF\xFF\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;", 35);
  Put("thumbnail", "tiny.gif", gif);
  for (int i : {6, 7, 8, 9, 24, 25, 26, 27}) gif[size_t(i)] = '\xFF';
  Put("thumbnail", "gif-claims-huge.gif", gif);
  Put("thumbnail", "tiny.ico", Encoded(16, 16, "ICO"));
  Put("thumbnail", "xpm-claims-huge.xpm",
      "/* XPM */\nstatic const char *x[] = {\n\"30000 30000 1 1\",\n\"a c #f00\",\n\"a\"};\n");
  Put("thumbnail", "xbm-claims-huge.xbm",
      "#define x_width 60000\n#define x_height 60000\nstatic char x_bits[] = {0x00};\n");
  Put("thumbnail", "pgm-large.pgm", "P2\n5000 5000\n255\n1 2 3\n");
  const std::string progressive = ProgressiveJpeg(1700, 1200, {});
  Put("thumbnail", "progressive-420.jpg", progressive);
  Put("thumbnail", "progressive-444.jpg", ProgressiveJpeg(1700, 1200, {.fullColour = true}));
  Put("thumbnail", "progressive-grey.jpg", ProgressiveJpeg(1200, 1700, {.grey = true}));
  Put("thumbnail", "progressive-truncated.jpg", progressive.substr(0, progressive.size() / 3));
  Put("thumbnail", "progressive-many-scans.jpg", JpegManyScans(ProgressiveJpeg(300, 200, {}), 150));
  std::string claims = ProgressiveJpeg(300, 200, {});
  const size_t sof = claims.find("\xFF\xC2");
  claims[sof + 5] = char(3000 >> 8), claims[sof + 6] = char(3000 & 0xFF);
  claims[sof + 7] = char(4000 >> 8), claims[sof + 8] = char(4000 & 0xFF);
  Put("thumbnail", "progressive-claims-large.jpg", claims);
  // Camera orientations, and EXIF blocks cut short, looping or larger than they claim.
  Put("thumbnail", "exif-turned.jpg", WithExif(jpeg, Tiff(1, OrientationEntry(6))));
  Put("thumbnail", "exif-intel-mirrored.jpg",
      WithExif(jpeg, std::string("II\x2A\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x05\0\0\0\0\0\0\0", 26)));
  Put("thumbnail", "exif-bad-values.jpg",
      WithExif(jpeg, Tiff(3, OrientationEntry(0) + OrientationEntry(0xFFFF) +
                                 std::string("\x01\x12\0\x04\0\0\0\x01\xFF\xFF\xFF\xFF", 12))));
  Put("thumbnail", "exif-truncated-ifd.jpg", WithExif(jpeg, Tiff(3, OrientationEntry(8).substr(0, 7), "")));
  Put("thumbnail", "exif-looping-ifd.jpg",
      WithExif(jpeg, Tiff(1, OrientationEntry(3), std::string("\0\0\0\x08", 4)) +
                         std::string("\0\0\0\x08", 4)));
  Put("thumbnail", "exif-ifd-at-header.jpg", WithExif(jpeg, std::string("MM\0\x2A\0\0\0\0", 8)));
  Put("thumbnail", "exif-oversized-ifd.jpg", WithExif(jpeg, Tiff(0xFFFF, OrientationEntry(7) + OrientationEntry(2))));
  Put("thumbnail", "exif-ifd-past-end.jpg", WithExif(jpeg, std::string("MM\0\x2A\xFF\xFF\xFF\xF0", 8)));
  Put("thumbnail", "exif-segment-past-end.jpg", WithExif(jpeg, Tiff(1, OrientationEntry(6)), 0xFFFF).substr(0, 60));
  Put("thumbnail", "exif-quarter-back.jpg", WithExif(Encoded(120, 90, "JPEG"), Tiff(1, OrientationEntry(8))));
  Put("thumbnail", "empty.jpg", "");
  Put("thumbnail", "text.jpg", "not a picture\r\n");
  SoiSeeds(jpeg);
}

// WMF files as the tests write them, and the same with the header or the records
// telling lies.
void WmfSeeds() {
  const std::string placeable = SamplePlaceable();
  const std::string plain = SampleDrawing().Plain();
  Put("wmf", "placeable.wmf", placeable);
  Put("wmf", "plain.wmf", plain);
  Put("wmf", "huge-frame.wmf", HugePlaceable());
  Put("wmf", "backwards-frame.wmf", SampleDrawing().Placeable(2880, 1440, 0, 0, 1440));
  Put("wmf", "frame-misses-drawing.wmf", SampleDrawing().Placeable(-9000, -9000, -8000, -8000, 1440));
  Put("wmf", "text-only.wmf", WmfWriter().Font(400, "Times", 400).Text(0, 0, "Only words").Plain());
  Put("wmf", "ellipse.wmf", WmfWriter().Brush(WmfWriter::Colour(9, 9, 200)).Ellipse(0, 0, 1500, 900).Plain());
  Put("wmf", "nothing-drawn.wmf", WmfWriter().WindowExt(100, 100).Plain());
  Put("wmf", "header-only.wmf", plain.substr(0, 18));
  Put("wmf", "truncated.wmf", placeable.substr(0, placeable.size() / 2));
  std::string noInch = placeable;
  noInch[14] = noInch[15] = '\0';
  Put("wmf", "no-units-per-inch.wmf", noInch);
  // A record that says it is no words long, one that runs past the end, a
  // polygon of more points than it holds, and a header that claims 65535 objects.
  Put("wmf", "record-of-no-size.wmf",
      WmfWriter().Rectangle(0, 0, 100, 100).Record(0x041B, {1, 2, 3, 4}).Plain().replace(18 + 14, 4, std::string(4, '\0')));
  Put("wmf", "record-past-the-end.wmf",
      WmfWriter().Rectangle(0, 0, 100, 100).Plain().replace(18, 4, std::string("\xFF\xFF\xFF\x7F", 4)));
  Put("wmf", "polygon-claims-more.wmf", WmfWriter().Brush(0).Record(0x0324, {32767, 0, 0, 500, 0, 0, 500}).Plain());
  // The map modes, windows and viewports programs set, and some that make no sense.
  const int aniso = WmfWriter::kAnisotropic;
  Put("wmf", "anisotropic.wmf", Quarters(WmfWriter().MapMode(aniso).WindowOrg(-3000, 1000).WindowExt(4000, 2000)
                                             .ViewportOrg(0, 0).ViewportExt(400, 200), {-3000, 1000, 1000, 3000})
                                    .Placeable(-3000, 1000, 1000, 3000, 1000));
  Put("wmf", "y-upwards.wmf", Quarters(WmfWriter().MapMode(aniso).WindowOrg(0, 2000).WindowExt(4000, -2000),
                                       {0, 2000, 4000, 0}).Placeable(0, 0, 4000, 2000, 1000));
  Put("wmf", "plain-anisotropic.wmf",
      Quarters(WmfWriter().MapMode(aniso).WindowExt(3000, 1500), {0, 0, 3000, 1500}).Plain());
  Put("wmf", "window-past-16-bits.wmf", Quarters(WmfWriter().MapMode(aniso).WindowOrg(30000, 30000)
                                                     .WindowExt(30000, 30000), {30000, 30000, 32767, 32767}).Plain());
  Put("wmf", "window-scaled-by-zero.wmf",
      Quarters(WmfWriter().MapMode(aniso).WindowExt(100, 100).Record(0x0410, {0, 1, 0, 1}), {0, 0, 100, 100}).Plain());
  Put("wmf", "viewport-of-no-size.wmf",
      Quarters(WmfWriter().MapMode(aniso).WindowExt(100, 100).ViewportExt(0, 0), {0, 0, 100, 100}).Placeable(0, 0, 100, 100, 72));
  Put("wmf", "nothing-drawn-anisotropic.wmf", WmfWriter().MapMode(aniso).WindowExt(100, 100).Plain());
  std::string objects = WmfWriter().Brush(0).Rectangle(0, 0, 100, 100).Plain();
  objects[10] = objects[11] = '\xFF';
  Put("wmf", "many-objects.wmf", objects);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  g_root = argv[1];
  InfoSeeds();
  GroupSeeds();
  LinkSeeds();
  LogSeeds();
  SettingsSeeds();
  ThumbnailSeeds();
  WmfSeeds();
  return 0;
}
