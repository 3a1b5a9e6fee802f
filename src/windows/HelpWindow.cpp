// The help window: finding and reading the help file, placing and sizing the window.
#include "windows/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <utility>

#include "platform/Twips.h"
#include "windows/HelpText.h"

namespace tarsio {

namespace {

constexpr double InnerWidth = 8070;  // twips, as designed
constexpr double InnerHeight = 6180;
constexpr double ListLeft = 120, ListTop = 240, ListWidth = 7845, ListHeight = 5070;
constexpr double ButtonLeft = 6075, ButtonTop = 5535, ButtonWidth = 1245, ButtonHeight = 420;
constexpr double ListPointSize = 9.75;

}  // namespace

QStringList helpFileFolders(const QString& programFolder) {
  return {QStringLiteral("."), QDir::cleanPath(programFolder + QStringLiteral("/" TARSIO_DATA_FROM_PROGRAM)),
          QStringLiteral(TARSIO_SOURCE_DATA_DIR)};
}

std::optional<QByteArray> readHelpFile(const QStringList& folders) {
  for (const QString& folder : folders) {
    QFile file(QDir(folder).filePath(HelpFileName));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) continue;
    return file.readAll();
  }
  return std::nullopt;
}

FormA::FormA(QWidget& board, Dialogs& dialogs, QStringList folders)
    : QDialog(&board),
      Listai(new QListWidget(this)),
      Command1(this),
      board_(board),
      dialogs_(dialogs),
      folders_(folders.isEmpty() ? helpFileFolders(QCoreApplication::applicationDirPath())
                                 : std::move(folders)) {
  setWindowTitle(QStringLiteral("    A I U T O       v.4"));
  QFont font = Listai->font();
  font.setPointSizeF(ListPointSize);
  Listai->setFont(font);
  Listai->setGeometry(twipsToPixelRect(ListLeft, ListTop, ListWidth, ListHeight));
  Command1.place(ButtonLeft, ButtonTop, ButtonWidth, ButtonHeight);
  Command1.setCaption(QStringLiteral("Chiudi"));
  Command1.onClick = [this] { close(); };
  setFixedSize(twipsToPixelRect(0, 0, InnerWidth, InnerHeight).size());
}

bool FormA::load() {
  // The board's outer top-left corner and height. Both windows carry the same decorations, so an
  // inner height equal to the board's inner height gives the same outer height.
  move(board_.frameGeometry().topLeft());
  setFixedSize(width(), board_.geometry().height());
  const std::optional<QByteArray> bytes = readHelpFile(folders_);
  if (!bytes) {
    dialogs_.MsgBox(QStringLiteral("File TarsioAiutoV4 non trovato"),
                    QStringLiteral("Richiesta ignorata ..."), MessageIcon::Information);
    return false;
  }
  Listai->clear();
  Listai->addItems(helpLines(*bytes));
  return true;
}

void FormA::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  Form_Resize();
}

void FormA::Form_Resize() {
  const int inner = static_cast<int>(roundHalfEven(pixelsToTwips(height())));
  Listai->setGeometry(twipsToPixelRect(ListLeft, ListTop, ListWidth, helpListHeight(inner)));
  Command1.setTop(helpButtonTop(inner));
}

}  // namespace tarsio
