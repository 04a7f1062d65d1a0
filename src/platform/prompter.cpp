#include "platform/prompter.h"

#include <QApplication>
#include <QInputDialog>

#include "platform/message_dialog.h"

#include "platform/shown_names.h"

namespace qm {
namespace {

QString Q(const std::string& s) { return ShownText(s); }

class DialogPrompter : public Prompter {
public:
  MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, const std::string& title,
                   MsgIcon icon) override {
    // Every box fits the screen, however long its text.
    MessageDialog box(QApplication::activeWindow(), Q(title), Q(text), buttons, icon);
    return box.Run();
  }

  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override {
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
