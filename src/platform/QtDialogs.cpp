// The real dialogs: Qt's message box, input dialog and (non-native) file dialog.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/Dialogs.h"

namespace tarsio {

void QtDialogs::MsgBox(const QString& text, const QString& title, MessageIcon icon) {
  QMessageBox box(owner_);
  box.setWindowTitle(title);
  box.setText(text);
  box.setIcon(icon == MessageIcon::Critical      ? QMessageBox::Critical
              : icon == MessageIcon::Information ? QMessageBox::Information
                                                 : QMessageBox::NoIcon);
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

QString QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultAnswer) {
  bool ok = false;
  const QString answer = QInputDialog::getText(owner_, title, prompt, QLineEdit::Normal, defaultAnswer, &ok);
  return ok ? answer : QString();
}

QString QtDialogs::GetOpenFileName(const OpenFileRequest& request) {
  // The non-native dialog matches patterns regardless of case; Qt splits patterns on blanks only, so
  // the filter is set with blanks and its description then shown exactly as the game words it.
  QFileDialog dialog(owner_, request.title, request.folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  QStringList filters;
  for (const FileFilter& filter : request.filters)
    filters << QStringLiteral("%1(%2)").arg(filter.description, filter.patterns.join(u' '));
  dialog.setNameFilters(filters);
  if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
    for (int i = 0; i < request.filters.size() && i < types->count(); ++i)
      types->setItemText(i, request.filters[i].description);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

void QtDialogs::Beep() { QApplication::beep(); }

}  // namespace tarsio
