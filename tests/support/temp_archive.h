#pragma once
// A fresh program folder and settings file per test, with the archive folders set to
// their defaults, the browsing state reset and a scripted prompter installed.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "platform/scripted_prompter.h"

class TempArchive : public ::testing::Test {
protected:
  // Removes the folder by its bytes, also names that are not UTF-8, which the
  // temporary folder's own clean-up cannot reach.
  ~TempArchive() override;
  void SetUp() override;
  void TearDown() override;

  // Makes the test run on the program folder and settings under folder, as an
  // earlier test process left them (SetUp uses a fresh temporary folder).
  void UseFolder(const std::string& folder);
  // The folder holding the program folder and the settings.
  std::string Folder() const { return folder_; }
  // Program folder (no trailing "/").
  std::string Root() const { return root_; }
  std::string Path(const std::string& rel) const { return root_ + "/" + rel; }

  // Writes a file (bytes as given), making its folders.
  void Write(const std::string& rel, const std::string& content);
  std::string Read(const std::string& rel) const;
  bool Exists(const std::string& rel) const;
  // Every entry of a folder (a full path), hidden ones too, so stray temporary
  // files show; sorted.
  static std::vector<std::string> AllEntries(const std::string& folder);
  // Sets a file's last-write time (seconds since the epoch).
  void SetTime(const std::string& rel, std::int64_t seconds);
  // Lines as a writer puts them, each ending in CR LF.
  static std::string CrLf(const std::vector<std::string>& lines);
  // A photo file with its information file linking "\Photos\<name>".
  void AddPhoto(const std::string& name, const std::string& bytes = "photo-bytes");
  // A real JPEG picture of the given size in the photo folder.
  void AddJpeg(const std::string& name, int width, int height);
  // The log's lines after its "Created" line.
  std::vector<std::string> LogEntries() const;
  // True when some log entry contains text; how many do.
  bool LogHas(const std::string& text) const;
  std::size_t LogCount(const std::string& text) const;

  qm::ScriptedPrompter prompter;

private:
  void WriteInfoFor(const std::string& name);

  QTemporaryDir dir_;
  std::string folder_, root_;
};
