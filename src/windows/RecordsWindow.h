// The records window: every completed game, grouped by picture and grid, best first.
#pragma once

#include <QDialog>
#include <vector>

#include "savegame/Records.h"

class QTreeWidget;

namespace tarsio {

class RecordsWindow : public QDialog {
 public:
  // `records` in the order shown (recordsBestFirst); an empty list shows that no game was completed.
  RecordsWindow(QWidget* parent, const std::vector<GameRecord>& records);

  QTreeWidget* const list;
};

}  // namespace tarsio
