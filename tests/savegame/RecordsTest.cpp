// The records file and the best time, as plain values.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "savegame/Records.h"
#include "support/BoardFixture.h"

namespace tarsio {
namespace {

QDateTime at(qint64 seconds) { return QDateTime::fromSecsSinceEpoch(1'800'000'000 + seconds, Qt::UTC); }

TEST(Records, theFileReadsBackAsWrittenAndAnyDamageIsRefused) {
  const std::vector<GameRecord> records = {
      {QStringLiteral("/home/a b/100% città\nx.jpg"), 3, 4, 4, 754'321, 2, at(0)},
      {QStringLiteral("/p.bmp"), 120, 200, 1, 0, 0, at(59)},
  };
  const QByteArray bytes = formatRecords(records);
  EXPECT_EQ(parseRecords(bytes), records);
  EXPECT_EQ(parseRecords(formatRecords({})), std::vector<GameRecord>{});
  const QByteArray line = bytes.split('\n')[1];
  const QByteArray header = "tarsio-record 1\n";
  for (const QByteArray& damaged :
       {QByteArray(), bytes.chopped(1), "tarsio-record 2\n" + line + '\n', header + line + " 1\n",
        header + QByteArray(line).replace(" 3 4 4 ", " 3 4 ") + '\n',
        header + QByteArray(line).replace(" 3 4 4 ", " 1 4 4 ") + '\n',
        header + QByteArray(line).replace(" 3 4 4 ", " 3 4 5 ") + '\n',
        header + QByteArray(line).replace(" 754321 ", " -754321 ") + '\n',
        header + QByteArray(line).replace(" 754321 ", " +754321 ") + '\n',
        header + QByteArray(line).replace("2027", "20x7") + '\n', header + "\n"}) {
    SCOPED_TRACE(damaged.toStdString());
    EXPECT_FALSE(parseRecords(damaged));
  }
}

// The best of a picture and grid is the least time, fewer hints breaking a tie; other grids and other
// pictures do not count, however fast they were.
TEST(Records, theBestTimeIsTheLeastOfThatPictureAndGrid) {
  const QString picture = QStringLiteral("/a.jpg");
  const std::vector<GameRecord> records = {
      {picture, 3, 4, 1, 90'000, 5, at(0)},   {picture, 3, 4, 1, 60'000, 3, at(1)},
      {picture, 4, 3, 1, 1'000, 0, at(2)},    {QStringLiteral("/b/a.jpg"), 3, 4, 1, 1'000, 0, at(3)},
      {picture, 3, 4, 3, 60'000, 1, at(4)},   {picture, 3, 4, 1, 120'000, 0, at(5)},
  };
  EXPECT_EQ(bestRecord(records, picture, 3, 4), records[4]);
  EXPECT_EQ(bestRecord(records, picture, 4, 3), records[2]);
  EXPECT_FALSE(bestRecord(records, picture, 3, 3));
  const std::vector<GameRecord> listed = recordsBestFirst(records);
  const std::vector<GameRecord> expected = {records[4], records[1], records[0],
                                            records[5], records[2], records[3]};
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(recordTimeText(3'723'999), QStringLiteral("1:02:03"));
  EXPECT_EQ(recordTimeText(59'999), QStringLiteral("0:59"));
}

// A damaged records file that cannot be moved aside (its folder is not writable) is told as such, and
// no record is written over it later.
TEST(Records, aDamagedFileThatCannotBeSetAsideIsLeftAlone) {
  QTemporaryDir folder;
  const QString file = QDir(folder.path()).filePath(QStringLiteral("record.txt"));
  QFile out(file);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write("rotto\n") == 6);
  out.close();
  ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0555), 0);
  EXPECT_TRUE(asPlainUser({folder.path(), file}, [&] {
    RecordBook book(folder.path());
    EXPECT_EQ(book.open(), QString());
    // The folder takes files again: the damaged file is still not written over.
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0755), 0);
    std::optional<bool> written;
    book.add({QStringLiteral("/a.jpg"), 2, 2, 1, 1'000, 0, at(0)},
             [&](const DurableWrite& w) { written = w.written; });
    book.wait();
    QCoreApplication::processEvents();
    EXPECT_EQ(written, false);
    QFile in(file);
    EXPECT_EQ(in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray(), QByteArray("rotto\n"));
  }));
}

}  // namespace
}  // namespace tarsio
