// Measures whether memory stays flat over cut-and-reset cycles: on a real board (offscreen), chooses a
// 6000 x 4000 picture, draws a 40 x 25 grid, cuts, paints every piece, resets, 50 times, and prints the
// resident set size (VmRSS) after cycles 1, 10 and 50: with the pieces, after the reset, and once the
// allocator has handed its free memory back (what the board itself still holds). Exits non-zero if a
// dialog shows a message.
#include <malloc.h>

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "board/Board.h"

namespace tarsio {
namespace {

constexpr int Cycles = 50;

// Answers every open-file dialog with the one picture and counts the messages.
class AnsweringDialogs : public Dialogs {
 public:
  explicit AnsweringDialogs(QString picture) : picture_(std::move(picture)) {}
  void MsgBox(const QString& text, const QString&, MessageIcon) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
    ++messages;
  }
  QString InputBox(const QString&, const QString&, const QString&) override { return {}; }
  QString GetOpenFileName(const OpenFileRequest&) override { return picture_; }
  bool YesNo(const QString&, const QString&, Answer) override { return true; }
  void Beep() override {}
  int messages = 0;

 private:
  QString picture_;
};

// The process's resident set size in MiB, from /proc/self/status.
double residentMiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
  return -1;
}

// A photo-sized picture with detail everywhere, so that no piece is a flat colour.
QImage largePicture() {
  QImage image(6000, 4000, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient gradient(0, 0, 6000, 4000);
  gradient.setColorAt(0, Qt::darkBlue);
  gradient.setColorAt(0.5, Qt::yellow);
  gradient.setColorAt(1, Qt::darkRed);
  painter.fillRect(image.rect(), gradient);
  painter.setPen(QPen(Qt::white, 3));
  for (int x = 0; x < 6000; x += 37) painter.drawLine(x, 0, 6000 - x, 4000);
  return image;
}

int run() {
  QTemporaryDir folder;
  const QString picture = folder.filePath(QStringLiteral("grande.jpg"));
  if (!folder.isValid() || !largePicture().save(picture, "JPEG", 90)) return 2;
  AnsweringDialogs dialogs(picture);
  Random random;
  BoardSetup setup;
  setup.dialogs = &dialogs;
  setup.random = &random;
  setup.stateFolder = folder.filePath(QStringLiteral("state"));
  Board board(setup);
  board.showMaximized();
  QCoreApplication::processEvents();
  std::printf("before the first cycle: VmRSS %.1f MiB\n", residentMiB());
  for (int cycle = 1; cycle <= Cycles; ++cycle) {
    board.CmdImma_Click();
    board.Righe.setText(QStringLiteral("40"));
    board.Colonne.setText(QStringLiteral("25"));
    board.CmdGriglia_Click();
    board.CmdTarsio_Click();
    board.canvas->grab();  // every piece is painted, so its picture is drawn and cached
    const double cut = residentMiB();
    if (board.game.GamePhase != 3 || board.ImA.count() != 1000) return 3;
    board.CmdAzze_Click();
    QCoreApplication::processEvents();
    if (cycle != 1 && cycle != 10 && cycle != Cycles) continue;
    const double reset = residentMiB();
    malloc_trim(0);
    std::printf("cycle %2d: VmRSS %.1f MiB with the pieces, %.1f MiB after the reset, %.1f MiB trimmed\n",
                cycle, cut, reset, residentMiB());
    std::fflush(stdout);
  }
  return dialogs.messages == 0 ? 0 : 1;
}

}  // namespace
}  // namespace tarsio

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return tarsio::run();
}
