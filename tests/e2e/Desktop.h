// A private X desktop for driving the real program: Xvfb, a window manager, a private home, and the
// player's hands and eyes on it (xdotool, import).
#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace tarsio {

class Desktop {
 public:
  static constexpr int Width = 1280;  // pixels
  static constexpr int Height = 1024;

  // Starts Xvfb on a display number it picks itself, and openbox on it; startError() says what failed.
  Desktop();
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  QString startError() const { return error_; }
  // The private home folder, also the programs' working folder and the place for the test's files.
  QString home() const { return home_.path(); }

  // Starts a program on the desktop with the private home; false when it cannot start.
  bool start(QProcess& process, const QString& program, const QStringList& arguments = {}) const;
  // Runs a tool on the display and returns its standard output; nullopt when it fails or hangs (20 s).
  std::optional<QByteArray> run(const QString& tool, const QStringList& arguments) const;

  // The whole screen as it is now; a null image when it cannot be read.
  QImage screenshot() const;
  // The id of a visible window whose name matches the pattern (extended regex, any case), waiting
  // up to timeoutMs; "" when none shows.
  QString waitForWindow(const QString& pattern, int timeoutMs) const;
  // Gives the window the keyboard focus (the window manager raises it too).
  void activate(const QString& window) const;

  void keys(const QStringList& keys) const;
  void type(const QString& text) const;
  void click(QPoint at) const;
  // Presses the left button at path[0], moves through the points in steps of at most 8 pixels, and
  // releases it at the last point.
  void drag(const QList<QPoint>& path) const;

 private:
  QProcessEnvironment environment() const;
  QTemporaryDir home_;
  QProcess xserver_;
  QProcess windowManager_;
  QString display_;
  QString error_;
};

}  // namespace tarsio
