// The built program played as a player would, under Xvfb: a whole game to its completion, a saved game
// resumed after a restart by naming it on the command line, a broken picture. Everything is judged from screenshots.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <functional>
#include <optional>

#include "e2e/Desktop.h"
#include "e2e/ScreenReading.h"
#include "support/Pictures.h"

namespace tarsio {

namespace {

constexpr int Blocks = 2;  // rows and columns of the picture's colour blocks and of the grid
constexpr int Pieces = Blocks * Blocks;
const QSize PictureSize(240, 160);
const QSize CellSize(PictureSize.width() / Blocks, PictureSize.height() / Blocks);
constexpr int WaitMs = 10000;
constexpr int ScrambleMenu = 3;  // "Scomposizione" is the fourth title of the menu bar
constexpr int FileMenu = 0;

QColor blockColour(int block) { return tarsio::blockColour(block, Pieces); }

class PlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(desktop.startError().isEmpty()) << desktop.startError().toStdString();
    picturePath = writePicture(desktop.home(), QStringLiteral("blocchi.bmp"),
                               blocksPicture(PictureSize.width(), PictureSize.height(), Blocks, Blocks));
  }

  void TearDown() override {
    if (program.state() == QProcess::NotRunning) return;
    program.kill();
    program.waitForFinished(3000);
  }

  template <typename T>
  std::optional<T> waitForScreen(const std::function<std::optional<T>(const QImage&)>& find,
                                 int timeoutMs = WaitMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QImage screen;
    do {
      screen = desktop.screenshot();
      if (std::optional<T> found = find(screen)) return found;
      QThread::msleep(250);
    } while (!deadline.hasExpired());
    // The last screen seen is kept in the working folder, to show what the player saw.
    screen.save(QStringLiteral("tarsio_e2e_last_screen.png"));
    return std::nullopt;
  }

  // Starts the program, with the arguments given, and waits through the splash until the board window
  // shows.
  void startProgram(const QStringList& arguments = {}) {
    ASSERT_TRUE(desktop.start(program, QStringLiteral(TARSIO_PROGRAM), arguments));
    board = desktop.waitForWindow(QStringLiteral("Tarsio mania"), 20000);
    ASSERT_FALSE(board.isEmpty()) << "the board window did not show";
    desktop.activate(board);
  }

  // Key I, then the file's full path typed into the open-file dialog.
  void chooseFile(const QString& path) {
    desktop.activate(board);
    desktop.keys({QStringLiteral("i")});
    ASSERT_FALSE(desktop.waitForWindow(QStringLiteral("^Seleziona il file da aprire$"), WaitMs).isEmpty());
    desktop.type(path);
    desktop.keys({QStringLiteral("Return")});
  }

  // The picture's blocks as the board shows them; sets the client area's origin from where they are.
  std::optional<QRect> findPicture(const QImage& screen) const {
    const QRect topLeftBlock = colourBox(screen, blockColour(0), QRect(0, 0, 100, Desktop::Height));
    if (topLeftBlock.isEmpty()) return std::nullopt;
    const QRect picture(topLeftBlock.topLeft(), PictureSize);
    for (int i = 0; i < Pieces; ++i)
      if (colourShare(screen, blockColour(i), cellOf(picture, i).adjusted(2, 2, -2, -2)) < 0.95)
        return std::nullopt;
    return picture;
  }

  void waitForPicture() {
    const std::optional<QRect> found =
        waitForScreen<QRect>([this](const QImage& s) { return findPicture(s); });
    ASSERT_TRUE(found) << "the chosen picture is not on the board";
    picture = *found;
    // The picture lies at (120, 240) twips, (8, 16) pixels, from the client area's top-left.
    client = picture.topLeft() - QPoint(8, 16);
  }

  static QRect cellOf(QRect area, int i) {
    return QRect(area.topLeft() + QPoint(i % Blocks * CellSize.width(), i / Blocks * CellSize.height()),
                 CellSize);
  }
  // The grid starts 30 twips (2 pixels) right of the picture.
  QRect home(int i) const { return cellOf(picture.translated(picture.width() + 2, 0), i); }

