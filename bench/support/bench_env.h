#pragma once
// What every benchmark program needs: a temporary program folder with its archive
// folders and its own settings file for the whole run, file writing that stops the
// run on failure, and the benchmark runner.
#include <QTemporaryDir>
#include <string>

class BenchArchive {
public:
  BenchArchive();  // exits when no temporary folder can be made
  std::string Dir() const { return dir_.path().toStdString(); }

private:
  QTemporaryDir dir_;
};

void WriteBenchFile(const std::string& path, const std::string& content);

// Runs the registered benchmarks with the command line's options; the exit code.
int RunBenchmarks(int argc, char** argv);
