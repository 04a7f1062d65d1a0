// WMF pictures through the image plugin and its helper program: found by content,
// sized from their own header, drawn at the size asked for; and the helper's
// process, whose crash, hang, lack of memory or absence costs one picture, never
// the program.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "core/picture_decode.h"
#include "core/thumbnail_maker.h"
#include "core/viewer_rules.h"
#include "platform/runtime_error.h"
#include "support/temp_archive.h"
#include "support/wmf_pictures.h"
#include "wmf/helper_process.h"
#include "wmf/wmf_render.h"

namespace {

using namespace std::chrono_literals;

wmf::RunResult RunShell(const std::string& script, QByteArray input, std::string& output,
                        std::int64_t maxInput = 1 << 24, std::chrono::milliseconds timeout = 5s) {
  QBuffer in(&input);
  in.open(QIODevice::ReadOnly);
  wmf::RunRequest r;
  r.program = "/bin/sh";
  r.args = {"-c", script};
  r.input = &in;
  r.maxInput = maxInput;
  r.output = output.data();
  r.outputSize = output.size();
  r.timeout = timeout;
  return wmf::RunHelper(r);
}

// Warnings of the WMF reader, caught for a test.
std::vector<std::string> gWarnings;
void Catch(QtMsgType, const QMessageLogContext& context, const QString& text) {
  if (std::string(context.category ? context.category : "") == "quillmont.wmf") gWarnings.push_back(text.toStdString());
}

class WmfTest : public TempArchive {
protected:
  // As every reader of pictures does; the plugin comes with it.
  void SetUp() override {
    TempArchive::SetUp();
    pictures::UseAllocationLimit();
    gWarnings.clear();
    previous_ = qInstallMessageHandler(Catch);
  }
  void TearDown() override {
    qInstallMessageHandler(previous_);
    wmf::SetLimits(wmf::Limits{});
    wmf::SetHelperProgram("");
    TempArchive::TearDown();
  }
  QImage ReadFile(const std::string& rel, QSize scaled = QSize()) {
    QImageReader reader(QString::fromStdString(Path(rel)));
    reader.setDecideFormatFromContent(true);
    if (scaled.isValid()) reader.setScaledSize(scaled);
    return reader.read();
  }
  // The format found by content and the size reported, without drawing.
  std::pair<QByteArray, QSize> HeaderOf(const std::string& rel) {
    QImageReader reader(QString::fromStdString(Path(rel)));
    reader.setDecideFormatFromContent(true);
    return {reader.format(), reader.size()};
  }
  bool Logged(const std::string& text) const {
    return std::any_of(gWarnings.begin(), gWarnings.end(),
                       [&](const std::string& w) { return w.find(text) != std::string::npos; });
  }

  QtMessageHandler previous_ = nullptr;
};

}  // namespace

TEST_F(WmfTest, PlaceableIsItsFrameAt96PixelsAnInchFoundByContent) {
  // The size comes from the header alone: no helper is needed for it.
  wmf::SetHelperProgram(Path("no-such-helper"));
  const std::pair<std::string, QSize> files[] = {
      {SamplePlaceable(), {192, 96}},
      {SampleDrawing().Placeable(0, 0, 1000, 100, 576), {167, 17}},           // 166.7 x 16.7
      {SampleDrawing().Placeable(2000, 1000, -880, -440, 1440), {192, 96}},  // frames given backwards
      {SampleDrawing().Placeable(0, 0, 1, 1, 2540), {1, 1}},                 // never less than a pixel
      {HugePlaceable(), {32767 * 96, 16000 * 96}}};
  for (const auto& [bytes, size] : files) {
    Write("Photos/sample.jpg", bytes);  // the name says nothing
    EXPECT_EQ(HeaderOf("Photos/sample.jpg"), std::make_pair(QByteArray("wmf"), size));
  }
}

