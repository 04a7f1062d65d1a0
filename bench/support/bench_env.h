#pragma once
// What benchmark and screenshot programs need: a temporary program folder with its
// archive folders and its own settings file for the whole run, file writing that stops the
// run on failure, and the benchmark runner.
#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <string>

class ScratchArchive {
public:
  ScratchArchive();  // exits when no temporary folder can be made
  std::string Dir() const { return dir_.path().toStdString(); }

private:
  QTemporaryDir dir_;
};

// A bench program's windowed run: an application that draws offscreen and a
// scratch archive, both for the whole run.
class OffscreenBench {
public:
  OffscreenBench(int& argc, char** argv) : app_(argc, argv) {}
  std::string Dir() const { return archive_.Dir(); }

private:
  struct Offscreen {
    Offscreen() { qputenv("QT_QPA_PLATFORM", "offscreen"); }
  } offscreen_;  // before the application reads it
  QApplication app_;
  ScratchArchive archive_;
};

void WriteBenchFile(const std::string& path, const std::string& content);

// The bytes of a 4000 x 3000 JPEG about like a camera's: smooth areas, edges and
// fine grain; seed varies the picture. Safe on any thread.
std::string CameraJpeg(int seed);

// A thumbnail as the builder writes it: 100 x 75 (every third 100 x 100), a
// gradient whose colours vary with i.
QImage BenchThumbnail(int i);

// Runs the registered benchmarks with the command line's options; the exit code.
int RunBenchmarks(int argc, char** argv);
