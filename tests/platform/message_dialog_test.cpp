// The program's real message box on the screen: whatever its text, the box and its
// buttons stay on the screen, the text is the caller's, and the answers are the
// buttons'.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "platform/message_dialog.h"
#include "platform/prompter.h"

namespace {

// Asks through the program's prompter and, once the box is up, looks at it and
// answers it as look says.
qm::MsgAnswer AskAndLook(const std::string& text, qm::MsgButtons buttons,
                         const std::function<void(qm::MessageDialog&)>& look, const std::string& title = "") {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = dynamic_cast<qm::MessageDialog*>(QApplication::activeModalWidget());
    if (!box) return;
    seen = true;
    look(*box);
  });
  const qm::MsgAnswer answer = qm::MsgBox(text, buttons, title);
  EXPECT_TRUE(seen);
  return answer;
}

bool OnScreen(const QWidget& w) {
  return w.screen()->availableGeometry().contains(QRect(w.mapToGlobal(QPoint(0, 0)), w.size()));
}

}  // namespace

TEST(MessageBox, AnyTextFitsTheScreenAndScrollsInsideTheBox) {
  struct Case {
    std::string text;
    bool scrolls;
  } cases[] = {
      {"Short.", false},
      {std::string(20000, 'x') + ".jpg", true},  // one long name without blanks
      {[] {
         std::string s = "Many lines:\r\r";
         for (int i = 0; i < 400; ++i) s += "line " + std::to_string(i) + "\r";
         return s;
       }(),
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    AskAndLook(c.text, qm::MsgButtons::OK, [&](qm::MessageDialog& box) {
      EXPECT_TRUE(box.screen()->availableGeometry().contains(box.frameGeometry()));
      QAbstractButton* ok = box.ButtonBox()->button(QDialogButtonBox::Ok);
      EXPECT_TRUE(OnScreen(*ok));
      EXPECT_EQ(box.TextView()->verticalScrollBar()->maximum() > 0, c.scrolls);
      EXPECT_EQ(box.TextView()->toPlainText(), QString::fromStdString(c.text).replace('\r', '\n'));
      EXPECT_EQ(box.windowTitle(), "Quillmont");
      QTest::mouseClick(ok, Qt::LeftButton);
    });
  }
}

TEST(MessageBox, TextIsPlainAndAnswersAreTheButtons) {
  const std::string markup = "<b>a.jpg</b> & <i>b</i>";
  EXPECT_EQ(AskAndLook(markup, qm::MsgButtons::YesNo,
                       [&](qm::MessageDialog& box) {
                         EXPECT_EQ(box.TextView()->toPlainText().toStdString(), markup);
                         box.ButtonBox()->button(QDialogButtonBox::Yes)->click();
                       }),
            qm::MsgAnswer::Yes);
  // Escape (and the close box) answer as the escape button would.
  const std::pair<qm::MsgButtons, qm::MsgAnswer> escapes[] = {{qm::MsgButtons::OK, qm::MsgAnswer::OK},
                                                              {qm::MsgButtons::YesNo, qm::MsgAnswer::No},
                                                              {qm::MsgButtons::YesNoCancel, qm::MsgAnswer::Cancel}};
  for (const auto& [buttons, answer] : escapes)
    EXPECT_EQ(AskAndLook("Go on?", buttons, [](qm::MessageDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
              answer);
  // Enter takes the first button.
  EXPECT_EQ(AskAndLook("Go on?", qm::MsgButtons::OKCancel,
                       [](qm::MessageDialog& box) { QTest::keyClick(&box, Qt::Key_Return); }),
            qm::MsgAnswer::OK);
}

TEST(MessageBox, TheBoxIsAsWideAsItsTitle) {
  AskAndLook("Short.", qm::MsgButtons::OK, [](qm::MessageDialog& box) {
    EXPECT_GE(box.width(), QFontMetrics(QApplication::font("QTitleBar")).horizontalAdvance(box.windowTitle()) +
                               box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box));
    box.ButtonBox()->button(QDialogButtonBox::Ok)->click();
  }, "Removed unassociated INFO file(s)");
}
