// The private X desktop: starting and stopping Xvfb and openbox, and the tools run on it.
#include "e2e/Desktop.h"

#include <sys/prctl.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <csignal>

namespace tarsio {

namespace {

constexpr int ToolTimeoutMs = 20000;
constexpr int StartTimeoutMs = 15000;

void stop(QProcess& process) {
  if (process.state() == QProcess::NotRunning) return;
  process.terminate();
  if (!process.waitForFinished(3000)) {
    process.kill();
    process.waitForFinished(3000);
  }
}

QString point(int v) { return QString::number(v); }

// The child is terminated when the test ends, even when the test itself is killed (a CTest time-out).
void launch(QProcess& process, const QString& program, const QStringList& arguments) {
  process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
  process.start(program, arguments);
}

}  // namespace

Desktop::Desktop() {
  if (!home_.isValid()) {
    error_ = QStringLiteral("no temporary folder");
    return;
  }
  QDir(home()).mkpath(QStringLiteral("run"));
  QFile::setPermissions(home() + QStringLiteral("/run"),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  // Xvfb chooses a free display number and writes it to the descriptor named here: no race with
  // other servers started at the same time.
  launch(xserver_, QStringLiteral("Xvfb"),
         {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
          QStringLiteral("%1x%2x24").arg(Width).arg(Height), QStringLiteral("-nolisten"),
          QStringLiteral("tcp")});
  QByteArray number;
  const QDeadlineTimer deadline(StartTimeoutMs);
  while (!number.endsWith('\n') && !deadline.hasExpired() && xserver_.waitForReadyRead(500))
    number += xserver_.readAllStandardOutput();
  if (!number.endsWith('\n')) {
    error_ = QStringLiteral("Xvfb did not start (install xvfb, xdotool, imagemagick, openbox): ") +
             xserver_.errorString();
    return;
  }
  display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

  const QString ready = home() + QStringLiteral("/openbox-ready");
  windowManager_.setProcessEnvironment(environment());
  launch(windowManager_, QStringLiteral("openbox"),
         {QStringLiteral("--startup"), QStringLiteral("touch ") + ready});
  while (!QFile::exists(ready) && !deadline.hasExpired()) QThread::msleep(100);
  if (!QFile::exists(ready)) error_ = QStringLiteral("openbox did not start");
}

Desktop::~Desktop() {
  stop(windowManager_);
  stop(xserver_);
}

QProcessEnvironment Desktop::environment() const {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_FONT_DPI", "QT_SCREEN_SCALE_FACTORS",
                           "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER"})
    env.remove(QString::fromLatin1(name));
  env.insert(QStringLiteral("DISPLAY"), display_);
  env.insert(QStringLiteral("HOME"), home());
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), home() + QStringLiteral("/.config"));
  env.insert(QStringLiteral("XDG_CACHE_HOME"), home() + QStringLiteral("/.cache"));
  env.insert(QStringLiteral("XDG_DATA_HOME"), home() + QStringLiteral("/.local/share"));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home() + QStringLiteral("/run"));
  return env;
}

bool Desktop::start(QProcess& process, const QString& program, const QStringList& arguments) const {
  process.setProcessEnvironment(environment());
  process.setWorkingDirectory(home());
  launch(process, program, arguments);
  return process.waitForStarted(StartTimeoutMs);
}

std::optional<QByteArray> Desktop::run(const QString& tool, const QStringList& arguments) const {
  QProcess process;
  if (!start(process, tool, arguments)) return std::nullopt;
  if (!process.waitForFinished(ToolTimeoutMs)) {
    stop(process);
    return std::nullopt;
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return std::nullopt;
  return process.readAllStandardOutput();
}

QImage Desktop::screenshot() const {
  const std::optional<QByteArray> png = run(
      QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
  if (!png) return {};
  return QImage::fromData(*png, "PNG").convertToFormat(QImage::Format_RGB32);
}

QString Desktop::waitForWindow(const QString& pattern, int timeoutMs) const {
  const QDeadlineTimer deadline(timeoutMs);
  do {
    const std::optional<QByteArray> ids =
        run(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern});
    if (ids && !ids->trimmed().isEmpty()) return QString::fromLatin1(ids->split('\n').first());
    QThread::msleep(200);
  } while (!deadline.hasExpired());
  return {};
}

void Desktop::activate(const QString& window) const {
  run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
}

void Desktop::keys(const QStringList& keys) const {
  run(QStringLiteral("xdotool"),
      QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80")} + keys);
}

void Desktop::type(const QString& text) const {
  run(QStringLiteral("xdotool"),
      {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
}

void Desktop::click(QPoint at) const {
  // No --sync: it waits for a motion that never comes when the pointer is already there.
  run(QStringLiteral("xdotool"),
      {QStringLiteral("mousemove"), point(at.x()), point(at.y()), QStringLiteral("sleep"),
       QStringLiteral("0.1"), QStringLiteral("click"), QStringLiteral("1")});
}

void Desktop::drag(const QList<QPoint>& path) const {
  if (path.isEmpty()) return;
  const QString pause = QStringLiteral("sleep");
  QStringList chain{QStringLiteral("mousemove"), point(path[0].x()),          point(path[0].y()),  pause,
                    QStringLiteral("0.2"),       QStringLiteral("mousedown"), QStringLiteral("1"), pause,
                    QStringLiteral("0.2")};
  for (qsizetype i = 1; i < path.size(); ++i) {
    const QPoint from = path[i - 1], to = path[i];
    const int steps =
        std::max(1, int(std::ceil(std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())) / 8.0)));
    for (int s = 1; s <= steps; ++s) {
      const QPoint at = from + (to - from) * s / steps;
      chain << QStringLiteral("mousemove") << point(at.x()) << point(at.y()) << pause
            << QStringLiteral("0.005");
    }
  }
  chain << pause << QStringLiteral("0.2") << QStringLiteral("mouseup") << QStringLiteral("1") << pause
        << QStringLiteral("0.2");
  run(QStringLiteral("xdotool"), chain);
}

}  // namespace tarsio
