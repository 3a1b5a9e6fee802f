// Choosing a picture: the dialog, the path's parts, loading and fitting, and bad files.
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QThreadPool>
#include <functional>

#include "picture/PictureFile.h"
#include "picture/PicturePath.h"
#include "platform/Events.h"
#include "support/BoardFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

TEST(PicturePath, splitsAtTheLastDotAndLowersTheExtension) {
  const struct {
    const char *path, *base, *extension;
  } cases[] = {
      {"/home/anna/foto/mare.estate.JPG", "/home/anna/foto/mare.estate", "jpg"},
      {"/giochi/partita.TRS", "/giochi/partita", "trs"},
      {"/giochi/gatto.jpg.trs", "/giochi/gatto.jpg", "trs"},
      {"/senza/punto", "/senza/punto", ""},
  };
  for (const auto& c : cases) {
    const PathParts parts = splitPath(QString::fromUtf8(c.path));
    EXPECT_EQ(parts.baseName, QString::fromUtf8(c.base));
    EXPECT_EQ(parts.extension, QString::fromUtf8(c.extension));
  }
}

class PictureChoice : public BoardFixture {
 protected:
  // The board's picture and layout, to compare before and after a refused file.
  struct Snapshot {
    Picture picture;
    QRectF box;
    double rowTop;
    int phase;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot snapshot() {
    return {board->ImaOrig.picture(), board->ImaOrig.boxTwips(), board->CmdImma.Top(), game().GamePhase};
  }
};

TEST_F(PictureChoice, theDialogOffersTheGameFilterFirstThenOtherPicturesAndStartsInTheLastFolder) {
  const QString path = choosePicture(blocksPicture(100, 100, 2, 2));
  const auto opens = dialogs.ofKind(DialogCall::OpenFile);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].request.title, QStringLiteral("Seleziona il file da aprire"));
  const QList<FileFilter> filters{
      {QStringLiteral("Tutti i file(*.bmp;*.gif;*.jpg;*.jpeg;*.trs)"),
       {"*.bmp", "*.gif", "*.jpg", "*.jpeg", "*.trs", "*.png", "*.webp", "*.tif", "*.tiff"}},
      {QStringLiteral("Altre immagini (*.png;*.webp;*.tif;*.tiff)"), {"*.png", "*.webp", "*.tif", "*.tiff"}},
  };
  EXPECT_EQ(opens[0].request.filters, filters);
  EXPECT_EQ(QDir::currentPath(), QDir(folder.path()).canonicalPath());
  // The next dialog starts in the chosen file's folder even if the current directory moved meanwhile.
  QDir::setCurrent(QDir::tempPath());
  dialogs.answers.push_back(QString());
  click(board->CmdImma);
  EXPECT_EQ(QDir(dialogs.ofKind(DialogCall::OpenFile).back().request.folder).canonicalPath(),
            QDir(folder.path()).canonicalPath());
  EXPECT_EQ(game().PicturePath, path);
}

TEST_F(PictureChoice, aSmallPictureIsShownAtItsNaturalSizeAndEnablesTheGrid) {
  const QString path = choosePicture(blocksPicture(100, 100, 2, 2), QStringLiteral("quadro.bmp"));
  EXPECT_EQ(game().GamePhase, 1);
  EXPECT_EQ(game().PictureWidth, 1500);
  EXPECT_EQ(game().PictureHeight, 1500);
  EXPECT_EQ(board->ImaOrig.boxTwips(), QRectF(120, 240, 1500, 1500));
  EXPECT_EQ(board->RC1.Top(), 1840);
  EXPECT_EQ(board->CmdImma.Top(), 2080);
  EXPECT_EQ(board->CmdTarsio.Top(), 2560);
  EXPECT_EQ(game().PicturePath, path);
  EXPECT_EQ(game().PictureBaseName, QDir(folder.path()).filePath(QStringLiteral("quadro")));
  EXPECT_EQ(game().PictureExtension, QStringLiteral("bmp"));
  EXPECT_FALSE(game().LoadingSavedGame);
  for (Control* c : std::initializer_list<Control*>{&board->CmdGriglia, &board->Righe, &board->Colonne, &board->CmdAzze})
    EXPECT_TRUE(c->Enabled());
  EXPECT_TRUE(board->mGrig.Enabled() && board->mAzze.Enabled() && board->mVisual.Enabled());
  EXPECT_FALSE(board->CmdTarsio.Enabled());
  EXPECT_EQ(board->CmdGriglia.Caption(), QStringLiteral("2 - Scegli Griglia"));
  EXPECT_EQ(board->mGrig.Caption(), QStringLiteral("2 - Scegli &Griglia..."));
  EXPECT_EQ(board->PictureClip1.picture().size(), QSize(100, 100));
}

