#include "support/temp_archive.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <filesystem>

#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "platform/settings_backend.h"

void TempArchive::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  UseFolder(dir_.path().toStdString());
}

void TempArchive::UseFolder(const std::string& folder) {
  folder_ = folder;
  root_ = folder + "/prog";
  std::filesystem::create_directories(root_);
  qm::SetProgramFolderForTests(root_);
  qm::SetSettingsFolderForTests(folder + "/config", folder + "/config-system");
  qm::SetClockForTests(0);
  ReadOnlyArchive = false;
  BypassAutoCheck = false;
  StopThumbnails = false;
  SetArchiveRoot();
  CreateArchiveFolders();
  ReadFolderSettings();
  ResetBrowsingState();
}

TempArchive::~TempArchive() {
  std::error_code ignored;
  if (dir_.isValid()) std::filesystem::remove_all(QFile::encodeName(dir_.path()).toStdString(), ignored);
}

void TempArchive::TearDown() {
  qm::SetClockForTests(0);
  EXPECT_EQ(prompter.Unexpected(), 0) << "a prompt came that the test did not script";
}

void TempArchive::Write(const std::string& rel, const std::string& content) {
  std::filesystem::path p = Path(rel);
  std::filesystem::create_directories(p.parent_path());
  FILE* f = std::fopen(p.c_str(), "wb");
  ASSERT_NE(f, nullptr) << rel;
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
}

std::string TempArchive::Read(const std::string& rel) const {
  try {
    return qm::ReadFileBytes(Path(rel));
  } catch (...) {
    return "<missing>";
  }
}

bool TempArchive::Exists(const std::string& rel) const { return qm::FileExists(Path(rel)); }

std::vector<std::string> TempArchive::AllEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void TempArchive::SetTime(const std::string& rel, std::int64_t seconds) {
  ASSERT_TRUE(qm::SetFileModified(Path(rel), seconds)) << rel;
}

std::string TempArchive::CrLf(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

void TempArchive::WriteInfoFor(const std::string& name) {
  Write("Photo_Info/" + name + ".info",
        CrLf({"PhotoPath=\\Photos\\" + name, "TITLE=" + name, "PHOTOGRAPHER=", "YEAR=", "PEOPLE=", "PLACE=",
              "EVENT=", "KEYWORDS=", "ImageWidth=0", "ImageHeight=0"}));
}

void TempArchive::AddPhoto(const std::string& name, const std::string& bytes) {
  Write("Photos/" + name, bytes);
  WriteInfoFor(name);
}

void TempArchive::AddJpeg(const std::string& name, int width, int height) {
  QImage img(width, height, QImage::Format_RGB32);
  QPainter p(&img);
  p.fillRect(img.rect(), QColor(40, 90, 160));
  p.fillRect(0, 0, width / 2, height / 2, QColor(230, 200, 40));
  p.end();
  std::filesystem::create_directories(Path("Photos"));
  ASSERT_TRUE(img.save(QString::fromStdString(Path("Photos/" + name)), "JPEG", 90));
  WriteInfoFor(name);
}

std::vector<std::string> TempArchive::LogEntries() const {
  std::vector<std::string> lines;
  try {
    lines = qm::ReadTextLines(Path("Quillmont.Log"));
  } catch (...) {
    return {};
  }
  if (!lines.empty()) lines.erase(lines.begin());
  return lines;
}

bool TempArchive::LogHas(const std::string& text) const { return LogCount(text) > 0; }

std::size_t TempArchive::LogCount(const std::string& text) const {
  const std::vector<std::string> entries = LogEntries();
  return std::size_t(std::count_if(entries.begin(), entries.end(),
                                   [&](const std::string& l) { return l.find(text) != std::string::npos; }));
}
