// The records window: one line per completed game, the best of each picture and grid marked.
#include "windows/RecordsWindow.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarsio {

RecordsWindow::RecordsWindow(QWidget* parent, const std::vector<GameRecord>& records)
    : QDialog(parent), list(new QTreeWidget(this)) {
  setWindowTitle(QStringLiteral("Record"));
  list->setRootIsDecorated(false);
  list->setHeaderLabels({QStringLiteral("Immagine"), QStringLiteral("Griglia"), QStringLiteral("Tempo"),
                         QStringLiteral("Aiuti"), QStringLiteral("Data")});
  const QLocale italian(QLocale::Italian, QLocale::Italy);
  const GameRecord* groupFirst = nullptr;
  for (const GameRecord& r : records) {
    // The list comes best first per group: a group's first line is its record.
    const bool first = !groupFirst || groupFirst->picture != r.picture || groupFirst->rows != r.rows ||
                       groupFirst->columns != r.columns;
    if (first) groupFirst = &r;
    auto* item = new QTreeWidgetItem(
        list, {QFileInfo(r.picture).fileName(), QStringLiteral("%1 x %2").arg(r.rows).arg(r.columns),
               recordTimeText(r.playedMs), QString::number(r.hints),
               italian.toString(r.completed.toLocalTime(), QLocale::ShortFormat)});
    item->setToolTip(0, r.picture);
    QFont font = item->font(0);
    font.setBold(first);
    for (int column = 0; column < list->columnCount(); ++column) item->setFont(column, font);
  }
  if (records.empty()) new QTreeWidgetItem(list, {QStringLiteral("Nessuna partita completata.")});
  list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list);
  layout->addWidget(buttons);
  resize(560, 360);
}

}  // namespace tarsio
