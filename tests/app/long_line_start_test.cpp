// The real program started on an archive whose first photo has an information
// line of a gigabyte: every reader passes over the line, so the start stays small.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "platform/files.h"

namespace {

void WriteFile(const QString& path, const std::string& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes.data(), qint64(bytes.size()));
}

// "TITLE=" and a gigabyte of a title as a hole in the file, which costs no disc,
// then the lines after it.
void WriteHugeTitleInfo(const QString& path, const std::string& after) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  const std::string key = "TITLE=";
  const off_t end = off_t(key.size()) + (off_t(1) << 30);
  const bool written = ::write(fd, key.data(), key.size()) == ssize_t(key.size()) && ::ftruncate(fd, end) == 0 &&
                       ::lseek(fd, end, SEEK_SET) == end &&
                       ::write(fd, after.data(), after.size()) == ssize_t(after.size());
  ::close(fd);
  ASSERT_TRUE(written);
}

TEST(LongLineStart, AGigabyteTitleOnThePhotoShownFirstKeepsTheStartSmall) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString root = dir.path();
  ASSERT_TRUE(QFile::copy(QM_PROGRAM, root + "/quillmont"));
  for (const char* folder : {"Photos", "Photo_Info", "Photo_Thumbnails", "Photo_SlideGroups", "config/Dravenholt"})
    ASSERT_TRUE(QDir(root).mkpath(folder));
  WriteFile(root + "/config/Dravenholt/Quillmont.ini", "[Options]\nFirstTime=False\n");

  // Photos with thumbnails as new as they are, so the start builds none.
  const std::vector<std::string> names = {"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
  std::string group;
  for (std::size_t k = 0; k < names.size(); ++k) {
    const QString name = QString::fromStdString(names[k]);
    QImage photo(640, 480, QImage::Format_RGB32);
    photo.fill(QColor(40 + 50 * int(k), 120, 200));
    ASSERT_TRUE(photo.save(root + "/Photos/" + name, "JPEG"));
    ASSERT_TRUE(photo.scaled(100, 75).save(root + "/Photo_Thumbnails/" + name, "BMP"));
    for (const char* folder : {"/Photos/", "/Photo_Thumbnails/"})
      ASSERT_TRUE(qm::SetFileModified((root + folder + name).toStdString(), 1500000000));
    const std::string rest = "PhotoPath=\\Photos\\" + names[k] + "\r\nYEAR=1999\r\n";
    if (k == 0)
      WriteHugeTitleInfo(root + "/Photo_Info/" + name + ".info", "\r\n" + rest);
    else
      WriteFile(root + "/Photo_Info/" + name + ".info", "TITLE=" + names[k] + "\r\n" + rest);
    group += names[k] + "\r\n";
  }
  WriteFile(root + "/Photo_SlideGroups/  All Photos  .lst", group);

  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_CONFIG_HOME", root + "/config");
  env.insert("LD_PRELOAD", QM_EXIT_PROBE);
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.setWorkingDirectory(root);
  // Should the readers hold the line again, the start fails here instead of
  // taking the machine's memory.
  p.setChildProcessModifier([] {
    const rlimit data{rlim_t(2) << 30, rlim_t(2) << 30};
    ::setrlimit(RLIMIT_DATA, &data);
  });
  p.start(root + "/quillmont", {});
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
}

}  // namespace
