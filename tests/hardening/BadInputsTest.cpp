// Bad inputs the other tests leave out: cut-off pictures at every length, corrupt and oversized
// headers, files of other kinds, unreadable files, awkward paths, the largest grid. After each the
// board says so in Italian and a good picture can still be chosen, gridded and cut.
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>

#include "picture/GridSize.h"
#include "picture/PictureFile.h"
#include "support/BoardFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

QByteArray encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format));
  return bytes;
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeBytes(const QString& folder, const QString& name, const QByteArray& bytes) {
  const QString path = QDir(folder).filePath(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
  return path;
}

// A JPEG as a camera writes it: an EXIF segment right after the start carries a small JPEG thumbnail,
// whose own end-of-image marker comes long before the end of the file.
QByteArray photoWithThumbnail() {
  const QByteArray thumbnail = encoded(blocksPicture(8, 8, 2, 2), "JPEG");
  const QByteArray app1 = QByteArray("Exif\0\0", 6) + thumbnail;
  const int length = app1.size() + 2;
  const QByteArray photo = encoded(blocksPicture(48, 32, 4, 6), "JPEG");
  return photo.left(2) + "\xFF\xE1" + char(length >> 8) + char(length & 0xFF) + app1 + photo.mid(2);
}

// A BMP with the oldest, 12-byte header: 3 x 2 pixels of 24 bits, 50 bytes in all.
QByteArray oldStyleBmp() {
  QByteArray bytes(
      "BM\x32\0\0\0\0\0\0\0\x1A\0\0\0"
      "\x0C\0\0\0\x03\0\x02\0\x01\0\x18\0",
      26);
  for (int row = 0; row < 2; ++row) bytes += QByteArray("\x10\x20\x30\x40\x50\x60\x70\x80\x90\0\0\0", 12);
  return bytes;
}

// A big-endian TIFF of 2 x 2 RGB pixels in one strip, its directory after the pixels and the bits per
// sample kept outside the directory.
QByteArray bigEndianTiff() {
  QByteArray bytes("MM\0\x2A\0\0\0\x1A", 8);
  bytes += QByteArray("\xFF\0\0\0\xFF\0\0\0\xFF\x80\x80\x80", 12);  // red, green, blue, grey
  bytes += QByteArray("\0\x08\0\x08\0\x08", 6);                     // at 20: 8 bits each
  const auto big = [&](quint32 value, int bytesCount) {
    for (int i = bytesCount - 1; i >= 0; --i) bytes.append(char(value >> (8 * i)));
  };
  const struct {
    quint16 tag, type;
    quint32 count, value;
  } entries[] = {{256, 3, 1, 2 << 16}, {257, 3, 1, 2 << 16}, {258, 3, 3, 20},   {259, 3, 1, 1 << 16},
                 {262, 3, 1, 2 << 16}, {273, 4, 1, 8},       {277, 3, 1, 3 << 16}, {278, 3, 1, 2 << 16},
                 {279, 4, 1, 12},      {284, 3, 1, 1 << 16}};
  big(std::size(entries), 2);
  for (const auto& e : entries) {
    big(e.tag, 2);
    big(e.type, 2);
    big(e.count, 4);
    big(e.value, 4);  // a single short sits in the field's first two bytes
  }
  big(0, 4);
  return bytes;
}

// A GIF of 80 colours, whose palette and picture data hold bytes equal to the trailer ';' (0x3B).
QByteArray gifWithTrailerBytes(const QString& folder) {
  QImage image = blocksPicture(80, 60, 8, 10);
  image.setPixel(0, 0, qRgb(0x3B, 0x3B, 0x3B));
  return fileBytes(writePicture(folder, QStringLiteral("trailer.gif"), image));
}

TEST(CutOffPicture, isRefusedWhereverItEnds) {
  QTemporaryDir folder;
  const struct {
    const char* name;
    QByteArray bytes;
  } pictures[] = {
      {"bmp.bmp", encoded(blocksPicture(5, 3, 1, 2), "BMP")},
      {"old.bmp", oldStyleBmp()},
      {"trailer.gif", gifWithTrailerBytes(folder.path())},
      {"photo.jpg", photoWithThumbnail()},
      {"drawing.png", encoded(blocksPicture(6, 4, 2, 2), "PNG")},
      {"photo.webp", encoded(blocksPicture(6, 4, 2, 2), "WEBP")},
      {"scan.tif", encoded(blocksPicture(6, 4, 2, 2), "TIFF")},
      {"scan.tiff", bigEndianTiff()},
  };
  for (const auto& [name, bytes] : pictures) {
    const QString path = QDir(folder.path()).filePath(QString::fromLatin1(name));
    writeBytes(folder.path(), QString::fromLatin1(name), bytes);
    EXPECT_TRUE(readPicture(path)) << name << " whole";
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    ASSERT_EQ(::write(pipeEnds[1], bytes.constData(), bytes.size()), bytes.size());
    ::close(pipeEnds[1]);
    // A pipe, a device, could give bytes without end, or none until a writer comes.
    EXPECT_FALSE(readPicture(QStringLiteral("/dev/fd/%1").arg(pipeEnds[0]))) << name << " through a pipe";
    ::close(pipeEnds[0]);
    for (qsizetype length = 1; length < bytes.size(); ++length) {
      writeBytes(folder.path(), QString::fromLatin1(name), bytes.left(length));
      EXPECT_FALSE(readPicture(path)) << name << " cut to " << length << " of " << bytes.size() << " bytes";
    }
  }
}

class BadInputs : public BoardFixture {
 protected:
  QString write(const QString& name, const QByteArray& bytes) {
    return writeBytes(folder.path(), name, bytes);
  }

  // Chooses the file and expects the one message of a refused picture.
  void expectRefused(const QString& path) {
    const std::size_t before = dialogs.messages().size();
    chooseFile(path);
    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), before + 1) << path.toStdString();
    EXPECT_EQ(messages.back().text, QStringLiteral("Immagine non valida\n") + path);
    EXPECT_EQ(messages.back().title, QStringLiteral("Tarsio"));
  }

  // A good picture can still be chosen, gridded and cut, without a message.
  void expectStillPlayable() {
    const std::size_t before = dialogs.messages().size();
    choosePicture(blocksPicture(120, 80, 2, 3), QStringLiteral("buona.bmp"));
    chooseGrid(2, 3);
    click(board->CmdTarsio);
    EXPECT_EQ(game().GamePhase, 3);
    EXPECT_EQ(board->ImA.count(), 7);  // six pieces and the template
    EXPECT_EQ(dialogs.messages().size(), before);
  }
};

