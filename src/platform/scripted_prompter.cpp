#include "platform/scripted_prompter.h"

namespace qm {

ScriptedPrompter::ScriptedPrompter() { SetPrompter(this); }
ScriptedPrompter::~ScriptedPrompter() { SetPrompter(nullptr); }

MsgAnswer ScriptedPrompter::MsgBox(const std::string& text, MsgButtons buttons, const std::string& title,
                                   MsgIcon) {
  prompts_.push_back({text, title, buttons, false, ""});
  if (msgAnswers_.empty()) {
    ++unexpected_;
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : buttons == MsgButtons::OK ? MsgAnswer::OK : MsgAnswer::Cancel;
  }
  MsgAnswer a = msgAnswers_.front();
  msgAnswers_.pop_front();
  return a;
}

std::optional<std::string> ScriptedPrompter::InputBox(const std::string& prompt, const std::string& title,
                                                      const std::string& defaultText) {
  prompts_.push_back({prompt, title, MsgButtons::OKCancel, true, defaultText});
  if (inputAnswers_.empty()) {
    ++unexpected_;
    return std::nullopt;
  }
  auto a = inputAnswers_.front();
  inputAnswers_.pop_front();
  return a;
}

}  // namespace qm