// The picture replaced by the next choice is given back to the system once the new one is painted.
TEST_F(PictureChoice, theReplacedPictureIsGivenBackOnceTheNewOneIsPainted) {
  choosePicture(blocksPicture(100, 60, 2, 2), QStringLiteral("prima.bmp"));
  const std::weak_ptr<const SourceImage> first = board->ImaOrig.picture().source();
  choosePicture(blocksPicture(80, 40, 2, 2), QStringLiteral("seconda.bmp"));
  QThreadPool::globalInstance()->waitForDone();
  EXPECT_FALSE(first.expired());
  board->canvas->repaint();
  QThreadPool::globalInstance()->waitForDone();
  EXPECT_TRUE(first.expired());
  EXPECT_EQ(board->PictureClip1.picture().toImage(), blocksPicture(80, 40, 2, 2).convertToFormat(QImage::Format_RGB32));
}

TEST_F(PictureChoice, aLargePictureIsScaledDownButKeepsItsNaturalSize) {
  choosePicture(blocksPicture(1260, 300, 1, 3), QStringLiteral("largo.jpg"));  // twice the 9450 twips limit
  EXPECT_EQ(game().PictureWidth, 18900);
  EXPECT_DOUBLE_EQ(board->ImaOrig.Width(), 9450);
  EXPECT_DOUBLE_EQ(board->ImaOrig.Height(), 2250);
  EXPECT_DOUBLE_EQ(game().AreaStepWidth, 945);
}

