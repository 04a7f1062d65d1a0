#pragma once
// The program's message box: its text, an icon and its buttons, always within the
// screen. A text too long for the screen scrolls inside the box, so its buttons
// stay on the screen whatever the text holds.
#include <QDialog>

#include "platform/prompter.h"

class QDialogButtonBox;
class QHBoxLayout;
class QLabel;
class QTextEdit;

namespace qm {

class MessageDialog : public QDialog {
public:
  // Line ends of any kind (CR LF, LF, a lone CR) break the text's lines; the text is
  // shown as plain text, never read as markup.
  MessageDialog(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons, MsgIcon icon);

  // Shows the box modally; the answer is the button pressed. Closing it (Escape,
  // the close box) answers as its escape button would.
  MsgAnswer Run();

  QTextEdit* TextView() const { return text_; }
  QDialogButtonBox* ButtonBox() const { return buttons_; }

private:
  void FitText();
  int TitleWidth() const;
  int OtherWidth() const;
  QTextEdit* text_ = nullptr;
  QLabel* icon_ = nullptr;
  QHBoxLayout* row_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  MsgButtons kind_;
};

}  // namespace qm
