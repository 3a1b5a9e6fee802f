// The real dialogs: Qt's message box, input dialog and (non-native) file dialog.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QListView>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

#include "platform/Dialogs.h"

namespace tarsio {

namespace {

// The file list in the game's language: Qt's list of files words sizes and dates as the system's
// language does and calls a folder "Folder" whatever the language; these follow the game's locale.
class FileListInGameLanguage : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files) return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale locale;
    switch (index.column()) {
      case 1:
        if (!files->isDir(source)) return locale.formattedDataSize(files->size(source));
        break;
      case 2:
        if (files->isDir(source)) return QStringLiteral("Cartella");
        break;
      case 3:
        return locale.toString(files->lastModified(source), QLocale::ShortFormat);
    }
    return QIdentityProxyModel::data(index, role);
  }
};

// The texts the size, type and date columns of the file list show at their widest for the files the
// game opens, as the file list words them in the game's language.
QList<QStringList> columnSamples() {
  const QLocale system;
  const QMimeDatabase mime;
  QStringList types{QStringLiteral("Cartella")};
  for (const char* name : { "image/bmp", "image/gif", "image/jpeg", "text/plain",
                           "application/x-tarsio-saved-game"})
    types << mime.mimeTypeForName(QString::fromLatin1(name)).comment();
  const QDateTime late(QDate(2026, 12, 28), QTime(23, 58, 58));
  return {{system.formattedDataSize(999'990'000)}, types, {system.toString(late, QLocale::ShortFormat)}};
}

// Widens the size, type and date columns to their texts and the dialog so that the four columns show
// side by side, within the screen. Run when the dialog is first shown, before the dialog centres itself
// over its owner: only then are its parts laid out, so that the room left for the list is known.
void fitColumns(QFileDialog& dialog) {
  auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!details) return;
  QHeaderView* header = details->header();
  const QFontMetrics metrics(details->font());
  const int margin = 2 * details->style()->pixelMetric(QStyle::PM_HeaderMargin) + metrics.averageCharWidth();
  const QList<QStringList> samples = columnSamples();
  for (int column = 1; column <= samples.size() && column < header->count(); ++column) {
    int width = metrics.horizontalAdvance(header->model()->headerData(column, Qt::Horizontal).toString());
    for (const QString& text : samples[column - 1]) width = std::max(width, metrics.horizontalAdvance(text));
    header->resizeSection(column, std::max(header->sectionSize(column), width + margin));
  }
  const int wanted =
      header->length() + details->verticalScrollBar()->sizeHint().width() + 2 * details->frameWidth();
  const int width = dialog.width() + std::max(0, wanted - details->width());
  const QSize screen = dialog.screen()->availableGeometry().size();
  dialog.resize(QSize(width, std::max(dialog.height(), width * 2 / 3)).boundedTo(screen));
}

// Fits the dialog's columns when it is first shown, before its window appears; later openings keep
// the size the player has given it.
class FitColumnsAtFirstShow : public QObject {
 public:
  explicit FitColumnsAtFirstShow(QFileDialog* dialog) : QObject(dialog) { dialog->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      watched->removeEventFilter(this);
      fitColumns(*static_cast<QFileDialog*>(watched));
    }
    return false;
  }
};

}  // namespace

void QtDialogs::MsgBox(const QString& text, const QString& title, MessageIcon icon) {
  MsgBoxOffering(text, title, icon, {});
}

bool QtDialogs::MsgBoxOffering(const QString& text, const QString& title, MessageIcon icon,
                               const QString& offer) {
  QMessageBox box(owner_);
  box.setWindowTitle(title);
  box.setText(text);
  box.setIcon(icon == MessageIcon::Critical      ? QMessageBox::Critical
              : icon == MessageIcon::Information ? QMessageBox::Information
                                                 : QMessageBox::NoIcon);
  box.setStandardButtons(QMessageBox::Ok);
  QAbstractButton* offered = offer.isEmpty() ? nullptr : box.addButton(offer, QMessageBox::ActionRole);
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
  return offered && box.clickedButton() == offered;
}

QString QtDialogs::GetFolder(const QString& title, const QString& folder) {
  // Qt's own dialog rather than the system's, as for opening files: its texts follow the game's language.
  return QFileDialog::getExistingDirectory(owner_, title, folder,
                                           QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

bool QtDialogs::YesNo(const QString& question, const QString& title, Answer preferred) {
  return YesNoOr(question, title, {}, preferred) == Answer::Yes;
}

Answer QtDialogs::YesNoOr(const QString& question, const QString& title, const QString& other, Answer preferred) {
  QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Yes | QMessageBox::No, owner_);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
  box.button(QMessageBox::No)->setText(QStringLiteral("No"));
  QAbstractButton* third = other.isEmpty() ? nullptr : box.addButton(other, QMessageBox::ActionRole);
  box.setDefaultButton(preferred == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  box.exec();
  if (third && box.clickedButton() == third) return Answer::Other;
  return box.clickedButton() == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

QString QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultAnswer) {
  bool ok = false;
  const QString answer = QInputDialog::getText(owner_, title, prompt, QLineEdit::Normal, defaultAnswer, &ok);
  return ok ? answer : QString();
}

QtDialogs::~QtDialogs() { delete openFileDialog_; }

QFileDialog& QtDialogs::openFileDialog(const OpenFileRequest& request) {
  if (!openFileDialog_) {
    openFileDialog_ = new QFileDialog(owner_, request.title, request.folder);
    openFileDialog_->setOption(QFileDialog::DontUseNativeDialog);
    openFileDialog_->setFileMode(QFileDialog::ExistingFile);
    openFileDialog_->setAcceptMode(QFileDialog::AcceptOpen);
    openFileDialog_->setProxyModel(new FileListInGameLanguage(openFileDialog_));
    new FitColumnsAtFirstShow(openFileDialog_);
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