TEST_F(WmfTest, LinesFilledShapesAndTextAreDrawnInTheirPlaces) {
  Write("Photos/sample.wmf", SamplePlaceable());
  for (const QSize size : {QSize(192, 96), QSize(96, 48), QSize(576, 288)}) {
    const QImage img = ReadFile("Photos/sample.wmf", size == QSize(192, 96) ? QSize() : size);
    ASSERT_EQ(img.size(), size);
    EXPECT_EQ(SampleAt(img, 24, 12), qRgb(255, 0, 0)) << size.width();
    EXPECT_EQ(SampleAt(img, 146, 12), qRgb(0, 160, 0)) << size.width();
    EXPECT_EQ(SampleAt(img, 96, 80), qRgb(0, 0, 255)) << size.width();
    EXPECT_EQ(SampleAt(img, 48, 64), qRgb(255, 255, 255)) << size.width();
    EXPECT_EQ(SampleAt(img, 186, 90), qRgb(255, 255, 255)) << size.width();
  }
  // The text is dark ink right of the middle, and nowhere left of it.
  const QImage img = ReadFile("Photos/sample.wmf");
  auto dark = [&](int x0, int x1) {
    int n = 0;
    for (int y = 53; y < 76; ++y)
      for (int x = x0; x < x1; ++x) n += qGray(img.pixel(x, y)) < 96;
    return n;
  };
  EXPECT_GT(dark(100, 192), 60);
  EXPECT_EQ(dark(0, 100), 0);
}

TEST_F(WmfTest, PlainTakesTheSizeLibwmfFindsDrawn) {
  // Twips: 1500 x 750 drawn is 100 x 50 at 96 an inch.
  WmfWriter w;
  w.Pen(0, 0, 5).Brush(WmfWriter::Colour(255, 0, 0)).Rectangle(0, 0, 750, 750);
  w.Brush(WmfWriter::Colour(0, 0, 255)).Rectangle(750, 0, 1500, 750);
  Write("Photos/plain.jpg", w.Plain());
  EXPECT_EQ(HeaderOf("Photos/plain.jpg"), std::make_pair(QByteArray("wmf"), QSize(100, 50)));
  const QImage img = ReadFile("Photos/plain.jpg");
  ASSERT_EQ(img.size(), QSize(100, 50));
  EXPECT_EQ(img.pixel(20, 25), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(80, 25), qRgb(0, 0, 255));
  // The sample, drawn without its frame, is as large as its ink.
  Write("Photos/sample.wmf", SampleDrawing().Plain());
  const QSize sample = HeaderOf("Photos/sample.wmf").second;
  EXPECT_TRUE(sample.width() > 180 && sample.width() <= 192 && sample.height() > 76 && sample.height() <= 96)
      << sample.width() << " x " << sample.height();
  EXPECT_EQ(ReadFile("Photos/sample.wmf").size(), sample);
}

TEST_F(WmfTest, MapModesWindowsAndViewportsPutTheDrawingWhereTheFileDoes) {
  using W = WmfWriter;
  const int aniso = W::kAnisotropic;
  struct Case {
    const char* name;
    std::string bytes;
    QSize size, viewed;
  };
  const Case cases[] = {
      {"anisotropic", Quarters(W().MapMode(aniso).WindowOrg(0, 0).WindowExt(4000, 2000), {0, 0, 4000, 2000})
                          .Placeable(0, 0, 4000, 2000, 1000), {384, 192}, {384, 192}},
      {"window elsewhere, viewport set",
       Quarters(W().MapMode(aniso).WindowOrg(-3000, 1000).WindowExt(4000, 2000).ViewportOrg(0, 0).ViewportExt(400, 200),
                {-3000, 1000, 1000, 3000}).Placeable(-3000, 1000, 1000, 3000, 1000), {384, 192}, {384, 192}},
      {"y upwards", Quarters(W().MapMode(aniso).WindowOrg(0, 2000).WindowExt(4000, -2000), {0, 2000, 4000, 0})
                        .Placeable(0, 0, 4000, 2000, 1000), {384, 192}, {384, 192}},
      {"window in units of its own", Quarters(W().WindowOrg(0, 0).WindowExt(1000, 500), {0, 0, 1000, 500})
                                         .Placeable(0, 0, 2880, 1440, 1440), {192, 96}, {192, 96}},
      {"no map records", Quarters(W(), {0, 0, 2880, 1440}).Placeable(0, 0, 2880, 1440, 1440), {192, 96}, {192, 96}},
      {"reduced by the view", Quarters(W().MapMode(aniso).WindowOrg(1000, 1000).WindowExt(8000, 4000),
                                       {1000, 1000, 9000, 5000}).Placeable(1000, 1000, 9000, 5000, 1000),
       {768, 384}, {384, 192}},
      // Plain: the window's extent in twips, as libwmf sizes a plain drawing.
      {"plain anisotropic", Quarters(W().MapMode(aniso).WindowOrg(0, 0).WindowExt(3000, 1500), {0, 0, 3000, 1500}).Plain(),
       {200, 100}, {200, 100}},
      {"plain, window elsewhere", Quarters(W().MapMode(aniso).WindowOrg(-1500, -750).WindowExt(3000, 1500),
                                           {-1500, -750, 1500, 750}).Plain(), {200, 100}, {200, 100}}};
  const auto fit = [](QSize s) {
    return viewer::Reduction(viewer::FitZoomLevel(s, viewer::kAreaWidth, viewer::kAreaHeight));
  };
  for (const Case& c : cases) {
    Write("Photos/case.wmf", c.bytes);
    const viewer::DecodedPicture view = viewer::ReadPicture(Path("Photos/case.wmf"), fit);
    EXPECT_EQ(view.size, c.size) << c.name;
    const ThumbnailPicture thumb = LoadThumbnailPicture(Path("Photos/case.wmf"));
    EXPECT_TRUE(thumb.loaded) << c.name;
    for (const QImage& img : {view.image, thumb.picture}) {
      ASSERT_EQ(img.size(), img.width() > 100 ? c.viewed : ThumbnailBoxSize(c.size.width(), c.size.height())) << c.name;
      for (const QuarterPoint& p : kQuarterPoints)
        EXPECT_EQ(QColor(img.pixel(int(p.fx * img.width()), int(p.fy * img.height()))).name().toStdString(),
                  QColor(p.colour).name().toStdString())
            << c.name << " at " << p.fx << ", " << p.fy << " of " << img.width();
    }
  }
}