  // Types the grid size into "Righe" and "Colonne" and presses G. The boxes stand 580 twips below the
  // picture's top, at 3240 and 4200 twips from the left; they are 375 twips (25 pixels) square.
  void chooseGrid() {
    const int boxTop = client.y() + qRound((580.0 + picture.height() * 15.0) / 15.0);
    for (int left : {3240 / 15, 4200 / 15}) {
      desktop.click(QPoint(client.x() + left + 12, boxTop + 12));
      // The boxes drop Ctrl+A like every other letter: the text is selected with End and Shift+Home.
      desktop.keys({QStringLiteral("End"), QStringLiteral("shift+Home")});
      desktop.type(QString::number(Blocks));
    }
    desktop.keys({QStringLiteral("g")});
  }

  // Clicks the menu bar's title (0 = the leftmost) and types the keys into the open menu.
  void useMenu(int title, const QStringList& keys) {
    const QList<QRect> words = wordsInBand(desktop.screenshot(), QRect(client.x(), client.y() - 16, 600, 14));
    ASSERT_GT(words.size(), title) << "menu bar not found";
    desktop.click(words[title].center());
    QThread::msleep(300);
    desktop.keys(keys);
  }

  // Piece i as a whole upright block of its colour right of the picture; nullopt when not seen so.
  std::optional<QRect> findPiece(const QImage& screen, int i) const {
    const QRect box = colourBox(screen, blockColour(i),
                                QRect(picture.right() + 1, client.y(), Desktop::Width, Desktop::Height));
    if (std::abs(box.width() - CellSize.width()) > 1 || std::abs(box.height() - CellSize.height()) > 1)
      return std::nullopt;
    if (colourShare(screen, blockColour(i), box) < 0.9) return std::nullopt;
    return box;
  }

  std::optional<QList<QRect>> findPieces(const QImage& screen) const {
    QList<QRect> boxes;
    for (int i = 0; i < Pieces; ++i) {
      const std::optional<QRect> box = findPiece(screen, i);
      if (!box) return std::nullopt;
      boxes.append(*box);
    }
    return boxes;
  }

  static bool atPlace(QRect piece, QRect place) {
    return (piece.topLeft() - place.topLeft()).manhattanLength() <= 1;
  }

  // Picture, 2 x 2 grid, "solo &Spostare", cut: the four pieces are on the board.
  void playUntilCut() {
    ASSERT_NO_FATAL_FAILURE(startProgram());
    ASSERT_NO_FATAL_FAILURE(chooseFile(picturePath));
    ASSERT_NO_FATAL_FAILURE(waitForPicture());
    chooseGrid();
    ASSERT_NO_FATAL_FAILURE(useMenu(ScrambleMenu, {QStringLiteral("s")}));
    desktop.keys({QStringLiteral("p")});
    ASSERT_TRUE(waitForScreen<QList<QRect>>([this](const QImage& s) { return findPieces(s); }))
        << "the cut did not deal four upright pieces";
  }

  // Where piece i waits right of the grid, out of every cell: four to a row.
  int parkingLeft(int i) const { return home(Blocks - 1).right() + 30 + i % 4 * (CellSize.width() + 15); }
  int parkingTop(int i) const { return home(0).top() + CellSize.height() / 2 + i / 4 * (CellSize.height() + 15); }

  // Drags every piece off the grid, so that no piece hides another's cell. A piece goes half a cell
  // up or down first and then sideways, so it never passes its own cell's corner; one dealt into its
  // own cell docks at the first move and stays.
  void parkPieces() {
    const std::optional<QList<QRect>> dealt = findPieces(desktop.screenshot());
    ASSERT_TRUE(dealt);
    for (int i = 0; i < Pieces; ++i) {
      const QRect piece = (*dealt)[i];
      const QPoint grab = piece.center();
      const QPoint offRow = grab + QPoint(0, parkingTop(i) - piece.top());
      desktop.drag({grab, offRow, offRow + QPoint(parkingLeft(i) - piece.left(), 0)});
    }
    const std::optional<QList<QRect>> parked = findPieces(desktop.screenshot());
    ASSERT_TRUE(parked) << "a piece was lost on its way off the grid";
    for (int i = 0; i < Pieces; ++i)
      ASSERT_TRUE(atPlace((*parked)[i], home(i)) ||
                  atPlace((*parked)[i], QRect(parkingLeft(i), parkingTop(i), 1, 1)))
          << "piece " << i << " did not follow the pointer";
  }

