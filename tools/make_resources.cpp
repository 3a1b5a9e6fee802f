// Draws the game's own pictures and makes its sounds, and writes them as PNG and WAV files into the
// folder named on the command line.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "ResourceSounds.h"

namespace tarsio {
namespace {

constexpr double kPi = std::numbers::pi;

// Blends two colours; t = 0 gives a, t = 1 gives b.
QColor mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t,
                          a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

// A hash of one lattice point, as a number in [0, 1).
double latticeValue(int x, int y, quint32 seed) {
  quint32 h = seed ^ (quint32(x) * 0x8DA6B343u) ^ (quint32(y) * 0xD8163841u);
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return (h & 0xFFFFFFu) / double(0x1000000);
}

// Smooth value noise in [0, 1), continuous in x and y; the same seed always gives the same field.
double smoothNoise(double x, double y, quint32 seed) {
  const int ix = int(std::floor(x));
  const int iy = int(std::floor(y));
  const auto ease = [](double t) { return t * t * (3 - 2 * t); };
  const double tx = ease(x - ix);
  const double ty = ease(y - iy);
  const auto at = [&](int dx, int dy) { return latticeValue(ix + dx, iy + dy, seed); };
  const double top = at(0, 0) + (at(1, 0) - at(0, 0)) * tx;
  const double bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * tx;
  return top + (bottom - top) * ty;
}

struct Wood {
  QColor light;
  QColor dark;
  double ringsPerPixel;  // how many growth rings cross one pixel of height
  quint32 seed;
};

// A veneer with its grain running from left to right, `size` pixels large.
QImage woodTexture(QSize size, const Wood& wood) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      const double warp = 3.0 * smoothNoise(x * 0.04, y * 0.1, wood.seed) +
                          22.0 * smoothNoise(x * 0.005, y * 0.008, wood.seed + 1) +
                          9.0 * smoothNoise(x * 0.02, y * 0.03, wood.seed + 3);
      const double ring = 0.5 + 0.5 * std::sin((y + warp) * wood.ringsPerPixel * 2 * kPi);
      const double fibre = smoothNoise(x * 0.5, y * 2.2, wood.seed + 2);
      const double figure = smoothNoise(x * 0.012, y * 0.05, wood.seed + 4);
      const double t = std::clamp(0.55 * std::pow(ring, 3.0) + 0.25 * fibre + 0.2 * figure, 0.0, 1.0);
      image.setPixel(x, y, mix(wood.light, wood.dark, t).rgb());
    }
  }
  return image;
}

// A brush of the veneer, its grain turned by `degrees` clockwise.
QBrush veneer(const QImage& texture, double degrees) {
  QBrush brush(texture);
  brush.setTransform(QTransform().rotate(degrees));
  return brush;
}

// A picture of `size` pixels filled with `colour`; it keeps an alpha channel only when the colour is not
// opaque.
QImage canvas(QSize size, const QColor& colour) {
  QImage image(size, colour.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  image.fill(colour);
  return image;
}

// The outlines of the lines of a text in bold `family`, one centred below the other, scaled (proportions
// kept) to the largest size that fits into box and centred in it.
QPainterPath textPath(const QStringList& lines, const char* family, const QRectF& box) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(100);
  font.setBold(true);
  QPainterPath all;
  for (int i = 0; i < lines.size(); ++i) {
    QPainterPath line;
    line.addText(0, 0, font, lines[i]);
    all.addPath(line.translated(-line.boundingRect().center().x(), i * 108.0));
  }
  const QRectF bounds = all.boundingRect();
  const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
  QTransform transform;
  transform.translate(box.center().x(), box.center().y());
  transform.scale(scale, scale);
  transform.translate(-bounds.center().x(), -bounds.center().y());
  return transform.map(all);
}