TEST_F(PictureChoice, everyPictureKindLoadsWhateverTheCaseOfItsExtension) {
  for (const char* name : {"FOTO.JPG", "Mare.Gif", "quadro.BMP", "scatto.jpeg", "Disegno.PNG", "mare.webp",
                           "scansione.TIF"}) {
    choosePicture(blocksPicture(60, 40, 2, 2), QString::fromLatin1(name));
    EXPECT_EQ(game().GamePhase, 1) << name;
    EXPECT_EQ(game().PictureWidth, 900) << name;
  }
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(PictureChoice, aHundredMegapixelPhotoLoads) {
  QImage photo(10000, 10000, QImage::Format_RGB32);
  photo.fill(qRgb(30, 120, 200));
  choosePicture(photo, QStringLiteral("enorme.bmp"));
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_EQ(game().PictureWidth, 150000);
}

// A JPEG whose EXIF block says the camera was turned: orientation 6, shown turned a quarter clockwise.
QByteArray withExifOrientation(const QByteArray& jpeg, char orientation) {
  QByteArray tiff("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 19);
  tiff.append(orientation).append(QByteArray(2, '\0')).append(QByteArray(4, '\0'));
  QByteArray app1("Exif\0\0", 6);
  app1.append(tiff);
  QByteArray segment("\xFF\xE1", 2);
  const int length = app1.size() + 2;
  segment.append(char(length >> 8)).append(char(length & 0xFF)).append(app1);
  return jpeg.left(2) + segment + jpeg.mid(2);
}

TEST_F(PictureChoice, aPhotoTakenWithTheCameraTurnedIsShownUpright) {
  const QString plain = writePicture(folder.path(), QStringLiteral("plain.jpg"), blocksPicture(80, 40, 1, 2));
  QFile in(plain);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  const QString turned = QDir(folder.path()).filePath(QStringLiteral("turned.jpg"));
  QFile out(turned);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(withExifOrientation(in.readAll(), 6));
  out.close();
  chooseFile(turned);
  EXPECT_EQ(game().PictureWidth, 40 * 15);
  EXPECT_EQ(game().PictureHeight, 80 * 15);
}

TEST_F(PictureChoice, aBrokenFileIsRefusedAndTheShownPictureStaysAsItWas) {
  choosePicture(blocksPicture(100, 60, 2, 2), QStringLiteral("buona.bmp"));
  const Snapshot before = snapshot();
  QByteArray bmpBomb("BM", 2);
  bmpBomb.append(QByteArray(12, '\0')).append(QByteArray("\x28\0\0\0\xA0\x86\x01\0\xA0\x86\x01\0\x01\0\x18\0", 16));
  bmpBomb.append(QByteArray(24, '\0'));
  QFile good(QDir(folder.path()).filePath(QStringLiteral("buona.bmp")));
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  const QByteArray truncated = good.readAll().left(100);
  const QString gif = writePicture(folder.path(), QStringLiteral("intera.gif"), blocksPicture(40, 30, 2, 2));
  QFile gifFile(gif);
  ASSERT_TRUE(gifFile.open(QIODevice::ReadOnly));
  const QByteArray cutGif = gifFile.readAll().chopped(20);
  const QString jpeg = writePicture(folder.path(), QStringLiteral("intera.jpg"), blocksPicture(400, 300, 2, 2));
  QFile jpegFile(jpeg);
  ASSERT_TRUE(jpegFile.open(QIODevice::ReadOnly));
  const QByteArray cutJpeg = jpegFile.readAll().chopped(200);
  const std::pair<const char*, QByteArray> files[] = {
      {"vuota.jpg", QByteArray()},
      {"testo.jpg", QByteArray("questo non è un'immagine\n")},
      {"troncata.bmp", truncated},
      {"troncata.gif", cutGif},
      {"troncata.jpg", cutJpeg},
      {"bomba.bmp", bmpBomb},  // announces 100000 x 100000 pixels
  };
  for (const auto& [name, bytes] : files) {
    const QString path = QDir(folder.path()).filePath(QString::fromUtf8(name));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    dialogs.calls.clear();
    chooseFile(path);
    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 1u) << name;
    EXPECT_EQ(messages[0].text, QStringLiteral("Immagine non valida\n") + path);
    EXPECT_EQ(messages[0].title, QStringLiteral("Tarsio"));
    EXPECT_EQ(messages[0].icon, MessageIcon::None);
    Snapshot after = snapshot();
    EXPECT_EQ(after.picture, before.picture) << name;
    EXPECT_EQ(after.box, before.box) << name;
    EXPECT_EQ(after.rowTop, before.rowTop) << name;
    EXPECT_EQ(after.phase, 0) << name;  // the choice began, as with a cancelled dialog
    EXPECT_TRUE(board->CmdGriglia.Enabled()) << name;
  }
}

// A photo large enough for the test screen (1280 x 1024) to be shown first from a reduced decode.
QString writeLargePhoto(const QString& folder) {
  QImage photo(2600, 1400, QImage::Format_RGB32);
  for (int y = 0; y < photo.height(); ++y)
    for (int x = 0; x < photo.width(); ++x) photo.setPixel(x, y, qRgb(x / 11 % 256, y / 6 % 256, (x + y) / 15 % 256));
  return writePicture(folder, QStringLiteral("grande.jpg"), photo);
}

TEST(FirstSight, aLargeJpegIsDecodedReducedToWhatTheFullPictureReducesTo) {
  const QTemporaryDir folder;
  const std::optional<CheckedPicture> checked = checkPicture(writeLargePhoto(folder.path()));
  ASSERT_TRUE(checked);
  const struct {
    QSize picture, screen;
    int level;
  } levels[] = {{{2600, 1400}, {1280, 1024}, 1}, {{12000, 8000}, {1366, 768}, 3}, {{6000, 4000}, {1920, 1080}, 1}, {{6000, 4000}, {1366, 768}, 2},
                {{1260, 300}, {1280, 1024}, 0}, {{2600, 1400}, {2560, 2048}, 0}};
  for (const auto& c : levels)
    EXPECT_EQ(firstSightLevel({checked->bytes, "jpeg", c.picture}, c.screen), c.level) << c.picture.width();
  EXPECT_EQ(firstSightLevel({checked->bytes, "png", {12000, 8000}}, {1280, 1024}), 0);
  const std::optional<QImage> full = decodePicture(*checked);
  ASSERT_TRUE(full);
  const SourceImage source(full->convertToFormat(QImage::Format_RGB32));
  for (int level : {1, 2, 3}) {
    const QImage reduced = decodePicture(*checked, level)->convertToFormat(QImage::Format_RGB32);
    const QImage& expected = source.level(level);
    ASSERT_EQ(reduced.size(), expected.size()) << level;
    qint64 difference = 0;
    for (int y = 0; y < reduced.height(); ++y)
      for (int x = 0; x < reduced.width(); ++x) {
        const QRgb a = reduced.pixel(x, y), b = expected.pixel(x, y);
        difference += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
      }
    EXPECT_LT(double(difference) / (3.0 * reduced.width() * reduced.height()), 1.5) << level;
  }
}

// The pieces of a photo first shown reduced are those of the same pixels chosen as a plain picture.
TEST_F(PictureChoice, aPhotoFirstShownReducedIsCutIntoThePiecesOfItsFullPixels) {
  const QString photo = writeLargePhoto(folder.path());
  const QString plain =
      writePicture(folder.path(), QStringLiteral("grande.bmp"), readPicture(photo)->convertToFormat(QImage::Format_RGB32));
  std::vector<QImage> pieces[2];
  for (const QString& path : {photo, plain}) {
    board.reset();
    SetUp();
    chooseFile(path);
    EXPECT_EQ(board->ImaOrig.picture().isReduced(), path == photo);
    EXPECT_EQ(game().PictureWidth, 2600 * 15);
    chooseGrid(3, 4);
    click(board->CmdTarsio);
    EXPECT_FALSE(board->ImaOrig.picture().isReduced());
    for (int i = 0; i < 12; ++i) pieces[path == plain].push_back(board->ImA(i).picture().toImage());
  }
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_EQ(pieces[0], pieces[1]);
}

TEST_F(PictureChoice, aFirstSightWhoseFullDecodeFailsIsRefusedAndTheBoardGoesBack) {
  const QString photo = writeLargePhoto(folder.path());
  choosePicture(blocksPicture(100, 60, 2, 2), QStringLiteral("buona.bmp"));
  const Snapshot before = snapshot();
  const QString path = game().PicturePath;
  chooseFile(photo);
  ASSERT_TRUE(board->ImaOrig.picture().isReduced());
  // What the worker hands back when the full decode fails.
  board->fullDecode.drop();
  EXPECT_FALSE(board->fullPictureArrived(Picture()));
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("Immagine non valida\n") + photo);
  Snapshot after = snapshot();
  EXPECT_EQ(after.picture, before.picture);
  EXPECT_EQ(after.box, before.box);
  EXPECT_EQ(after.rowTop, before.rowTop);
  EXPECT_EQ(after.phase, 0);  // the choice began, as with a file refused at once
  EXPECT_EQ(game().PicturePath, path);
  EXPECT_TRUE(board->CmdGriglia.Enabled());
  // A game the choice ended comes back.
  chooseGrid(2, 2);
  click(board->CmdTarsio);
  dialogs.answers = {QStringLiteral("Sì")};
  board->OpenFromOutside(photo);
  ASSERT_EQ(game().GamePhase, 1);
  board->fullDecode.drop();
  board->fullPictureArrived(Picture());
  EXPECT_EQ(game().GamePhase, 3);
  EXPECT_EQ(game().PieceCount, 4);
  EXPECT_EQ(game().PicturePath, path);
}