  // Drags a parked piece to its row, then along the row to its cell, and lets it go 3 pixels short of
  // the corner (45 twips, within the docking distance): a docked piece sits exactly in its cell.
  void dock(int i) {
    const std::optional<QRect> piece = findPiece(desktop.screenshot(), i);
    ASSERT_TRUE(piece);
    if (atPlace(*piece, home(i))) return;
    const QPoint grab = piece->center();
    const QPoint inRow = grab + QPoint(0, home(i).top() - piece->top());
    desktop.drag({grab, inRow, inRow + QPoint(home(i).left() - piece->left() + 3, 0)});
  }

  Desktop desktop;
  QProcess program;
  QString board;
  QString picturePath;
  QRect picture;
  QPoint client;
};

TEST_F(PlayTest, AWholeGameEndsWithTheCompletionPicture) {
  ASSERT_NO_FATAL_FAILURE(playUntilCut());
  ASSERT_NO_FATAL_FAILURE(parkPieces());
  // The completion picture, 152 x 98 pixels at 6360 twips from the left, near the bottom.
  const QRect completionBand(client.x() + 424, Desktop::Height / 2, 152, Desktop::Height / 2);
  EXPECT_FALSE(showsCompletion(desktop.screenshot(), completionBand));
  for (int i = 0; i < Pieces; ++i) ASSERT_NO_FATAL_FAILURE(dock(i));

  // The cell of the last piece docked lights up for half a second; the board is read after it.
  QThread::msleep(800);
  const QImage screen = desktop.screenshot();
  for (int i = 0; i < Pieces; ++i) {
    const std::optional<QRect> piece = findPiece(screen, i);
    EXPECT_TRUE(piece && atPlace(*piece, home(i))) << "piece " << i << " is not docked in its cell";
  }
  EXPECT_TRUE(showsCompletion(screen, completionBand)) << "no \"Completato !\" on the screen";
}

TEST_F(PlayTest, ASavedGameResumesWithItsDockedPiece) {
  ASSERT_NO_FATAL_FAILURE(playUntilCut());
  ASSERT_NO_FATAL_FAILURE(parkPieces());
  ASSERT_NO_FATAL_FAILURE(dock(0));
  ASSERT_NO_FATAL_FAILURE(useMenu(FileMenu, {QStringLiteral("s")}));
  const QString saved = desktop.waitForWindow(QStringLiteral("^Salvataggio$"), WaitMs);
  ASSERT_FALSE(saved.isEmpty()) << "no message after saving";
  desktop.activate(saved);
  desktop.keys({QStringLiteral("Return")});
  ASSERT_TRUE(QFile::exists(picturePath + QStringLiteral(".trs")));

  // "Chiudi" is the last item of the menu "File".
  ASSERT_NO_FATAL_FAILURE(useMenu(FileMenu, {QStringLiteral("Up"), QStringLiteral("Return")}));
  ASSERT_TRUE(program.waitForFinished(WaitMs)) << "\"Chiudi\" did not end the program";

  // Opened as a file manager opens it: named on the command line.
  ASSERT_NO_FATAL_FAILURE(startProgram({picturePath + QStringLiteral(".trs")}));
  ASSERT_NO_FATAL_FAILURE(waitForPicture());
  const bool docked = waitForScreen<bool>([this](const QImage& s) -> std::optional<bool> {
                        if (colourShare(s, blockColour(0), home(0)) < 0.95) return std::nullopt;
                        return true;
                      }).has_value();
  EXPECT_TRUE(docked) << "the resumed game does not show the docked piece in its cell";
}

TEST_F(PlayTest, ABrokenPictureIsRefusedAndTheBoardGoesOn) {
  const QString broken = desktop.home() + QStringLiteral("/rotta.jpg");
  QFile file(broken);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("questa non e' un'immagine");
  file.close();

  ASSERT_NO_FATAL_FAILURE(startProgram());
  ASSERT_NO_FATAL_FAILURE(chooseFile(broken));
  const QString message = desktop.waitForWindow(QStringLiteral("^Tarsio$"), WaitMs);
  ASSERT_FALSE(message.isEmpty()) << "no \"Immagine non valida\" box";
  desktop.activate(message);
  desktop.keys({QStringLiteral("Return")});

  ASSERT_NO_FATAL_FAILURE(chooseFile(picturePath));
  ASSERT_NO_FATAL_FAILURE(waitForPicture());
}

}  // namespace

}  // namespace tarsio
