// Every dialog of the game behind one interface: message box, question, input box, open-file and
// folder dialogs, beep.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace tarsio {

enum class MessageIcon { None, Critical, Information };
enum class Answer { Yes, No, Other };

// A filter of the open-file dialog: its description exactly as shown, and the patterns it stands for.
struct FileFilter {
  QString description;
  QStringList patterns;
  bool operator==(const FileFilter&) const = default;
};

struct OpenFileRequest {
  QString title;
  // The filters in the order offered; the first is the one selected when the dialog opens.
  QList<FileFilter> filters;
  QString folder;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message box with an OK button only.
  virtual void MsgBox(const QString& text, const QString& title, MessageIcon icon) = 0;
  // A message box with an OK button and a second one captioned `offer`; true when the player clicks
  // the second.
  virtual bool MsgBoxOffering(const QString& text, const QString& title, MessageIcon icon,
                              const QString& offer) = 0;
  // The folder the player chooses in the file dialog, which opens at `folder`; "" when the player
  // cancels.
  virtual QString GetFolder(const QString& title, const QString& folder) = 0;
  // The answer typed, or "" when the player cancels.
  virtual QString InputBox(const QString& prompt, const QString& title, const QString& defaultAnswer) = 0;
  // The full path of the chosen file, or "" when the player cancels.
  virtual QString GetOpenFileName(const OpenFileRequest& request) = 0;
  // A question with the buttons "Sì" and "No": `preferred` is the default button (Return), Escape
  // answers "No". True when the player answers "Sì".
  virtual bool YesNo(const QString& question, const QString& title, Answer preferred) = 0;
  // The same question with a third button captioned `other`, answered Answer::Other. Without one of
  // its own, a double of the dialogs asks the plain question.
  virtual Answer YesNoOr(const QString& question, const QString& title, const QString&, Answer preferred) {
    return YesNo(question, title, preferred) ? Answer::Yes : Answer::No;
  }
  virtual void Beep() = 0;
};

// The real dialogs, modal over their owner window. The open-file dialog is made once and shown again
// at each opening: destroying one saves its state to disk and tears down its widgets while the player
// waits for the chosen file.
class QtDialogs : public Dialogs {
 public:
  ~QtDialogs() override;
  void setOwner(QWidget* owner) { owner_ = owner; }
  void MsgBox(const QString& text, const QString& title, MessageIcon icon) override;
  bool MsgBoxOffering(const QString& text, const QString& title, MessageIcon icon,
                      const QString& offer) override;
  QString GetFolder(const QString& title, const QString& folder) override;
  QString InputBox(const QString& prompt, const QString& title, const QString& defaultAnswer) override;
  QString GetOpenFileName(const OpenFileRequest& request) override;
  bool YesNo(const QString& question, const QString& title, Answer preferred) override;
  Answer YesNoOr(const QString& question, const QString& title, const QString& other, Answer preferred) override;
  void Beep() override;

 private:
  QFileDialog& openFileDialog(const OpenFileRequest& request);

  QWidget* owner_ = nullptr;
  // A child of the owner, so it goes with the owner's window; deleted here if it is still there.
  QPointer<QFileDialog> openFileDialog_;
};

}  // namespace tarsio
