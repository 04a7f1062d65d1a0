// The real program started on an archive whose first photo has an information
// line of a gigabyte, as has a group list: every reader passes over the line, so
// the start stays small.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <fstream>
#include <string>
#include <vector>

#include "core/modquillmont.h"
#include "platform/files.h"
#include "support/temp_archive.h"

namespace {

class LongLineStart : public TempArchive {};

TEST_F(LongLineStart, AGigabyteTitleOnThePhotoShownFirstKeepsTheStartSmall) {
  const QString program = QString::fromStdString(Path("quillmont"));
  ASSERT_TRUE(QFile::copy(QM_PROGRAM, program));
  gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");

  // Photos with thumbnails as new as they are, so the start builds none.
  const std::vector<std::string> names = {"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
  for (const std::string& name : names) {
    AddJpeg(name, 640, 480);
    ASSERT_TRUE(QImage(QString::fromStdString(Path("Photos/" + name)))
                    .scaled(100, 75)
                    .save(QString::fromStdString(Path("Photo_Thumbnails/" + name)), "BMP"));
    for (const std::string& file : {"Photos/" + name, "Photo_Thumbnails/" + name}) SetTime(file, 1500000000);
  }
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf(names));
  // "TITLE=" and a gigabyte of a title as a hole in the file, which costs no disc,
  // then the lines after it.
  const std::string key = "TITLE=", rest = "\r\nPhotoPath=\\Photos\\a.jpg\r\nYEAR=1999\r\n";
  Write("Photo_Info/a.jpg.info", key);
  ASSERT_EQ(::truncate(Path("Photo_Info/a.jpg.info").c_str(), off_t(key.size()) + (off_t(1) << 30)), 0);
  QFile info(QString::fromStdString(Path("Photo_Info/a.jpg.info")));
  ASSERT_TRUE(info.open(QIODevice::Append));
  ASSERT_EQ(info.write(rest.data(), qint64(rest.size())), qint64(rest.size()));
  info.close();
  // A list's line likewise (a hole holds no line end).
  Write("Photo_SlideGroups/Trip.lst", "c.jpg\r\n");
  ASSERT_EQ(::truncate(Path("Photo_SlideGroups/Trip.lst").c_str(), 7 + (off_t(1) << 30)), 0);
  std::ofstream(Path("Photo_SlideGroups/Trip.lst"), std::ios::app) << "\r\na.jpg\r\n";

  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(Folder() + "/config"));
  env.insert("LD_PRELOAD", QM_EXIT_PROBE);
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.setWorkingDirectory(QString::fromStdString(Root()));
  // Should the readers hold the line again, the start fails here instead of
  // taking the machine's memory.
  p.setChildProcessModifier([] {
    const rlimit data{rlim_t(2) << 30, rlim_t(2) << 30};
    ::setrlimit(RLIMIT_DATA, &data);
  });
  p.start(program, {});
  ASSERT_TRUE(p.waitForStarted());
  QByteArray said;
  while (p.state() == QProcess::Running && p.waitForReadyRead(90000)) said += p.readAll();
  if (p.state() != QProcess::NotRunning && !p.waitForFinished(10000)) p.kill();
  p.waitForFinished();
  said += p.readAll();
  ASSERT_TRUE(said.contains("main window closed")) << said.toStdString();
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p.exitCode(), 0);

  // The largest of this test's children, which is the program alone.
  rusage used{};
  ASSERT_EQ(::getrusage(RUSAGE_CHILDREN, &used), 0);
  EXPECT_LT(used.ru_maxrss, 150L * 1024) << "peak kB";
  EXPECT_GT(used.ru_maxrss, 0L);
  // The list's line names no photo and went; the log holds no part of it.
  EXPECT_EQ(Read("Photo_SlideGroups/Trip.lst"), CrLf({"c.jpg", "a.jpg"}));
  EXPECT_LT(Exists("Quillmont.Log") ? qm::FileLen(Path("Quillmont.Log")) : 0, 20000);
}

}  // namespace
