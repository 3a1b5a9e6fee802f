// The information window: its design and its placement on the screen.
#include "windows/InfoWindow.h"

#include <QPainter>
#include <QPushButton>

#include "platform/Twips.h"

namespace tarsio {

namespace {

constexpr double InnerWidth = 4170;  // twips
constexpr double InnerHeight = 2970;
constexpr double ScreenLeft = 2000;
constexpr double ScreenTop = 2000;

// Black text on a white ground, whatever the desktop's colours.
void paintWhite(Label& label, bool bold) {
  QWidget* widget = label.widget();
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
  QFont font = widget->font();
  font.setBold(bold);
  widget->setFont(font);
}

}  // namespace

FormI::FormI(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      Label1(this),
      Label2(this),
      Label3(this),
      Command1(this),
      background_(QStringLiteral(":/info.png")) {
  setWindowTitle(QStringLiteral(" "));
  // The window's own colour is that of the picture's ground at its top-right corner, so that the ground
  // goes on past the picture's right and bottom edges, under the labels that reach past them.
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, background_.pixelColor(background_.width() - 1, 0));
  setPalette(palette);
  setFixedSize(twipsToPixelRect(0, 0, InnerWidth, InnerHeight).size());
  // The font comes before the caption: a label widens to fit its caption in its own font.
  paintWhite(Label1, true);
  Label1.place(840, 120, 2535, 375);
  Label1.setCaption(QStringLiteral("Programma Tarsio V.4"));
  paintWhite(Label2, true);
  Label2.place(1800, 600, 2175, 735);
  Label2.setCaption(QStringLiteral("Un'immagine\nda ricomporre"));
  paintWhite(Label3, false);
  Label3.place(1800, 1800, 2175, 375);
  Label3.setCaption(QStringLiteral("versione 4.0 — 2026"));
  Command1.place(3360, 2400, 495, 375);
  auto* button = static_cast<QPushButton*>(Command1.widget());
  button->setIcon(QIcon(QStringLiteral(":/infobutton.png")));
  button->setIconSize(QSize(31, 29));
  Command1.onClick = [this] { close(); };
  Form_Load();
}

void FormI::Form_Load() { move(twipsToPixelPoint(ScreenLeft, ScreenTop)); }

// The picture keeps its own size at the top left, as a window's background picture does; the window's
// own colour, which continues the picture's ground, shows beside and below it.
void FormI::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), background_);
}

}  // namespace tarsio
