// The scripted dialogs.
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace tarsio {

void ScriptedDialogs::MsgBox(const QString& text, const QString& title, MessageIcon icon) {
  calls.push_back({DialogCall::Message, text, title, icon, {}, {}});
}

bool ScriptedDialogs::MsgBoxOffering(const QString& text, const QString& title, MessageIcon icon,
                                     const QString& offer) {
  calls.push_back({DialogCall::Message, text, title, icon, offer, {}});
  return nextAnswer() == offer;
}

QString ScriptedDialogs::GetFolder(const QString& title, const QString& folder) {
  calls.push_back({DialogCall::Folder, {}, title, MessageIcon::None, folder, {}});
  return nextAnswer();
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultAnswer) {
  calls.push_back({DialogCall::Input, prompt, title, MessageIcon::None, defaultAnswer, {}});
  return nextAnswer();
}

QString ScriptedDialogs::GetOpenFileName(const OpenFileRequest& request) {
  calls.push_back({DialogCall::OpenFile, {}, request.title, MessageIcon::None, {}, request});
  return nextAnswer();
}

bool ScriptedDialogs::YesNo(const QString& question, const QString& title, Answer preferred) {
  return YesNoOr(question, title, {}, preferred) == Answer::Yes;
}

Answer ScriptedDialogs::YesNoOr(const QString& question, const QString& title, const QString& other,
                                Answer preferred) {
  const QString byDefault = preferred == Answer::Yes ? QStringLiteral("Sì") : QStringLiteral("No");
  calls.push_back({DialogCall::Question, question, title, MessageIcon::None, byDefault, {}});
  const QString answer = nextAnswer();
  return answer == QStringLiteral("Sì") ? Answer::Yes : answer == other ? Answer::Other : Answer::No;
}

void ScriptedDialogs::Beep() { calls.push_back({DialogCall::Beep, {}, {}, MessageIcon::None, {}, {}}); }

std::vector<DialogCall> ScriptedDialogs::ofKind(DialogCall::Kind kind) const {
  std::vector<DialogCall> found;
  for (const DialogCall& call : calls)
    if (call.kind == kind) found.push_back(call);
  return found;
}

QString ScriptedDialogs::nextAnswer() {
  if (answers.empty()) {
    ADD_FAILURE() << "a dialog asked for an answer that the test did not script";
    return {};
  }
  QString answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace tarsio
