// A real board on the offscreen screen for the benchmark, driven through the game's own procedures.
#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "board/Board.h"
#include "platform/Dialogs.h"
#include "platform/Random.h"

namespace tarsio::bench {

// Dialogs that answer every open-file dialog with one path, every question and offer with No, every
// folder dialog with Cancel, and keep every message and question shown.
class AnsweringDialogs : public Dialogs {
 public:
  QString file;
  QStringList messages;

  void MsgBox(const QString& text, const QString& title, MessageIcon) override {
    messages << title + ": " + text;
  }
  bool MsgBoxOffering(const QString& text, const QString& title, MessageIcon icon, const QString&) override {
    MsgBox(text, title, icon);
    return false;
  }
  QString GetFolder(const QString&, const QString&) override { return {}; }
  QString InputBox(const QString&, const QString&, const QString&) override { return {}; }
  QString GetOpenFileName(const OpenFileRequest&) override { return file; }
  bool YesNo(const QString& question, const QString& title, Answer) override {
    messages << title + ": " + question;
    return false;
  }
  void Beep() override { messages << QStringLiteral("beep"); }
};

class BenchBoard {
 public:
  // A board shown on the whole screen; its dialogs are `realDialogs` when given, else the answering ones.
  explicit BenchBoard(Dialogs* realDialogs = nullptr);
  ~BenchBoard();

  Board& board() { return *board_; }
  // The picture command, the open-file dialog answering `path`.
  void choose(const QString& path);
  // The grid command with the counts typed into the boxes.
  void grid(int rows, int columns);
  // The photo chosen, the grid drawn, the cut made and painted: rows x columns loose pieces.
  void cut(const QString& photo, int rows, int columns);
  // The whole canvas painted now.
  void repaint();
  // What the event loop does next after an event: the canvas painted where it changed, at once.
  void repaintChanged();
  AnsweringDialogs& dialogs() { return dialogs_; }
  // The file the game in progress is kept in.
  QString keptFile() const;
  // Ends the benchmark when the game showed a message: its step failed.
  void expectNoMessage() const;
  // Ends the benchmark when the board does not hold `count` pieces after a cut.
  void expectPieces(int count);

 private:
  AnsweringDialogs dialogs_;
  Random random_{[] { return std::uint64_t{0}; }};  // a still clock: every run deals the same
  QTemporaryDir stateFolder_;  // the game in progress is kept here, away from the player's own
  std::unique_ptr<Board> board_;
};

}  // namespace tarsio::bench
