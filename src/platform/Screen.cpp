// The screen's size in twips.
#include <QGuiApplication>
#include <QScreen>

#include "platform/Twips.h"

namespace tarsio {

QSizeF screenSizeTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize pixels = screen ? screen->geometry().size() : QSize(1024, 768);
  return QSizeF(pixelsToTwips(pixels.width()), pixelsToTwips(pixels.height()));
}

}  // namespace tarsio
