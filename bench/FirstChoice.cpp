// Picture choices through the real open-file dialog, timed from the acceptance until the board has
// painted the picture (its first sight, for a large photo) and no event is pending.
#include "FirstChoice.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "BenchBoard.h"

namespace tarsio::bench {

namespace {

using Clock = std::chrono::steady_clock;

// How long the dialog stays open before it is answered, so that its folder listing is done, as it is
// by the time a player has picked a file.
constexpr int DialogSettleMs = 500;

// Counts the paints of one widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Runs the picture command; the real dialog, once shown and settled, gets the path typed into its
// file-name field and Return. Milliseconds from that Return until the canvas has painted after the
// command and the event loop has nothing left to do.
double chooseThroughDialog(BenchBoard& bench, const QString& path) {
  Clock::time_point accepted{}, shownAt{};
  QTimer answer;
  answer.setInterval(5);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
    if (!name || accepted != Clock::time_point{}) return;
    if (shownAt == Clock::time_point{}) shownAt = Clock::now();
    if (Clock::now() - shownAt < std::chrono::milliseconds(DialogSettleMs)) return;
    name->setText(path);
    accepted = Clock::now();
    QTest::keyClick(name, Qt::Key_Return);
  });
  answer.start();
  bench.board().CmdImma_Click();
  answer.stop();
  if (accepted == Clock::time_point{}) stop(QStringLiteral("the dialog was never answered"));
  const PaintCounter counter(bench.board().canvas);
  QAbstractEventDispatcher* events = QAbstractEventDispatcher::instance();
  while (events->processEvents(QEventLoop::AllEvents) || counter.paints == 0) {
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - accepted).count();
  bench.expectNoMessage();
  if (bench.board().game.GamePhase != 1) stop(QStringLiteral("the picture was not chosen"));
  return ms;
}

// Runs this benchmark again as a child with `arguments` and reads the numbers it prints.
std::vector<double> childNumbers(const QStringList& arguments) {
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), arguments);
  child.waitForFinished(-1);
  std::vector<double> numbers;
  for (const QByteArray& word : child.readAllStandardOutput().simplified().split(' ')) {
    bool ok = false;
    numbers.push_back(word.toDouble(&ok));
    if (!ok) numbers.clear();
  }
  if (child.exitCode() != 0 || numbers.empty())
    stop(QStringLiteral("the child run failed: ") + QString::fromLocal8Bit(child.readAllStandardError()));
  return numbers;
}

}  // namespace

int measureChoicesHere(const Inputs& in) {
  QtDialogs dialogs;
  BenchBoard bench(&dialogs);
  dialogs.setOwner(&bench.board());
  const double first = chooseThroughDialog(bench, in.photo);
  const double second = chooseThroughDialog(bench, in.photo);
  // The full decode still running behind the first sight would slow the plain decode down.
  if (!bench.board().needFullPicture()) stop(QStringLiteral("the full picture was refused"));
  std::printf("%.3f %.3f %.3f\n", first, second, plainDecode(in.photo));
  return 0;
}

int measureDecodeHere(const QString& photo) {
  std::printf("%.3f\n", plainDecode(photo));
  return 0;
}

std::vector<Row> firstChoices(const Inputs& in) {
  std::vector<double> firsts, seconds, warmDecodes, freshDecodes;
  for (int run = 0; run < 5; ++run) {
    freshDecodes.push_back(childNumbers({QString::fromLatin1(DecodeFlag), in.photo}).front());
    const std::vector<double> choices = childNumbers({QString::fromLatin1(ChooseFlag), in.photo});
    if (choices.size() != 3) stop(QStringLiteral("the choosing run printed no three figures"));
    firsts.push_back(choices[0]);
    seconds.push_back(choices[1]);
    warmDecodes.push_back(choices[2]);
  }
  const QImageReader reader(in.photo);
  const QString size = QStringLiteral("%1 MP").arg(qRound(reader.size().width() * reader.size().height() / 1e6));
  return {{QStringLiteral("%1: first choice in a fresh process, real dialog (vs decode in a fresh process)").arg(size),
           median(firsts), median(freshDecodes), 0.3, QStringLiteral("ms")},
          {QStringLiteral("%1: second choice in the same process, real dialog (vs decode there)").arg(size),
           median(seconds), median(warmDecodes), 0.3, QStringLiteral("ms")}};
}

}  // namespace tarsio::bench
