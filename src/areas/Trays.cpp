// Trays: the layout rule, and the trays of the board with their pieces.
#include "areas/Trays.h"

#include <algorithm>
#include <cmath>

#include "areas/Blocks.h"
#include "platform/BoardCanvas.h"

namespace tarsio {

TrayShape layTray(QPointF topLeft, const std::vector<QSizeF>& sizes) {
  TrayShape shape;
  double widest = 0;
  for (const QSizeF& size : sizes) widest = std::max(widest, size.width());
  const double across = std::ceil(std::sqrt(static_cast<double>(sizes.size())));
  const double rowWidth = std::max(TrayLeastInside.width(), across * (widest + TrayGap) - TrayGap);
  const double left = topLeft.x() + TrayGap;
  double x = left, y = topLeft.y() + TrayTitleHeight + TrayGap, rowHeight = 0, right = left + rowWidth;
  shape.places.reserve(sizes.size());
  for (const QSizeF& size : sizes) {
    if (x > left && x + size.width() > left + rowWidth) {
      x = left;
      y += rowHeight + TrayGap;
      rowHeight = 0;
    }
    shape.places.emplace_back(x, y);
    right = std::max(right, x + size.width());
    x += size.width() + TrayGap;
    rowHeight = std::max(rowHeight, size.height());
  }
  const double inside = y + rowHeight - (topLeft.y() + TrayTitleHeight + TrayGap);
  const double height = TrayTitleHeight + TrayGap + std::max(TrayLeastInside.height(), inside) + TrayGap;
  shape.frame = QRectF(topLeft, QSizeF(right + TrayGap - topLeft.x(), height));
  return shape;
}

struct Trays::Tray {
  Tray(BoardCanvas* canvas, int number, const QString& title, QPointF topLeft)
      : number(number), title(title), topLeft(topLeft), panel(canvas, TrayTitleHeight) {
    panel.setTitle(title);
    panel.setVisible(true);
  }
  int number;
  QString title;
  QPointF topLeft;
  std::vector<int> pieces;
  PanelElement panel;
  bool changed = true;
};

Trays::Trays(BoardCanvas* canvas, ElementArray<ImageElement>& pieces) : canvas_(canvas), pieces_(pieces) {}
Trays::~Trays() = default;

int Trays::add(const QString& title, QPointF topLeft, const std::vector<int>& pieces) {
  const int number = next_;
  bringBack(number, title, topLeft, pieces);
  return number;
}

void Trays::bringBack(int tray, const QString& title, QPointF topLeft, const std::vector<int>& pieces) {
  next_ = std::max(next_, tray + 1);
  trays_.push_back(std::make_unique<Tray>(canvas_, tray, title, topLeft));
  put(tray, pieces);
  layOutChanged();
}

void Trays::remove(int tray) {
  for (int piece : piecesOf(tray)) trayOf_[piece] = 0;
  std::erase_if(trays_, [&](const std::unique_ptr<Tray>& t) { return t->number == tray; });
}

void Trays::clear() {
  trays_.clear();
  trayOf_.clear();
  next_ = 1;
}

std::vector<int> Trays::numbers() const {
  std::vector<int> numbers;
  for (const auto& tray : trays_) numbers.push_back(tray->number);
  return numbers;
}

Trays::Tray* Trays::find(int tray) const {
  for (const auto& t : trays_)
    if (t->number == tray) return t.get();
  return nullptr;
}

int Trays::trayOf(int piece) const {
  return piece >= 0 && piece < static_cast<int>(trayOf_.size()) ? trayOf_[piece] : 0;
}

// The last made lies on top, as it is painted last.
int Trays::trayAt(QPointF twips) const {
  for (auto t = trays_.rbegin(); t != trays_.rend(); ++t)
    if ((*t)->panel.box().contains(twips)) return (*t)->number;
  return 0;
}

int Trays::titleAt(QPointF twips) const {
  const int tray = trayAt(twips);
  return tray && twips.y() < frame(tray).top() + TrayTitleHeight ? tray : 0;
}

QRectF Trays::frame(int tray) const { return find(tray)->panel.box(); }
const QString& Trays::title(int tray) const { return find(tray)->title; }

void Trays::rename(int tray, const QString& title) {
  Tray* t = find(tray);
  t->title = title;
  t->panel.setTitle(title);
}

const std::vector<int>& Trays::piecesOf(int tray) const {
  static const std::vector<int> none;
  const Tray* t = find(tray);
  return t ? t->pieces : none;
}

void Trays::put(int tray, const std::vector<int>& pieces) {
  Tray* into = find(tray);
  if (!into) return;
  std::vector<int> moving;
  for (int piece : pieces)
    if (trayOf(piece) != tray) moving.push_back(piece);
  take(moving);
  for (int piece : moving) {
    if (piece >= static_cast<int>(trayOf_.size())) trayOf_.resize(piece + 1, 0);
    trayOf_[piece] = tray;
    into->pieces.push_back(piece);
  }
  into->changed = into->changed || !moving.empty();
}

void Trays::reorder(int tray, const std::vector<int>& order) {
  Tray* t = find(tray);
  if (!t) return;
  std::vector<int> pieces;
  std::vector<bool> ordered(trayOf_.size(), false);
  for (int piece : order)
    if (trayOf(piece) == tray) {
      pieces.push_back(piece);
      ordered[piece] = true;
    }
  for (int piece : t->pieces)
    if (!ordered[piece]) pieces.push_back(piece);
  t->changed = t->changed || pieces != t->pieces;
  t->pieces = std::move(pieces);
}

// Each tray drops its leaving pieces in one pass, however many leave.
void Trays::take(const std::vector<int>& pieces) {
  std::vector<int> leaving;
  for (int piece : pieces)
    if (trayOf(piece)) leaving.push_back(piece);
  if (leaving.empty()) return;
  for (const auto& tray : trays_) {
    const auto before = tray->pieces.size();
    std::erase_if(tray->pieces, [&](int piece) {
      return trayOf_[piece] == tray->number &&
             std::find(leaving.begin(), leaving.end(), piece) != leaving.end();
    });
    tray->changed = tray->changed || tray->pieces.size() != before;
  }
  for (int piece : leaving) trayOf_[piece] = 0;
}

void Trays::moveBy(int tray, QPointF by) {
  Tray* t = find(tray);
  t->topLeft += by;
  for (int piece : t->pieces) {
    ImageElement& p = pieces_(piece);
    p.Move(p.Left() + by.x(), p.Top() + by.y());
  }
  t->panel.setBox(t->panel.box().translated(by));
}

// The pieces of a tray laid out again are repainted as one rectangle around them, not piece by piece.
void Trays::layOutChanged(bool all) {
  const PacedRepaints paced(canvas_);
  for (const auto& tray : trays_)
    if (all || tray->changed) layOut(*tray);
}

void Trays::layOut(Tray& tray) {
  tray.changed = false;
  const std::vector<Block> blocks = blocksOf(tray.pieces, groups, pieces_);
  std::vector<QSizeF> sizes;
  sizes.reserve(blocks.size());
  for (const Block& block : blocks) sizes.push_back(block.box.size());
  const TrayShape shape = layTray(tray.topLeft, sizes);
  for (std::size_t k = 0; k < blocks.size(); ++k) placeBlock(pieces_, blocks[k], shape.places[k]);
  tray.panel.setBox(shape.frame);
}

}  // namespace tarsio
