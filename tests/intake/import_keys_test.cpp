// The import dialog from the keyboard and its report on the screen: the access
// keys of its buttons run after run, and the real message box with a long report.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <filesystem>

#include "import_fixture.h"
#include "platform/message_dialog.h"
#include "support/wait_until.h"
#include "support/yield_watch.h"

namespace {

// Alt and a letter, typed into the prefix box: a key no button takes would type
// its letter there.
void PressAlt(frmImport& d, Qt::Key key) {
  d.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  d.txtAutoName[0]->setFocus();
  QTest::keyClick(d.txtAutoName[0], key, Qt::AltModifier);
}

}  // namespace

TEST_F(ImportTest, AltKeysStartTheImportAndTheScanRunAfterRun) {
  const std::string src = Source({"a.jpg"});
  D().SetDir1Path(src);
  Rows({"a.jpg"}, src);
  // Auto-named links: every run brings one more photo.
  Options(true, false, false, true);
  EXPECT_EQ(D().cmdImport->text(), "&Import");
  EXPECT_EQ(D().cmdAutoScan->text(), "&Auto-Scan (and sub-folders)");
  D().show();
  for (size_t run = 1; run <= 2; ++run) {
    PressAlt(D(), Qt::Key_I);
    ASSERT_TRUE(WaitUntil([&] { return Infos().size() == run && !D().ImportScanBusy; })) << run;
    EXPECT_EQ(D().cmdImport->text(), "&Import");
  }
  for (int run = 1; run <= 2; ++run) {
    PressAlt(D(), Qt::Key_A);
    ASSERT_TRUE(WaitUntil([&] { return D().List1->count() == 1 + run && !D().ImportScanBusy; })) << run;
    EXPECT_EQ(D().cmdAutoScan->text(), "&Auto-Scan (and sub-folders)");
  }
  EXPECT_EQ(D().txtAutoName[0]->text(), "Image") << "no key was typed into the box";
}

TEST_F(ImportTest, AReportOfThreeHundredFailedRowsFitsTheScreen) {
  std::vector<std::string> names;
  std::string report = kImportReport;
  for (int i = 0; i < 300; ++i) {
    names.push_back("missing" + std::to_string(i) + ".jpg");
    report += names.back() + "    Error=File not found\r";
  }
  std::filesystem::create_directories(Path("card"));
  Rows(names, Path("card"));
  D().show();
  bool seen = false;
  qm::SetPrompter(nullptr);
  {
    AtEveryYield watch([&] {
      auto* box = dynamic_cast<qm::MessageDialog*>(QApplication::activeModalWidget());
      if (seen || !box || !box->isVisible()) return;
      seen = true;
      const QRect screen = box->screen()->availableGeometry();
      EXPECT_TRUE(screen.contains(box->frameGeometry())) << box->frameGeometry().height();
      QAbstractButton* ok = box->ButtonBox()->button(QDialogButtonBox::Ok);
      EXPECT_TRUE(screen.contains(QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size())));
      EXPECT_EQ(box->TextView()->toPlainText().toStdString(), QString::fromStdString(report).replace('\r', '\n').toStdString());
      EXPECT_GT(box->TextView()->verticalScrollBar()->maximum(), 0) << "the text scrolls";
      QTest::mouseClick(ok, Qt::LeftButton);
    });
    D().cmdImport_Click();
  }
  qm::SetPrompter(&prompter);
  EXPECT_TRUE(seen);
  EXPECT_FALSE(D().ImportScanBusy);
}