// A good JPEG whose frame header (found by its marker) gets a new precision byte or size.
QByteArray withFrameHeader(QByteArray jpeg, int precision, int height, int width) {
  const qsizetype frame = jpeg.indexOf("\xFF\xC0");
  EXPECT_GT(frame, 0);
  const char fields[] = {char(precision), char(height >> 8), char(height), char(width >> 8), char(width)};
  jpeg.replace(frame + 4, 5, QByteArray(fields, 5));
  return jpeg;
}

TEST_F(BadInputs, aBrokenOrForeignFileIsRefusedAndTheBoardPlaysOn) {
  const QImage picture = blocksPicture(40, 30, 2, 2);
  QByteArray badDepth = encoded(picture, "BMP");
  badDepth[28] = 7;  // bits per pixel
  // The test GIF writer puts the image descriptor at 397 and its LZW code size at 407.
  QByteArray badCodeSize = fileBytes(writePicture(folder.path(), QStringLiteral("x.gif"), picture));
  badCodeSize[407] = 15;
  QByteArray giantGif = badCodeSize;
  for (int at : {6, 8, 402, 404}) giantGif[at] = giantGif[at + 1] = '\xFF';  // screen and image 65535 x 65535
  const QByteArray jpeg = encoded(picture, "JPEG");
  const struct {
    const char* name;
    QByteArray bytes;
  } files[] = {
      {"profondità.bmp", badDepth},
      {"codice.gif", badCodeSize},
      {"precisione.jpg", withFrameHeader(jpeg, 99, 30, 40)},
      {"gigante.gif", giantGif},
      {"gigante.jpg", withFrameHeader(jpeg, 8, 65500, 65500)},
      {"ritratto.jpg", QByteArray("P6\n2 2\n255\n") + QByteArray(12, '\x7F')},  // a PPM picture
      {"disegno.jpg", encoded(picture, "XPM")},
  };
  choosePicture(picture, QStringLiteral("prima.bmp"));
  const Picture shown = board->ImaOrig.picture();
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    expectRefused(write(QString::fromUtf8(name), bytes));
    EXPECT_EQ(board->ImaOrig.picture(), shown);
  }
  expectStillPlayable();
}

