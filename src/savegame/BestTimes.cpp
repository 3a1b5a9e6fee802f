// The best times: each completed game recorded once, its times shown beside "Completato !", and the
// list of records.
#include <QDateTime>
#include <algorithm>
#include <utility>

#include "board/Board.h"
#include "platform/Events.h"
#include "platform/Twips.h"
#include "windows/RecordsWindow.h"

namespace tarsio {

namespace {

const QString Title = QStringLiteral("Record");
// Beside the completion picture, and never over the grid.
constexpr double Gap = 120;

}  // namespace

void Board::recordCompletion() {
  if (!std::exchange(GameRecorded, true)) {
    playTime.advance(clock(), false);
    const GameRecord record{game.PicturePath,
                            game.RowCount,
                            game.ColumnCount,
                            std::max(1, markedScrambleCode()),
                            playTime.elapsed(),
                            HintCount,
                            QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC)};
    openRecords();
    // A command half way is not interrupted: a failure is told once it has ended.
    records.add(record, [this](const DurableWrite& write) {
      if (write.written) return;
      InputHold::afterInput(this, [this, reason = write.reason] {
        dialogs.MsgBox(
            QStringLiteral("Impossibile registrare il record in %1: %2").arg(records.file(), reason), Title,
            MessageIcon::Critical);
      });
    });
    const std::optional<GameRecord> best =
        bestRecord(records.records(), record.picture, record.rows, record.columns);
    RecordText.setCaption(completionText(record, best.value_or(record)));
  }
  const double gridBottom = game.GridTop + game.RowCount * game.CellHeight;
  const QSize text = RecordText.widget()->sizeHint();
  RecordText.place(ImaCompl.Left() + ImaCompl.Width() + Gap, std::max(ImaCompl.Top(), gridBottom + Gap),
                   pixelsToTwips(text.width()), pixelsToTwips(text.height()));
  RecordText.setVisible(true);
}

const std::vector<GameRecord>& Board::openRecords() {
  const std::optional<QString> aside = records.open();
  if (aside && !aside->isEmpty())
    dialogs.MsgBox(QStringLiteral("Il file dei record %1 era danneggiato o illeggibile: è stato messo da "
                                  "parte come %2 e ne è stato cominciato uno nuovo.")
                       .arg(records.file(), *aside),
                   Title, MessageIcon::Critical);
  else if (aside)
    dialogs.MsgBox(QStringLiteral("Il file dei record %1 è danneggiato o illeggibile e non si è potuto "
                                  "metterlo da parte: resta com'è, e i nuovi record non vi saranno scritti.")
                       .arg(records.file()),
                   Title, MessageIcon::Critical);
  return records.records();
}

void Board::mRecord_Click() {
  RecordsWindow window(this, recordsBestFirst(openRecords()));
  window.exec();
}

}  // namespace tarsio