// Drops the data on the widget as a file manager would; whether the widget took it.
bool dropOn(QWidget* widget, QMimeData& data) {
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &drop);
  return enter.isAccepted() && drop.isAccepted();
}

// A file named on the command line or dropped on the board goes through the picture command without
// the dialog: it is checked first, and leaves a game in progress only if the player agrees.
TEST_F(PictureChoice, aFileFromOutsideGoesThroughThePictureCommand) {
  const QString second = writePicture(folder.path(), QStringLiteral("seconda.png"), blocksPicture(60, 40, 2, 2));
  const QString junk = folder.filePath(QStringLiteral("lettera.pdf"));
  ASSERT_TRUE(QFile::link(QCoreApplication::applicationFilePath(), junk));
  const auto fromGrid = [&](const char* how, const std::function<void()>& open) {
    SCOPED_TRACE(how);
    const QString first = choosePicture(blocksPicture(100, 60, 2, 2), QStringLiteral("prima.bmp"));
    chooseGrid(2, 2);
    click(board->CmdTarsio);
    dialogs.answers = {QStringLiteral("No"), QStringLiteral("Sì")};
    for (const QString& path : {junk, second}) {
      board->OpenFromOutside(path);
      EXPECT_EQ(board->ImA.count(), 5);
      EXPECT_EQ(game().PicturePath, first);
    }
    const auto opens = dialogs.ofKind(DialogCall::OpenFile).size();
    open();
    EXPECT_EQ(dialogs.ofKind(DialogCall::OpenFile).size(), opens);
    EXPECT_EQ(game().GamePhase, 1);
    EXPECT_EQ(board->Liv.count(), 1);  // only the design element: the grid is gone
    EXPECT_FALSE(board->CmdTarsio.Enabled());
    EXPECT_EQ(game().PicturePath, second);
    EXPECT_EQ(game().PictureWidth, 900);
    EXPECT_EQ(board->LastFolder, folder.path());
    EXPECT_EQ(QDir::currentPath(), folder.path());
  };
  // The command line names the file relative to the folder the program started in.
  fromGrid("command line", [&] {
    QDir::setCurrent(folder.path());
    board->OpenFromOutside(QStringLiteral("seconda.png"));
  });
  QMimeData file;
  file.setUrls({QUrl::fromLocalFile(second)});
  fromGrid("drop", [&] {
    QDir::setCurrent(QDir::tempPath());
    EXPECT_TRUE(dropOn(board->canvas, file));
    EXPECT_EQ(game().GamePhase, 3) << "nothing is done inside the drop";
    QCoreApplication::sendPostedEvents();
  });
  EXPECT_EQ(dialogs.messages().size(), 2u);

  // Anything else dropped is ignored, and so is a file dropped while a command holds input back.
  const Snapshot before = snapshot();
  QMimeData text;
  text.setText(second);
  EXPECT_FALSE(dropOn(board->canvas, text));
  QMimeData folderOnly;
  folderOnly.setUrls({QUrl::fromLocalFile(folder.path())});
  EXPECT_FALSE(dropOn(board->canvas, folderOnly));
  QMimeData third;
  third.setUrls({QUrl::fromLocalFile(
      writePicture(folder.path(), QStringLiteral("terza.bmp"), blocksPicture(30, 20, 2, 2)))});
  {
    InputHold hold;
    EXPECT_FALSE(dropOn(board->canvas, third));
  }
  EXPECT_EQ(snapshot(), before);
}

TEST_F(PictureChoice, cancellingChangesNothingButTheViewMenu) {
  const QString path = choosePicture(blocksPicture(100, 60, 2, 2));
  const Picture shown = board->ImaOrig.picture();
  dialogs.answers.push_back(QString());
  click(board->CmdImma);
  EXPECT_EQ(board->ImaOrig.picture(), shown);
  EXPECT_EQ(game().GamePhase, 0);
  EXPECT_EQ(game().PicturePath, path);
  EXPECT_TRUE(board->mVisual.Enabled());
  EXPECT_TRUE(board->CmdGriglia.Enabled());
}

}  // namespace
}  // namespace tarsio