TEST_F(BadInputs, anUnreadableFileIsRefused) {
  const QString path = writePicture(folder.path(), QStringLiteral("chiusa.bmp"), blocksPicture(40, 30, 2, 2));
  ASSERT_TRUE(QFile::setPermissions(path, QFile::Permissions()));
  EXPECT_TRUE(asPlainUser({folder.path()}, [&] {
    expectRefused(path);
    expectStillPlayable();
  }));
}

TEST_F(BadInputs, aGameAtAnAccentedPathWithCommasAndQuotesSavesAndResumes) {
  const QString inner = QStringLiteral("le \"mie\" foto, più belle");
  ASSERT_TRUE(QDir(folder.path()).mkdir(inner));
  const QString picture = writePicture(QDir(folder.path()).filePath(inner),
                                       QStringLiteral("caffè à l'aperto.jpg"), blocksPicture(90, 60, 2, 3));
  chooseFile(picture);
  chooseGrid(2, 3);
  click(board->CmdTarsio);
  const std::vector<int> orientations = game().Orientation;
  board->mSalva_Click();
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(dialogs.messages().back().text, QStringLiteral("Gioco salvato in ") + picture + ".trs");
  click(board->CmdAzze);
  chooseFile(picture + QStringLiteral(".trs"));
  EXPECT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(game().GamePhase, 3);
  EXPECT_EQ(game().PicturePath, picture);
  EXPECT_EQ(game().Orientation, orientations);
  // A saved game's name may take all the 255 bytes a name can have.
  const QString longest =
      writePicture(folder.path(), QString(247, u'x') + ".jpg", blocksPicture(90, 60, 2, 3));
  click(board->CmdAzze);
  chooseFile(longest);
  chooseGrid(2, 3);
  click(board->CmdTarsio);
  board->mSalva_Click();
  EXPECT_EQ(dialogs.messages().back().text, QStringLiteral("Gioco salvato in ") + longest + ".trs");
}

// 7 x 4681 = 32767 pieces, one pixel wide each: the most the game cuts.
TEST_F(BadInputs, theLargestGridIsCutAndReset) {
  choosePicture(blocksPicture(4681, 7, 1, 1), QStringLiteral("striscia.bmp"));
  chooseGrid(QStringLiteral("7"), QStringLiteral("4681"));
  click(board->CmdTarsio);
  ASSERT_EQ(game().PieceCount, MaxPieces);
  EXPECT_EQ(board->ImA.count(), MaxPieces);  // piece 999 is the template itself
  EXPECT_TRUE(board->ImA(MaxPieces - 1).Visible());
  EXPECT_TRUE(dialogs.messages().empty());
  click(board->CmdAzze);
  EXPECT_EQ(board->ImA.count(), 1);
  expectStillPlayable();
}

}  // namespace
}  // namespace tarsio
