// The real program in a program folder of its own: closing its main window ends
// the process, whatever other window is still up.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

TEST(ProgramEnd, ClosingTheMainWindowEndsTheProcess) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString program = dir.filePath("quillmont");
  ASSERT_TRUE(QFile::copy(QM_PROGRAM, program));
  const QString config = dir.filePath("config");
  QDir().mkpath(config + "/Dravenholt");
  QFile ini(config + "/Dravenholt/Quillmont.ini");
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write("[Options]\nFirstTime=False\n");
  ini.close();

  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_CONFIG_HOME", config);
  env.insert("LD_PRELOAD", QM_EXIT_PROBE);
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.setWorkingDirectory(dir.path());
  p.start(program, {});
  ASSERT_TRUE(p.waitForStarted());

  QByteArray err;  // what the program and the probe print
  while (!err.contains("main window closed") && p.state() == QProcess::Running && p.waitForReadyRead(60000))
    err += p.readAll();
  ASSERT_TRUE(err.contains("main window closed")) << err.toStdString();
  QElapsedTimer sinceClose;
  sinceClose.start();
  // A generous bound: the process used to live on for seconds, or for good
  // while another window was up.
  const bool ended = p.state() == QProcess::NotRunning || p.waitForFinished(3000);
  if (!ended) {
    p.kill();
    p.waitForFinished();
  }
  EXPECT_TRUE(ended) << "still running " << sinceClose.elapsed() << " ms after the main window closed";
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p.exitCode(), 0);
  EXPECT_TRUE(QFile::exists(dir.filePath("Photo_SlideGroups/  All Photos  .lst")));
}

}  // namespace