TEST_F(WmfTest, AViewGivesUpOnAHangingHelperWithinAboutTwoSeconds) {
  Write("hang.sh", "#!/bin/sh\nexec sleep 30\n");
  std::filesystem::permissions(Path("hang.sh"), std::filesystem::perms::owner_all);
  wmf::SetHelperProgram(Path("hang.sh"));
  // Drawing hangs; a plain picture's size is never found.
  for (const std::string& bytes : {SamplePlaceable(), SampleDrawing().Plain()}) {
    Write("Photos/hang.wmf", bytes);
    const auto start = std::chrono::steady_clock::now();
    try {
      viewer::ReadPicture(Path("Photos/hang.wmf"), [](QSize) { return 1; });
      ADD_FAILURE() << "drawn";
    } catch (const qm::RuntimeError& e) {
      EXPECT_EQ(e.Number(), qm::ErrInvalidPicture);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3500ms);
  }
  EXPECT_TRUE(Logged("took too long"));
}

TEST_F(WmfTest, HugeNominalSizeIsDrawnAtTheSizeAsked) {
  Write("Photos/huge.wmf", HugePlaceable());
  // Whole, it would pass Qt's allocation limit: refused before anything is drawn.
  EXPECT_TRUE(ReadFile("Photos/huge.wmf").isNull());
  const QImage small = ReadFile("Photos/huge.wmf", QSize(100, 49));
  ASSERT_EQ(small.size(), QSize(100, 49));
  // The window the records set fills the frame.
  EXPECT_EQ(SampleAt(small, 24, 12), qRgb(255, 0, 0));
  EXPECT_EQ(small.pixel(99, 48), qRgb(255, 255, 255));
}

TEST_F(WmfTest, WhatIsNoWmfIsNoPicture) {
  const std::string good = SamplePlaceable();
  std::string noInch = good, emptyFrame = good, badVersion = good;
  noInch[14] = noInch[15] = 0;
  emptyFrame[10] = emptyFrame[6], emptyFrame[11] = emptyFrame[7];
  badVersion[22 + 4] = 2;
  const std::pair<const char*, std::string> cases[] = {
      {"empty.wmf", ""},         {"short.wmf", good.substr(0, 30)}, {"no-inch.wmf", noInch},
      {"no-frame.wmf", emptyFrame}, {"version.wmf", badVersion},    {"text.wmf", "Not a picture at all"}};
  for (const auto& [name, bytes] : cases) {
    Write(std::string("Photos/") + name, bytes);
    EXPECT_TRUE(HeaderOf(std::string("Photos/") + name).first.isEmpty()) << name;
  }
  // Over 64 MB (a sparse file: nothing is written, nothing is read).
  Write("Photos/big.wmf", good);
  ASSERT_TRUE(QFile::resize(QString::fromStdString(Path("Photos/big.wmf")), (64 << 20) + 1));
  EXPECT_TRUE(HeaderOf("Photos/big.wmf").first.isEmpty());
  ASSERT_TRUE(QFile::resize(QString::fromStdString(Path("Photos/big.wmf")), 64 << 20));
  EXPECT_EQ(HeaderOf("Photos/big.wmf").first, "wmf");
  // Records cut short: drawn as far as they go or refused, never more.
  Write("Photos/cut.wmf", good.substr(0, good.size() / 2));
  const QImage cut = ReadFile("Photos/cut.wmf");
  EXPECT_TRUE(cut.isNull() || cut.size() == QSize(192, 96));
}

