#pragma once
// A prompter that answers from a script and records every prompt; a prompt the
// script did not expect is recorded as unexpected so the test can fail on it.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace qm {

struct RecordedPrompt {
  std::string text;
  std::string title;
  MsgButtons buttons = MsgButtons::OK;
  bool input = false;
  std::string defaultText;  // an input box's offered answer
};

class ScriptedPrompter : public Prompter {
public:
  ScriptedPrompter();
  ~ScriptedPrompter() override;

  void ExpectMsg(MsgAnswer answer) { msgAnswers_.push_back(answer); }
  void ExpectInput(std::optional<std::string> answer) { inputAnswers_.push_back(std::move(answer)); }

  MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, const std::string& title, MsgIcon icon) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;

  const std::vector<RecordedPrompt>& Prompts() const { return prompts_; }
  // Prompts that came with no scripted answer left.
  int Unexpected() const { return unexpected_; }
  bool ScriptDone() const { return msgAnswers_.empty() && inputAnswers_.empty(); }

private:
  std::deque<MsgAnswer> msgAnswers_;
  std::deque<std::optional<std::string>> inputAnswers_;
  std::vector<RecordedPrompt> prompts_;
  int unexpected_ = 0;
};

}  // namespace qm
