#include "platform/prompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/window_focus.h"

namespace qm {
namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

class DialogPrompter : public Prompter {
public:
  MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, const std::string& title,
                   MsgIcon icon) override {
    const KeepActiveWindow keep;
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(Q(title));
    box.setText(Q(text));
    switch (icon) {
      case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
      case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
      case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
      case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
      case MsgIcon::None: break;
    }
    switch (buttons) {
      case MsgButtons::OK: box.setStandardButtons(QMessageBox::Ok); break;
      case MsgButtons::OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
      case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
      case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
      case QMessageBox::Yes: return MsgAnswer::Yes;
      case QMessageBox::No: return MsgAnswer::No;
      case QMessageBox::Cancel: return MsgAnswer::Cancel;
      case QMessageBox::Ok: return MsgAnswer::OK;
      default:
        // Closing the box answers as its escape button would.
        return buttons == MsgButtons::OK ? MsgAnswer::OK
               : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                              : MsgAnswer::Cancel;
    }
  }

  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override {
    const KeepActiveWindow keep;
    bool ok = false;
    QString text = QInputDialog::getText(QApplication::activeWindow(), Q(title), Q(prompt), QLineEdit::Normal,
                                         Q(defaultText), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
  }
};

DialogPrompter& Dialogs() {
  static DialogPrompter p;
  return p;
}

Prompter* g_prompter = nullptr;

}  // namespace

Prompter& CurrentPrompter() { return g_prompter ? *g_prompter : Dialogs(); }
void SetPrompter(Prompter* prompter) { g_prompter = prompter; }

MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, const std::string& title, MsgIcon icon) {
  return CurrentPrompter().MsgBox(text, buttons, title.empty() ? "Quillmont" : title, icon);
}

std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText) {
  return CurrentPrompter().InputBox(prompt, title.empty() ? "Quillmont" : title, defaultText);
}

}  // namespace qm
