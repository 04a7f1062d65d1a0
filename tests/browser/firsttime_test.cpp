// The first-run notice: its texts exactly as shown, its fonts, and where the long
// notes break.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QTextLayout>
#include <QTimer>

#include "browser/frmFirstTime.h"
#include "support/temp_archive.h"

namespace {

// The lines a word-wrapped label of the given width shows.
std::vector<std::string> WrappedLines(const QLabel* l) {
  const QString text = l->text();
  QTextLayout layout(text, l->font());
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  std::vector<std::string> lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(l->contentsRect().width());
    lines.push_back(text.mid(line.textStart(), line.textLength()).trimmed().toStdString());
  }
  layout.endLayout();
  return lines;
}

class FirstTimeTest : public TempArchive {
protected:
  void TearDown() override {
    frmFirstTime::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    TempArchive::TearDown();
  }
};

}  // namespace

TEST_F(FirstTimeTest, TextsAndFontsAsShown) {
  frmFirstTime& f = frmFirstTime::Get();
  EXPECT_EQ(f.size(), QSize(363, 259));
  EXPECT_EQ(f.windowTitle(), "Quillmont");
  EXPECT_FALSE(f.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowCloseButtonHint));

  EXPECT_EQ(f.lblProductName->pos(), QPoint(88, 4));
  EXPECT_EQ(f.lblProductShadow->pos(), QPoint(91, 6));
  EXPECT_EQ(f.lblProductName->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(f.lblProductShadow->palette().color(QPalette::WindowText), QColor(128, 128, 128));
  for (QLabel* l : {f.lblProductName, f.lblProductShadow}) {
    EXPECT_EQ(l->text(), "Quillmont");
    EXPECT_DOUBLE_EQ(l->font().pointSizeF(), 24);
    EXPECT_TRUE(l->font().bold() && l->font().italic());
  }
  EXPECT_EQ(f.lblHeading->text(), "FIRST TIME ONLY SCREEN");
  EXPECT_EQ(f.lblNote->text(), "Note");
  EXPECT_EQ(f.lblNote1->text().toStdString(),
            "1. On startup, Quillmont auto-scans the archive to         check for missing files & out-of-date "
            "thumnails.");
  EXPECT_EQ(f.lblNote3->text().toStdString(),
            "3. Your photos/images can easily be found and              added to the archive by using the "
            "\"Import /                 Auto-Scan ...\" option located under the                       \"File\" "
            "menu.");
  for (QLabel* l : {f.lblHeading, f.lblNote, f.lblNote1, f.lblNote3}) {
    EXPECT_DOUBLE_EQ(l->font().pointSizeF(), 9.75);
    EXPECT_TRUE(l->font().bold());
    EXPECT_FALSE(l->font().italic());
    EXPECT_EQ(l->textFormat(), Qt::PlainText);
    EXPECT_EQ(l->buddy(), nullptr) << "no mnemonic: the \"&\" is shown";
    EXPECT_LE(l->geometry().right(), f.width());
    EXPECT_LE(l->geometry().bottom(), f.height());
  }
}

TEST_F(FirstTimeTest, TheRunsOfBlanksBreakTheNotesWhereTheyWereWritten) {
  frmFirstTime& f = frmFirstTime::Get();
  EXPECT_EQ(WrappedLines(f.lblNote1), (std::vector<std::string>{"1. On startup, Quillmont auto-scans the archive to",
                                                                 "check for missing files & out-of-date thumnails."}));
  EXPECT_EQ(WrappedLines(f.lblNote3),
            (std::vector<std::string>{"3. Your photos/images can easily be found and",
                                      "added to the archive by using the \"Import /",
                                      "Auto-Scan ...\" option located under the", "\"File\" menu."}));
  // Every line fits inside the label.
  for (QLabel* l : {f.lblNote1, f.lblNote3}) {
    const QRect needed =
        l->fontMetrics().boundingRect(l->contentsRect(), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, l->text());
    EXPECT_LE(needed.height(), l->height()) << l->objectName().toStdString();
  }
}

TEST_F(FirstTimeTest, ShownModallyAndClosedWithItsCloseBox) {
  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    wasModal = frmFirstTime::Get().isModal() && frmFirstTime::Get().isVisible();
    frmFirstTime::Get().close();
  });
  frmFirstTime::Get().exec();
  EXPECT_TRUE(wasModal);
  EXPECT_FALSE(frmFirstTime::IsLoaded());
}
