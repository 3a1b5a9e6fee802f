// A scripted stand-in for the game's dialogs: records every call and answers from a script.
#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "platform/Dialogs.h"

namespace tarsio {

struct DialogCall {
  enum Kind { Message, Input, OpenFile, Question, Beep, Folder } kind;
  QString text;   // message text or input prompt
  QString title;  // message or input title
  MessageIcon icon = MessageIcon::None;
  QString defaultAnswer;  // for a message, the caption of the button it offers beside OK, if any
  OpenFileRequest request;
};

class ScriptedDialogs : public Dialogs {
 public:
  // Answers for the input boxes, the open-file dialogs and the questions, taken in order; "" stands for
  // Cancel, and a question takes "Sì" for yes and anything else for no.
  std::deque<QString> answers;
  std::vector<DialogCall> calls;

  void MsgBox(const QString& text, const QString& title, MessageIcon icon) override;
  // Recorded as a message; the offer is taken when the scripted answer is its caption.
  bool MsgBoxOffering(const QString& text, const QString& title, MessageIcon icon,
                      const QString& offer) override;
  // Recorded with the starting folder as its default answer.
  QString GetFolder(const QString& title, const QString& folder) override;
  QString InputBox(const QString& prompt, const QString& title, const QString& defaultAnswer) override;
  QString GetOpenFileName(const OpenFileRequest& request) override;
  // Answered "Sì" by the scripted answer "Sì", "No" by any other; the call records the preferred
  // answer as its default answer.
  bool YesNo(const QString& question, const QString& title, Answer preferred) override;
  // Answered Answer::Other by the scripted answer `other`.
  Answer YesNoOr(const QString& question, const QString& title, const QString& other, Answer preferred) override;
  void Beep() override;

  std::vector<DialogCall> messages() const { return ofKind(DialogCall::Message); }
  int beeps() const { return static_cast<int>(ofKind(DialogCall::Beep).size()); }
  std::vector<DialogCall> ofKind(DialogCall::Kind kind) const;

 private:
  QString nextAnswer();
};

}  // namespace tarsio
