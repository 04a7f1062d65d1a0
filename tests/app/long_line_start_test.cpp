// The real program started on an archive with a line of a gigabyte in an
// information file or a group list: every reader passes over the line, so the
// start stays small.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <string>
#include <vector>

#include "core/modquillmont.h"
#include "platform/files.h"
#include "support/temp_archive.h"

namespace {

class LongLineStart : public TempArchive {
protected:
  // Photos with thumbnails as new as they are, so the start builds none.
  void AddPhotos(const std::vector<std::string>& names) {
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
    for (const std::string& name : names) {
      AddJpeg(name, 640, 480);
      ASSERT_TRUE(QImage(QString::fromStdString(Path("Photos/" + name)))
                      .scaled(100, 75)
                      .save(QString::fromStdString(Path("Photo_Thumbnails/" + name)), "BMP"));
      for (const std::string& file : {"Photos/" + name, "Photo_Thumbnails/" + name}) SetTime(file, 1500000000);
    }
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf(names));
  }

  // head, a gigabyte as a hole in the file (which costs no disc, and holds no line
  // end), then tail.
  void WriteWithGigabyte(const std::string& rel, const std::string& head, const std::string& tail) {
    Write(rel, head);
    ASSERT_EQ(::truncate(Path(rel).c_str(), off_t(head.size()) + (off_t(1) << 30)), 0);
    QFile file(QString::fromStdString(Path(rel)));
    ASSERT_TRUE(file.open(QIODevice::Append));
    ASSERT_EQ(file.write(tail.data(), qint64(tail.size())), qint64(tail.size()));
  }

  // Starts a copy of the program in the archive until its main window has shown and
  // closed; the largest memory it held, in kB.
  void Start(long& peakKb) {
    const QString program = QString::fromStdString(Path("quillmont"));
    ASSERT_TRUE(QFile::copy(QM_PROGRAM, program));
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
    peakKb = used.ru_maxrss;
    EXPECT_GT(peakKb, 0L);
  }
};

TEST_F(LongLineStart, AGigabyteTitleOnThePhotoShownFirstKeepsTheStartSmall) {
  ASSERT_NO_FATAL_FAILURE(AddPhotos({"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
  ASSERT_NO_FATAL_FAILURE(
      WriteWithGigabyte("Photo_Info/a.jpg.info", "TITLE=", "\r\nPhotoPath=\\Photos\\a.jpg\r\nYEAR=1999\r\n"));
  long peak = 0;
  ASSERT_NO_FATAL_FAILURE(Start(peak));
  EXPECT_LT(peak, 150L * 1024) << "peak kB";
}

// The start's clean-up reads every group list: the line names no photo and goes,
// and neither the memory nor the log grows by it.
TEST_F(LongLineStart, AGigabyteLineInAGroupListIsDroppedAndKeepsTheStartSmall) {
  ASSERT_NO_FATAL_FAILURE(AddPhotos({"a.jpg", "b.jpg", "c.jpg"}));
  ASSERT_NO_FATAL_FAILURE(WriteWithGigabyte("Photo_SlideGroups/Trip.lst", "c.jpg\r\n", "\r\na.jpg\r\n"));
  long peak = 0;
  ASSERT_NO_FATAL_FAILURE(Start(peak));
  EXPECT_LT(peak, 150L * 1024) << "peak kB";
  EXPECT_EQ(Read("Photo_SlideGroups/Trip.lst"), CrLf({"c.jpg", "a.jpg"}));
  EXPECT_LT(Exists("Quillmont.Log") ? qm::FileLen(Path("Quillmont.Log")) : 0, 20000);
}

// A list of more lines than the memory limit holds fails alone: it is logged and
// kept, the other lists are cleaned, and the program starts.
TEST_F(LongLineStart, AListOfMoreLinesThanMemoryHoldsFailsAloneAndIsLogged) {
  ASSERT_NO_FATAL_FAILURE(AddPhotos({"a.jpg"}));
  Write("Photo_SlideGroups/Huge.lst", std::string(size_t(80) << 20, '\n'));
  Write("Photo_SlideGroups/Trip.lst", CrLf({"gone.jpg", "a.jpg"}));
  long peak = 0;
  ASSERT_NO_FATAL_FAILURE(Start(peak));
  EXPECT_EQ(qm::FileLen(Path("Photo_SlideGroups/Huge.lst")), std::int64_t(80) << 20);
  EXPECT_EQ(Read("Photo_SlideGroups/Trip.lst"), CrLf({"a.jpg"}));
  EXPECT_EQ(LogCount("An error has occurred in 'RemoveMissingPhotosFromGroup'. Error = Out of memory (" +
                     Path("Photo_SlideGroups/Huge.lst") + ")"),
            1u);
}

}  // namespace
