// The splash window: its shape, its timer, dragging it with any mouse button, ending it with a click
// or a key.
#include "windows/Splash.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QWindow>
#include <utility>

#include "platform/Twips.h"

namespace tarsio {

namespace {

constexpr double InnerWidth = 5700;  // twips
constexpr double InnerHeight = 3240;
constexpr int HandOverMilliseconds = 4000;

}  // namespace

Form0::Form0(std::function<void()> onHandOver, Outline outline)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      onHandOver_(std::move(onHandOver)),
      picture_(QStringLiteral(":/splash.png")) {
  const QSize inner = twipsToPixelRect(0, 0, InnerWidth, InnerHeight).size();
  setFixedSize(inner);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    move(available.center() - QPoint(inner.width() / 2, inner.height() / 2));
  }
  Timer2.setInterval(HandOverMilliseconds);
  connect(&Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
  Form_Load(outline);
}

void Form0::Form_Load(Outline outline) {
  painted_ = ShapeWindowFromPicture(*this, picture_, outline);
  Timer2.start();
}

void Form0::Timer2_Timer() {
  // A tick that was already on its way when the timer stopped is ignored: the hand-over happens once.
  if (!Timer2.isActive()) return;
  Timer2.stop();
  if (onHandOver_) onHandOver_();
  close();
}

// A click or a key on the splash ends it at once, as the timer would.
void Form0::keyPressEvent(QKeyEvent* event) {
  event->accept();
  Timer2_Timer();
}

void Form0::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), painted_);
}

void Form0::mousePressEvent(QMouseEvent* event) { Form_MouseDown(event); }

// A press starts a drag once the pointer moves with the button held; a press released where it was
// is a click, which ends the splash.
void Form0::Form_MouseDown(QMouseEvent* event) {
  pressed_ = true;
  dragging_ = draggingByHand_ = false;
  pressOffset_ = event->globalPosition().toPoint() - pos();
  event->accept();
}

// The window manager moves the window as if its title bar were held; without one, the window follows
// the pointer here until the button is released.
void Form0::mouseMoveEvent(QMouseEvent* event) {
  const QPoint from = event->globalPosition().toPoint() - pressOffset_;
  if (pressed_ && !dragging_ && event->buttons() != Qt::NoButton &&
      (from - pos()).manhattanLength() >= QGuiApplication::styleHints()->startDragDistance()) {
    dragging_ = true;
    QWindow* handle = windowHandle();
    draggingByHand_ = !(handle && handle->startSystemMove());
  }
  if (draggingByHand_ && event->buttons() != Qt::NoButton) move(from);
  event->accept();
}

void Form0::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->buttons() != Qt::NoButton) return;
  const bool click = pressed_ && !dragging_;
  pressed_ = dragging_ = draggingByHand_ = false;
  if (click) Timer2_Timer();
}

}  // namespace tarsio