TEST(HelperProcess, StreamsInputTakesOutputAndTellsHowItEnded) {
  // Both ways at once: cat answers while it is still being fed.
  QByteArray input(3 << 20, '\0');
  for (int i = 0; i < input.size(); ++i) input[i] = char(i * 7);
  std::string out(std::size_t(input.size()), '\0');
  EXPECT_EQ(RunShell("cat", input, out).status, wmf::RunResult::kDone);
  EXPECT_EQ(out, input.toStdString());

  std::string ten(10, '\0');
  EXPECT_EQ(RunShell("head -c 11 /dev/zero", {}, ten).status, wmf::RunResult::kWrongOutput);
  EXPECT_EQ(RunShell("head -c 9 /dev/zero", {}, ten).status, wmf::RunResult::kWrongOutput);
  EXPECT_EQ(RunShell("cat", input, ten, 1 << 20).status, wmf::RunResult::kInputTooLarge);
  const wmf::RunResult exited = RunShell("exit 3", input, ten);
  EXPECT_EQ(exited.status, wmf::RunResult::kExited);
  EXPECT_EQ(exited.code, 3);
  const wmf::RunResult crashed = RunShell("kill -SEGV $$", {}, ten);
  EXPECT_EQ(crashed.status, wmf::RunResult::kKilled);
  EXPECT_EQ(crashed.code, SIGSEGV);
  EXPECT_NE(crashed.Describe().find("signal 11"), std::string::npos);

  std::string none;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunShell("exec sleep 30", {}, none, 1 << 24, 200ms).status, wmf::RunResult::kTimedOut);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  wmf::RunRequest missing;
  missing.program = "/no/such/program";
  EXPECT_EQ(wmf::RunHelper(missing).status, wmf::RunResult::kNotStarted);
}

TEST_F(WmfTest, AHelperOverItsTimeOrMemoryOrMissingIsAnInvalidPictureAndLogged) {
  Write("Photos/sample.wmf", SamplePlaceable());
  // Six hundred large fills take libwmf many seconds at this size.
  WmfWriter slow;
  for (int i = 0; i < 600; ++i)
    slow.Brush(WmfWriter::Colour(i % 256, 0, 0)).Polygon({{0, 0}, {30000, 100}, {100, 30000}, {29000, 29000}});
  Write("Photos/slow.wmf", slow.Placeable(0, 0, 30000, 30000, 1440));
  wmf::SetLimits({wmf::Limits{}.baseMemory, 300ms});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(ReadFile("Photos/slow.wmf", QSize(2000, 2000)).isNull());
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_TRUE(Logged("took too long"));
  // The program goes on: the next picture is read as usual, and the slow one is
  // drawn where it takes less time.
  wmf::SetLimits(wmf::Limits{});
  EXPECT_FALSE(ReadFile("Photos/sample.wmf").isNull());
  EXPECT_EQ(ReadFile("Photos/slow.wmf", QSize(100, 100)).size(), QSize(100, 100));

  // No room for libwmf beside the picture.
  wmf::SetLimits({0, 10s});
  EXPECT_TRUE(ReadFile("Photos/sample.wmf").isNull());
  wmf::SetLimits(wmf::Limits{});
  EXPECT_FALSE(ReadFile("Photos/sample.wmf").isNull());

  wmf::SetHelperProgram(Path("missing/quillmont-wmf"));
  gWarnings.clear();
  EXPECT_TRUE(ReadFile("Photos/sample.wmf").isNull());
  EXPECT_TRUE(Logged("could not be started"));
}

TEST_F(WmfTest, ManyThreadsDrawAtOnce) {
  Write("Photos/sample.wmf", SamplePlaceable());
  Write("Photos/plain.wmf", SampleDrawing().Plain());
  std::vector<std::thread> threads;
  std::atomic<int> good{0};
  for (int t = 0; t < 8; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 3; ++i) {
        const QSize size(96 + 48 * t, 48 + 24 * t);
        const QImage img = ReadFile(t % 2 ? "Photos/plain.wmf" : "Photos/sample.wmf", size);
        good += img.size() == size && SampleAt(img, 24, 12) == qRgb(255, 0, 0);
      }
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(good, 24);
}