// The picture shown before any picture is chosen: blue words on pale yellow.
QImage placeholderPicture() {
  QImage image = canvas(QSize(360, 252), Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient paper(0, 0, 0, 252);
  paper.setStops({{0, QColor(0xFFFADB)}, {1, QColor(0xFCEEAE)}});
  p.fillRect(image.rect(), paper);
  const QColor blue(0x1F4FB8);
  p.setPen(QPen(blue, 2));
  p.drawRoundedRect(QRectF(8, 8, 344, 236), 14, 14);
  p.setPen(QPen(mix(blue, QColor(0xFCEEAE), 0.45), 1, Qt::DashLine));
  p.drawRoundedRect(QRectF(14.5, 14.5, 331, 223), 9, 9);

  const QPainterPath words = textPath({QStringLiteral("Scegli un'"), QStringLiteral("Immagine")},
                                      "DejaVu Sans", QRectF(38, 44, 284, 164));
  p.fillPath(words.translated(2, 3), QColor(120, 100, 20, 55));
  QLinearGradient ink(0, 44, 0, 208);
  ink.setStops({{0, QColor(0x3F7BE6)}, {1, QColor(0x143A9A)}});
  p.fillPath(words, ink);
  p.strokePath(words, QPen(QColor(0x0D2566), 1.2));
  return image;
}

// A block arrow pointing down, centred on the origin: `length` long, its head `headWidth` wide.
QPainterPath downArrow(double length, double headWidth) {
  const double shaft = headWidth * 0.36;
  const double head = headWidth * 0.62;
  const double end = length / 2;
  const double neck = end - head;
  QPainterPath arrow;
  arrow.addPolygon(QPolygonF({{-shaft / 2, -end},
                              {shaft / 2, -end},
                              {shaft / 2, neck},
                              {headWidth / 2, neck},
                              {0, end},
                              {-headWidth / 2, neck},
                              {-shaft / 2, neck}}));
  arrow.closeSubpath();
  return arrow;
}

// The back of a piece: a red diagonal lattice on white with a red arrow in the middle, along the long
// side. The arrow points down, turned by `clockwiseTurns` quarter turns clockwise.
QImage backPicture(QSize size, int clockwiseTurns) {
  QImage image = canvas(size, Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor red(0xCC1F2D);
  const int w = size.width();
  const int h = size.height();
  p.setPen(QPen(mix(red, Qt::white, 0.25), 1.1));
  for (int k = -h; k < w + h; k += 10) {
    p.drawLine(QPointF(k, 0), QPointF(k + h, h));
    p.drawLine(QPointF(k, 0), QPointF(k - h, h));
  }
  p.setPen(QPen(red, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, w - 2, h - 2));

  const double shortSide = std::min(w, h);
  const double longSide = std::max(w, h);
  const QPainterPath arrow = downArrow(longSide * 0.64, shortSide * 0.6);
  p.translate(w / 2.0, h / 2.0);
  p.rotate(90.0 * clockwiseTurns);
  p.strokePath(arrow, QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QLinearGradient shade(0, -longSide / 3, 0, longSide / 3);
  shade.setStops({{0, red.lighter(115)}, {1, red.darker(125)}});
  p.fillPath(arrow, shade);
  p.strokePath(arrow, QPen(red.darker(160), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  return image;
}

// A star with `points` points on the ellipses of the two radii pairs around centre.
QPainterPath star(QPointF centre, int points, QSizeF outer, QSizeF inner) {
  QPolygonF corners;
  for (int i = 0; i < 2 * points; ++i) {
    const double angle = -kPi / 2 + i * kPi / points;
    const QSizeF radius = i % 2 == 0 ? outer : inner;
    corners << QPointF(centre.x() + radius.width() * std::cos(angle),
                       centre.y() + radius.height() * std::sin(angle));
  }
  QPainterPath path;
  path.addPolygon(corners);
  path.closeSubpath();
  return path;
}

// The picture shown when every piece is docked: a yellow star carrying "Completato !", on a transparent
// ground so that it stands on the board.
QImage completionPicture() {
  QImage image = canvas(QSize(152, 98), Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(76, 49);
  QRadialGradient glow(centre, 74);
  glow.setStops({{0, QColor(0xFFFCC8)}, {0.55, QColor(0xFFE23A)}, {1, QColor(0xF29A00)}});
  const QPainterPath shape = star(centre, 22, QSizeF(74.5, 48), QSizeF(58, 36));
  p.fillPath(shape, glow);
  p.strokePath(shape, QPen(QColor(0xFFD54A), 0.8));

  const QPainterPath words =
      textPath({QStringLiteral("Completato !")}, "DejaVu Sans", QRectF(22, 37, 108, 24));
  p.fillPath(words.translated(1, 1), QColor(255, 255, 230, 200));
  p.fillPath(words, QColor(0xA3120C));
  return image;
}

// Lays a design drawn on a transparent layer onto pure white. Every pixel the design touches becomes
// opaque and never pure white, so the pure white left over is exactly the background around it.
QImage onPureWhite(const QImage& layer) {
  const QImage design = layer.convertToFormat(QImage::Format_ARGB32);
  QImage image(design.size(), QImage::Format_RGB32);
  const QRgb white = qRgb(255, 255, 255);
  for (int y = 0; y < design.height(); ++y) {
    for (int x = 0; x < design.width(); ++x) {
      const QRgb pixel = design.pixel(x, y);
      const int alpha = qAlpha(pixel);
      const auto over = [alpha](int c) { return (c * alpha + 255 * (255 - alpha) + 127) / 255; };
      QRgb result = alpha == 0 ? white : qRgb(over(qRed(pixel)), over(qGreen(pixel)), over(qBlue(pixel)));
      if (alpha != 0 && result == white) {
        result = qRgb(255, 253, 245);
      }
      image.setPixel(x, y, result);
    }
  }
  return image;
}

struct Card {
  QRect rect;
  QColor colour;
};

// One coloured card of the splash collage with its hard shadow, a soft sheen and an inlaid border line.
void drawCard(QPainter& p, const Card& card) {
  p.fillRect(card.rect.translated(4, 4), QColor(0x2B2838));
  QLinearGradient sheen(card.rect.topLeft(), card.rect.bottomRight());
  sheen.setStops({{0, card.colour.lighter(118)}, {1, card.colour.darker(112)}});
  p.fillRect(card.rect, sheen);
  const QRect inlay = card.rect.adjusted(7, 7, -7, -7);
  for (int y = inlay.top(); y <= inlay.bottom(); y += 8) {
    for (int x = inlay.left() + ((y - inlay.top()) / 8 % 2) * 8; x <= inlay.right(); x += 16) {
      p.fillRect(QRect(x, y, 8, 8).intersected(inlay), QColor(255, 255, 255, 18));
    }
  }
  p.setPen(QPen(mix(card.colour, QColor(0xFFF6DC), 0.55), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(card.rect).adjusted(4.5, 4.5, -4.5, -4.5));
}

// The splash picture: a collage of cards carrying the title and the version, on pure white.
QImage splashPicture() {
  QImage layer = canvas(QSize(379, 215), Qt::transparent);
  QPainter p(&layer);
  const Card cards[] = {
      {QRect(6, 20, 150, 96), QColor(0x1C8A8F)},    {QRect(138, 4, 176, 62), QColor(0xC8372D)},
      {QRect(300, 30, 70, 74), QColor(0x7B4E9E)},   {QRect(16, 138, 116, 64), QColor(0x4E9A3A)},
      {QRect(242, 118, 126, 76), QColor(0xE3A21A)}, {QRect(36, 46, 300, 120), QColor(0x22336E)},
      {QRect(2, 2, 22, 22), QColor(0xE3A21A)},      {QRect(352, 176, 20, 20), QColor(0xC8372D)},
      {QRect(206, 170, 120, 28), QColor(0x463A5C)},
  };
  for (const Card& card : cards) {
    drawCard(p, card);
  }
  p.setRenderHint(QPainter::Antialiasing);
  const QPainterPath title = textPath({QStringLiteral("Tarsio")}, "DejaVu Serif", QRectF(56, 56, 260, 98));
  p.fillPath(title.translated(4, 4), QColor(0x0E1230));
  QLinearGradient gilt(0, 60, 0, 150);
  gilt.setStops({{0, QColor(0xFFFDF5)}, {0.55, QColor(0xFBE7A6)}, {1, QColor(0xE9B94A)}});
  p.fillPath(title, gilt);
  p.strokePath(title, QPen(QColor(0x3A2406), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

  const QPainterPath version =
      textPath({QStringLiteral("versione 4.0")}, "DejaVu Sans", QRectF(216, 176, 100, 16));
  p.fillPath(version, QColor(0xFFF3D0));
  p.end();
  return onPureWhite(layer);
}

const Wood kWalnut{QColor(0x6B4528), QColor(0x3A2414), 0.09, 11};
const Wood kCherry{QColor(0xB8653A), QColor(0x7E3A1C), 0.07, 37};
const Wood kHolly{QColor(0xF7EEDA), QColor(0xE6D5B0), 0.04, 41};
const Wood kEbony{QColor(0x3E2A1E), QColor(0x1E130C), 0.08, 53};
const Wood kBoxwood{QColor(0xE9C677), QColor(0xC99A45), 0.05, 61};
// The information window's ground: the light tone of the maple veneer.
const QColor kInfoField(0xF2E2BE);

// A band of tumbling blocks: cubes of three woods, each face with its own grain direction.
void drawTumblingBlocks(QPainter& p, const QRectF& band, QSize textureSize) {
  const QImage top = woodTexture(textureSize, kHolly);
  const QImage left = woodTexture(textureSize, kCherry);
  const QImage right = woodTexture(textureSize, kEbony);
  const double side = 10;
  const double half = side * std::sqrt(3.0) / 2;
  p.save();
  p.setClipRect(band);
  for (int row = 0; band.top() + (row - 1) * 1.5 * side < band.bottom(); ++row) {
    for (int col = -1; band.left() + (col - 1) * 2 * half < band.right(); ++col) {
      const QPointF c(band.left() + col * 2 * half + (row % 2) * half, band.top() + row * 1.5 * side);
      const QPointF n(c.x(), c.y() - side), s(c.x(), c.y() + side);
      const QPointF ne(c.x() + half, c.y() - side / 2), se(c.x() + half, c.y() + side / 2);
      const QPointF nw(c.x() - half, c.y() - side / 2), sw(c.x() - half, c.y() + side / 2);
      p.setPen(QPen(QColor(0x2A1A10), 0.5));
      p.setBrush(veneer(top, 0));
      p.drawPolygon(QPolygonF({n, ne, c, nw}));
      p.setBrush(veneer(left, 60));
      p.drawPolygon(QPolygonF({nw, c, s, sw}));
      p.setBrush(veneer(right, -60));
      p.drawPolygon(QPolygonF({c, ne, se, s}));
    }
  }
  p.restore();
}

// An eight-pointed compass rose on an ebony disc: main points of holly and boxwood, the smaller ones
// between them of cherry and walnut, each point split into a light and a dark half along its axis.
void drawCompassRose(QPainter& p, QPointF centre, double radius, QSize textureSize) {
  const QImage lights[] = {woodTexture(textureSize, kHolly), woodTexture(textureSize, kCherry)};
  const QImage darks[] = {woodTexture(textureSize, kBoxwood), woodTexture(textureSize, kWalnut)};
  p.setPen(QPen(QColor(0xEADCB6), 1));
  p.setBrush(veneer(woodTexture(textureSize, kEbony), 0));
  p.drawEllipse(centre, radius + 3, radius + 3);
  p.setPen(QPen(QColor(0x2A1A10), 0.4));
  for (int pass = 1; pass >= 0; --pass) {
    for (int k = pass; k < 8; k += 2) {
      const double angle = -kPi / 2 + k * kPi / 4;
      const auto polar = [&](double turn, double r) {
        return centre + r * QPointF(std::cos(angle + turn), std::sin(angle + turn));
      };
      const QPointF tip = polar(0, pass == 1 ? radius * 0.7 : radius);
      const QPointF a = polar(-kPi / 4, radius * 0.28);
      const QPointF b = polar(kPi / 4, radius * 0.28);
      p.setBrush(veneer(lights[pass], 0));
      p.drawPolygon(QPolygonF({centre, a, tip}));
      p.setBrush(veneer(darks[pass], 0));
      p.drawPolygon(QPolygonF({centre, tip, b}));
    }
  }
}

// The information window's background: a flat maple field that the window's own colour continues past
// the picture's right and bottom edges, so the labels, which reach past the picture, lie on one ground.
// On the left a walnut panel with a band of tumbling blocks, and a compass rose below it, both clear of
// the labels.
QImage infoPicture() {
  const QSize size(249, 196);
  QImage image = canvas(size, kInfoField);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF panel(5, 5, 44, 178);
  p.setPen(QPen(QColor(0x2A1A10), 1));
  p.setBrush(veneer(woodTexture(size, kWalnut), 0));
  p.drawRect(panel.adjusted(0.5, 0.5, -0.5, -0.5));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0xEADCB6), 1));
  p.drawRect(panel.adjusted(3.5, 3.5, -3.5, -3.5));
  const QRectF band = panel.adjusted(7, 7, -7, -7);
  drawTumblingBlocks(p, band, size);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0x2A1A10), 1.5));
  p.drawRect(band);
  drawCompassRose(p, QPointF(87, 150), 24, size);
  return image;
}

// The picture of the information window's close button: a green disc with a tick.
QImage closeButtonPicture() {
  QImage image = canvas(QSize(31, 29), Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(15.5, 14.5);
  QRadialGradient body(QPointF(12, 10), 16);
  body.setStops({{0, QColor(0x9BE88E)}, {0.6, QColor(0x3BAE46)}, {1, QColor(0x1C7A2B)}});
  p.setPen(QPen(QColor(0x12501C), 1));
  p.setBrush(body);
  p.drawEllipse(centre, 13, 13);
  QPainterPath tick(QPointF(8.5, 15));
  tick.lineTo(13.5, 20);
  tick.lineTo(22.5, 9);
  p.strokePath(tick.translated(0.6, 0.8),
               QPen(QColor(0, 60, 0, 110), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.strokePath(tick, QPen(QColor(0xFBFFF2), 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  return image;
}

// The little landscape that the icon's tiles share, `side` pixels square: sky, sun, hills and a house,
// laid out so that every tile shows part of more than one of them.
QImage iconScene(int side) {
  QImage scene = canvas(QSize(side, side), Qt::transparent);
  QPainter p(&scene);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / 100.0, side / 100.0);
  QLinearGradient sky(0, 0, 0, 60);
  sky.setStops({{0, QColor(0x2F7FD0)}, {1, QColor(0xCDEBFB)}});
  p.fillRect(QRectF(0, 0, 100, 100), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFFD23F));
  p.drawEllipse(QPointF(66, 30), 15, 15);
  const auto hill = [&p](double left, QPointF bend1, QPointF bend2, double right, QColor colour) {
    QPainterPath ground(QPointF(0, left));
    ground.cubicTo(bend1, bend2, QPointF(100, right));
    ground.lineTo(100, 100);
    ground.lineTo(0, 100);
    p.setBrush(colour);
    p.drawPath(ground);
  };
  hill(52, QPointF(25, 30), QPointF(50, 40), 46, QColor(0x7CC44F));
  hill(80, QPointF(35, 58), QPointF(70, 86), 64, QColor(0x2E7D32));
  QPainterPath lane(QPointF(30, 58));
  lane.cubicTo(26, 72, 70, 74, 62, 100);
  p.strokePath(lane, QPen(QColor(0xE9D39A), 5, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(QColor(0xF3E3C0));
  p.drawRect(QRectF(20, 40, 20, 18));
  p.setBrush(QColor(0xC8372D));
  p.drawPolygon(QPolygonF({QPointF(16, 42), QPointF(30, 30), QPointF(44, 42)}));
  p.setBrush(QColor(0x6B4528));
  p.drawRect(QRectF(27, 48, 6, 10));
  return scene;
}

// One tile of the icon: its part of the scene (in the scene's pixels), a bevel and a dark edge, drawn at
// `box` in the painter's current coordinates.
void drawIconTile(QPainter& p, const QImage& scene, const QRectF& part, const QRectF& box) {
  QPainterPath outline;
  outline.addRoundedRect(box, 4, 4);
  p.save();
  p.setClipPath(outline);
  p.drawImage(box, scene, part);
  p.setPen(QPen(QColor(255, 255, 255, 130), 2));
  p.drawLine(box.topLeft() + QPointF(1, 1), box.topRight() + QPointF(-1, 1));
  p.drawLine(box.topLeft() + QPointF(1, 1), box.bottomLeft() + QPointF(1, -1));
  p.setPen(QPen(QColor(0, 0, 0, 70), 2));
  p.drawLine(box.bottomLeft() + QPointF(1, -1), box.bottomRight() + QPointF(-1, -1));
  p.drawLine(box.topRight() + QPointF(-1, 1), box.bottomRight() + QPointF(-1, -1));
  p.restore();
  // The dark edge stays at least one pixel wide, so that the tiles stay apart in the smallest icons.
  p.setPen(QPen(QColor(0x1D2B36), std::max(1.5, 1 / p.worldTransform().m11())));
  p.setBrush(Qt::NoBrush);
  p.drawPath(outline);
}

// The program's icon, `side` pixels square: three tiles of a picture in place and the fourth lifted,
// turned and about to drop into its empty slot. It is designed on 128 units, scaled to the side; the
// scene is drawn at the scale too, so larger icons keep their detail.
QImage iconPicture(int side) {
  QImage image = canvas(QSize(side, side), Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const double scale = side / 128.0;
  p.scale(scale, scale);
  const int tile = 48;
  const int step = 51;
  const QPointF origin(12, 12);
  const QImage scene = iconScene(int(std::ceil((tile + step) * scale)));
  const double sceneUnit = scene.width() / double(tile + step);
  const auto partAt = [&](int col, int row) {
    return QRectF(col * step * sceneUnit, row * step * sceneUnit, tile * sceneUnit, tile * sceneUnit);
  };
  const auto boxAt = [&](int col, int row) {
    return QRectF(origin.x() + col * step, origin.y() + row * step, tile, tile);
  };
  p.setPen(QPen(QColor(0x5A6B78), 1.2, Qt::DashLine));
  p.setBrush(QColor(40, 50, 70, 60));
  p.drawRoundedRect(boxAt(1, 1), 4, 4);
  for (int k = 0; k < 3; ++k) {
    const int col = k % 2;
    const int row = k / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(boxAt(col, row).translated(1.5, 2), 4, 4);
    drawIconTile(p, scene, partAt(col, row), boxAt(col, row));
  }
  const QRectF lifted = boxAt(1, 1).translated(5, 4);
  p.translate(lifted.center());
  p.rotate(-9);
  p.translate(-lifted.center());
  p.setPen(Qt::NoPen);
  for (int blur = 4; blur >= 0; --blur) {
    p.setBrush(QColor(0, 0, 0, 22));
    p.drawRoundedRect(lifted.translated(4, 5).adjusted(-blur, -blur, blur, blur), 4 + blur, 4 + blur);
  }
  drawIconTile(p, scene, partAt(1, 1), lifted);
  return image;
}

}  // namespace
}  // namespace tarsio

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_resources <folder>\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  using namespace tarsio;
  const std::pair<const char*, QImage> pictures[] = {
      {"placeholder.png", placeholderPicture()},
      {"retro4.png", backPicture(QSize(69, 99), 0)},
      {"retro5.png", backPicture(QSize(99, 69), 3)},
      {"retro6.png", backPicture(QSize(69, 99), 2)},
      {"retro7.png", backPicture(QSize(99, 69), 1)},
      {"completato.png", completionPicture()},
      {"splash.png", splashPicture().convertToFormat(QImage::Format_RGB888)},
      {"info.png", infoPicture()},
      {"infobutton.png", closeButtonPicture()},
  };
  const auto write = [](const QImage& picture, const QString& path) {
    if (picture.save(path, "PNG")) return true;
    std::fprintf(stderr, "make_resources: cannot write %s\n", qPrintable(path));
    return false;
  };
  for (const auto& [name, picture] : pictures) {
    if (!write(picture, folder.filePath(QString::fromLatin1(name)))) return 1;
  }
  const std::pair<const char*, QByteArray> sounds[] = {
      {"docked.wav", dockedSound()}, {"freed.wav", freedSound()}, {"completed.wav", completedSound()}};
  if (!folder.mkpath(QStringLiteral("sounds"))) return 1;
  for (const auto& [name, bytes] : sounds) {
    QFile file(folder.filePath(QStringLiteral("sounds/") + QString::fromLatin1(name)));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
      std::fprintf(stderr, "make_resources: cannot write %s\n", qPrintable(file.fileName()));
      return 1;
    }
  }
  // The icon in the sizes of the desktop's icon theme, laid out as the theme's folders.
  for (const int side : {16, 32, 48, 64, 128, 256}) {
    const QString apps = QStringLiteral("icons/hicolor/%1x%1/apps").arg(side);
    if (!folder.mkpath(apps) ||
        !write(iconPicture(side), folder.filePath(apps + QStringLiteral("/tarsio.png"))))
      return 1;
  }
  return 0;
}
