// The helper program's process: bytes streamed in, output taken in whole, and a
// helper that crashes, hangs, runs out of memory or is missing costs one
// picture, never the program.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <chrono>
#include <thread>

#include "core/picture_decode.h"
#include "support/temp_archive.h"
#include "support/wmf_pictures.h"
#include "wmf/helper_process.h"
#include "wmf/wmf_render.h"

namespace {

using namespace std::chrono_literals;

wmf::RunResult RunShell(const std::string& script, QByteArray input, std::string& output,
                        std::int64_t maxInput = 1 << 24) {
  QBuffer in(&input);
  in.open(QIODevice::ReadOnly);
  wmf::RunRequest r;
  r.program = "/bin/sh";
  r.args = {"-c", script};
  r.input = &in;
  r.maxInput = maxInput;
  r.output = output.data();
  r.outputSize = output.size();
  r.timeout = 5s;
  return wmf::RunHelper(r);
}

// Warnings of the WMF reader, caught for a test.
std::vector<std::string> gWarnings;
void Catch(QtMsgType, const QMessageLogContext& context, const QString& text) {
  if (std::string(context.category ? context.category : "") == "quillmont.wmf") gWarnings.push_back(text.toStdString());
}

class WmfHelperTest : public TempArchive {
protected:
  void SetUp() override {
    TempArchive::SetUp();
    pictures::UseAllocationLimit();
    gWarnings.clear();
    previous_ = qInstallMessageHandler(Catch);
    Write("Photos/sample.wmf", SamplePlaceable());
  }
  void TearDown() override {
    qInstallMessageHandler(previous_);
    wmf::SetLimits(wmf::Limits{});
    wmf::SetHelperProgram("");
    TempArchive::TearDown();
  }
  QImage Read(const std::string& rel, QSize scaled = QSize()) {
    QImageReader reader(QString::fromStdString(Path(rel)));
    if (scaled.isValid()) reader.setScaledSize(scaled);
    return reader.read();
  }
  bool Logged(const std::string& text) const {
    return std::any_of(gWarnings.begin(), gWarnings.end(),
                       [&](const std::string& w) { return w.find(text) != std::string::npos; });
  }

  QtMessageHandler previous_ = nullptr;
};

}  // namespace

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
  wmf::RunRequest r;
  r.program = "/bin/sleep";
  r.args = {"30"};
  QBuffer empty;
  empty.open(QIODevice::ReadOnly);
  r.input = &empty;
  r.output = none.data();
  r.timeout = 200ms;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(wmf::RunHelper(r).status, wmf::RunResult::kTimedOut);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  r.program = "/no/such/program";
  EXPECT_EQ(wmf::RunHelper(r).status, wmf::RunResult::kNotStarted);
}

TEST_F(WmfHelperTest, AHelperOverItsTimeOrMemoryOrMissingIsAnInvalidPictureAndLogged) {
  // Six hundred large fills take libwmf many seconds at this size.
  WmfWriter slow;
  for (int i = 0; i < 600; ++i)
    slow.Brush(WmfWriter::Colour(i % 256, 0, 0)).Polygon({{0, 0}, {30000, 100}, {100, 30000}, {29000, 29000}});
  Write("Photos/slow.wmf", slow.Placeable(0, 0, 30000, 30000, 1440));
  wmf::SetLimits({wmf::Limits{}.baseMemory, 300ms});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(Read("Photos/slow.wmf", QSize(2000, 2000)).isNull());
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_TRUE(Logged("took too long"));
  // The program goes on: the next picture is read as usual, and the slow one is
  // drawn where it takes less time.
  wmf::SetLimits(wmf::Limits{});
  EXPECT_FALSE(Read("Photos/sample.wmf").isNull());
  EXPECT_EQ(Read("Photos/slow.wmf", QSize(100, 100)).size(), QSize(100, 100));

  // No room for libwmf beside the picture.
  wmf::SetLimits({0, 10s});
  EXPECT_TRUE(Read("Photos/sample.wmf").isNull());
  wmf::SetLimits(wmf::Limits{});
  EXPECT_FALSE(Read("Photos/sample.wmf").isNull());

  wmf::SetHelperProgram(Path("missing/quillmont-wmf"));
  gWarnings.clear();
  EXPECT_TRUE(Read("Photos/sample.wmf").isNull());
  EXPECT_TRUE(Logged("could not be started"));
}

TEST_F(WmfHelperTest, ManyThreadsDrawAtOnce) {
  Write("Photos/plain.wmf", SampleDrawing().Plain());
  std::vector<std::thread> threads;
  std::atomic<int> good{0};
  for (int t = 0; t < 8; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 3; ++i) {
        const QSize size(96 + 48 * t, 48 + 24 * t);
        QImageReader reader(QString::fromStdString(Path(t % 2 ? "Photos/plain.wmf" : "Photos/sample.wmf")));
        reader.setScaledSize(size);
        const QImage img = reader.read();
        good += img.size() == size && SampleAt(img, 24, 12) == qRgb(255, 0, 0);
      }
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(good, 24);
}
