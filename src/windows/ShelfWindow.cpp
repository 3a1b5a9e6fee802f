// The window of the games in progress: the list, taking a game up, throwing one away.
#include "windows/ShelfWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarsio {

namespace {

const QString Title = QStringLiteral("Partite in corso");
constexpr int IconPixels = 128;

QPushButton* button(QDialog* window, const QString& caption) {
  auto* made = new QPushButton(caption, window);
  // Return belongs to the list, which takes the chosen game up; no button answers it as well.
  made->setAutoDefault(false);
  return made;
}

}  // namespace

ShelfWindow::ShelfWindow(QWidget* parent, Dialogs& dialogs, std::vector<ShelfGame> games)
    : QDialog(parent),
      list(new QListWidget(this)),
      resumeButton(button(this, QStringLiteral("&Riprendi"))),
      deleteButton(button(this, QStringLiteral("&Elimina"))),
      note(new QLabel(this)),
      dialogs_(dialogs),
      games_(std::move(games)) {
  setWindowTitle(Title);
  list->setIconSize(QSize(IconPixels, IconPixels));
  list->setUniformItemSizes(true);
  for (const ShelfGame& game : games_) {
    auto* item = new QListWidgetItem(shelfText(game), list);
    if (game.pictureMissing) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    if (game.onBoard) {
      QFont bold = item->font();
      bold.setBold(true);
      item->setFont(bold);
    }
  }
  list->setCurrentRow(0);
  auto* close = button(this, QStringLiteral("Chiudi"));
  connect(list, &QListWidget::itemActivated, this, [this] { takeUp(); });
  connect(list, &QListWidget::currentRowChanged, this, [this] { followChoice(); });
  connect(resumeButton, &QPushButton::clicked, this, [this] { takeUp(); });
  connect(deleteButton, &QPushButton::clicked, this, [this] { throwAway(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(resumeButton);
  buttons->addWidget(deleteButton);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list);
  note->setWordWrap(true);
  note->hide();
  layout->addWidget(note);
  layout->addLayout(buttons);
  resize(620, 480);
  followChoice();
  // The small pictures are read a few at a time once the window is up, so that a long shelf opens at once.
  sketchTimer_.callOnTimeout(this, [this] { showSketches(); });
  sketchTimer_.start(0);
}

void ShelfWindow::showSketches() {
  constexpr int PerTurn = 8;
  for (int done = 0; done < PerTurn && sketchesShown_ < list->count(); ++done, ++sketchesShown_) {
    const ShelfGame& game = games_[sketchesShown_];
    const QImage sketch = game.onBoard ? QImage() : readSketch(game.sketch);
    if (!sketch.isNull()) {
      list->item(sketchesShown_)->setIcon(QIcon(QPixmap::fromImage(sketch)));
      continue;
    }
    if (!game.onBoard && QFileInfo::exists(game.sketch)) {
      ++damagedSketches_;
      note->setText(
          damagedSketches_ == 1
              ? QStringLiteral("La piccola immagine di una partita era danneggiata: viene rifatta.")
              : QStringLiteral("Le piccole immagini di %1 partite erano danneggiate: vengono rifatte.")
                    .arg(damagedSketches_));
      note->show();
    }
    if (onSketchWanted) onSketchWanted(game);
  }
  if (sketchesShown_ >= list->count()) sketchTimer_.stop();
}

void ShelfWindow::showSketch(const QString& file, const QImage& sketch) {
  if (sketch.isNull()) return;
  for (std::size_t row = 0; row < games_.size(); ++row)
    if (games_[row].file == file) list->item(int(row))->setIcon(QIcon(QPixmap::fromImage(sketch)));
}

void ShelfWindow::followChoice() {
  const int row = list->currentRow();
  const bool listed = row >= 0 && std::size_t(row) < games_.size();
  resumeButton->setEnabled(listed && !games_[row].pictureMissing);
  deleteButton->setEnabled(listed);
}

void ShelfWindow::takeUp() {
  const int row = list->currentRow();
  if (row < 0 || chosen_) return;
  if (games_[row].onBoard) return reject();
  if (games_[row].pictureMissing) {
    dialogs_.MsgBox(QStringLiteral("La partita non si può riprendere: manca la sua immagine %1. Resta "
                                   "conservata per quando l'immagine sarà di nuovo al suo posto.")
                        .arg(games_[row].picture),
                    Title, MessageIcon::Information);
    return;
  }
  chosen_ = games_[row];
  accept();
}

void ShelfWindow::throwAway() {
  const int row = list->currentRow();
  if (row < 0) return;
  const ShelfGame& game = games_[row];
  const QString question =
      (game.onBoard ? QStringLiteral("Eliminare la partita sul tavolo, con l'immagine %1 "
                                     "(%2 pezzi a posto su %3)? Il tavolo sarà azzerato.")
                    : QStringLiteral("Eliminare la partita con l'immagine %1 (%2 pezzi a "
                                     "posto su %3)?"))
          .arg(QFileInfo(game.picture).fileName(), QString::number(game.inPlace),
               QString::number(game.pieces));
  if (!dialogs_.YesNo(question, Title, Answer::No) || !onDelete || !onDelete(game)) return;
  games_.erase(games_.begin() + row);
  if (row < sketchesShown_) --sketchesShown_;
  delete list->takeItem(row);
  followChoice();
}

}  // namespace tarsio
