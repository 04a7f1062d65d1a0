#pragma once
// Every message box and input box goes through one prompter. The program's prompter
// shows Qt dialogs; tests install a scripted one.
#include <optional>
#include <string>

namespace qm {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { OK, Cancel, Yes, No };

class Prompter {
public:
  virtual ~Prompter() = default;
  virtual MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, const std::string& title,
                           MsgIcon icon) = 0;
  // nullopt when the user cancels.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) = 0;
};

// The installed prompter; the Qt dialog prompter unless a test set another.
Prompter& CurrentPrompter();
// nullptr restores the Qt dialog prompter.
void SetPrompter(Prompter* prompter);

// An empty title means the application's title, "Quillmont".
MsgAnswer MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OK, const std::string& title = "",
                 MsgIcon icon = MsgIcon::None);
std::optional<std::string> InputBox(const std::string& prompt, const std::string& title = "",
                                    const std::string& defaultText = "");

}  // namespace qm
