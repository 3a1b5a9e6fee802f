// The screen's size in twips, and in device pixels.
#include <QGuiApplication>
#include <QScreen>

#include "platform/Twips.h"

namespace tarsio {

QSizeF screenSizeTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize pixels = screen ? screen->geometry().size() : QSize(1024, 768);
  return QSizeF(pixelsToTwips(pixels.width()), pixelsToTwips(pixels.height()));
}

QSize screenDevicePixels() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() * screen->devicePixelRatio() : QSize(1024, 768);
}

}  // namespace tarsio
