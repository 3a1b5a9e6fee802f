// The help window: the help file shown line by line in a list, over the left part of the board.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QStringList>
#include <optional>

#include "platform/Controls.h"
#include "platform/Dialogs.h"

class QListWidget;

namespace tarsio {

inline const QString HelpFileName = QStringLiteral("TarsioAiutoV4.txt");

// Where the help file is looked for, in order: the current directory ("." is resolved at each
// reading, so it follows later changes of the current directory), the data folder installed beside the
// program that lives in programFolder (<programFolder>/../share/tarsio), the source tree's resources
// folder (for the program run from its build tree).
QStringList helpFileFolders(const QString& programFolder);

// The bytes of the help file from the first folder that holds a readable one, read now; nothing when
// none does.
std::optional<QByteArray> readHelpFile(const QStringList& folders);

class FormA : public QDialog {
 public:
  // board: the window whose left edge, top edge and height the help window takes. folders: where the
  // help file is looked for, in order; empty: helpFileFolders() of the running program's folder.
  FormA(QWidget& board, Dialogs& dialogs, QStringList folders = {});

  // Places the window and fills the list from the help file, read afresh. When no folder holds a
  // readable help file it shows one message box and returns false: the window must not be shown.
  bool load();

  QListWidget* const Listai;
  CommandButton Command1;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Form_Resize();

  QWidget& board_;
  Dialogs& dialogs_;
  QStringList folders_;
};

}  // namespace tarsio
