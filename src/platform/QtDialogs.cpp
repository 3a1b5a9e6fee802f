// The real dialogs: Qt's message box, input dialog and (non-native) file dialog.
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFileDialog>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>

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

bool QtDialogs::AskYesNo(const QString& text, const QString& title) {
  QMessageBox box(owner_);
  box.setWindowTitle(title);
  box.setText(text);
  box.setIcon(QMessageBox::Question);
  QPushButton* yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

QtDialogs::~QtDialogs() { delete openFileDialog_; }

QFileDialog& QtDialogs::openFileDialog(const OpenFileRequest& request) {
  if (!openFileDialog_) {
    openFileDialog_ = new QFileDialog(owner_, request.title, request.folder);
    openFileDialog_->setOption(QFileDialog::DontUseNativeDialog);
    openFileDialog_->setFileMode(QFileDialog::ExistingFile);
    openFileDialog_->setAcceptMode(QFileDialog::AcceptOpen);
  }
  QFileDialog& dialog = *openFileDialog_;
  dialog.setWindowTitle(request.title);
  dialog.setDirectory(request.folder);
  // The non-native dialog matches patterns regardless of case; Qt splits patterns on blanks only, so
  // the filter is set with blanks and its description then shown exactly as the game words it.
  // Setting the filters selects the first.
  QStringList filters;
  for (const FileFilter& filter : request.filters)
    filters << QStringLiteral("%1(%2)").arg(filter.description, filter.patterns.join(u' '));
  dialog.setNameFilters(filters);
  if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
    for (int i = 0; i < request.filters.size() && i < types->count(); ++i)
      types->setItemText(i, request.filters[i].description);
  // Nothing typed or picked at an earlier opening is left: the name field is empty, has the focus and
  // shows no completions, and no file is selected.
  if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    name->clear();
    if (name->completer()) name->completer()->popup()->hide();
    name->setFocus();
  }
  if (auto* files = dialog.findChild<QListView*>(QStringLiteral("listView")))
    files->selectionModel()->clear();
  return dialog;
}

QString QtDialogs::GetOpenFileName(const OpenFileRequest& request) {
  QFileDialog& dialog = openFileDialog(request);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

void QtDialogs::Beep() { QApplication::beep(); }

}  // namespace tarsio
