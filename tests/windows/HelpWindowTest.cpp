// Tests of the help window: where the help file is found, the list it fills, its place and sizes,
// and opening it from the board.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include "platform/Twips.h"
#include "support/BoardFixture.h"
#include "support/ScriptedDialogs.h"
#include "windows/HelpWindow.h"
#include "windows/ModalWatcher.h"

namespace tarsio {
namespace {

void writeHelp(const QString& folder, const QByteArray& bytes) {
  QFile file(QDir(folder).filePath(HelpFileName));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

QStringList items(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts.append(list.item(i)->text());
  return texts;
}

// Each test works in its own empty current directory, restored afterwards.
class HelpWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    for (const char* name : {"cwd", "installed", "source"}) ASSERT_TRUE(QDir(root.path()).mkdir(name));
    previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(path("cwd")));
    board.setGeometry(30, 40, 900, 700);
    board.show();
  }
  void TearDown() override { QDir::setCurrent(previous); }
  QString path(const char* name) const { return root.filePath(QString::fromLatin1(name)); }
  QStringList folders() const { return {QStringLiteral("."), path("installed"), path("source")}; }

  QTemporaryDir root;
  QString previous;
  QWidget board;
  ScriptedDialogs dialogs;
};

TEST_F(HelpWindowTest, FileInTheCurrentDirectoryFillsTheListLineByLine) {
  writeHelp(path("cwd"), "Titolo\r\n\r\nseconda riga \r\nperch\xc3\xa9\r\n");
  FormA help(board, dialogs);
  ASSERT_TRUE(help.load());
  EXPECT_EQ(items(*help.Listai), (QStringList{"Titolo", "", "seconda riga ", QString::fromUtf8("perché")}));
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(HelpWindowTest, FirstFolderHoldingTheFileWins) {
  struct Case {
    const char* name;
    std::vector<const char*> holders;  // folders that hold a help file naming the folder
    bool cwdHasDirectoryOfThatName;
    const char* expected;
  };
  const Case cases[] = {
      {"current directory first", {"cwd", "installed", "source"}, false, "cwd"},
      {"installed folder after a change of directory", {"installed", "source"}, false, "installed"},
      {"source folder last", {"source"}, false, "source"},
      {"a directory is no help file", {"installed"}, true, "installed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* folder : {"cwd", "installed", "source"}) {
      QFile::remove(QDir(path(folder)).filePath(HelpFileName));
      QDir(path(folder)).rmdir(HelpFileName);
    }
    for (const char* holder : c.holders) writeHelp(path(holder), QByteArray("da ") + holder + "\r\n");
    if (c.cwdHasDirectoryOfThatName) ASSERT_TRUE(QDir(path("cwd")).mkdir(HelpFileName));
    FormA help(board, dialogs, folders());
    ASSERT_TRUE(help.load());
    EXPECT_EQ(items(*help.Listai), QStringList{QStringLiteral("da ") + c.expected});
  }
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(HelpWindowTest, UsualFoldersFindTheHelpAwayFromItsDirectory) {
  FormA help(board, dialogs);
  ASSERT_TRUE(help.load());
  EXPECT_GT(help.Listai->count(), 10);
}

TEST_F(HelpWindowTest, InstalledHelpIsFoundFromTheProgramsFolderAfterTheCurrentDirectory) {
  // An installation under any prefix: the program in <prefix>/games, its help in <prefix>/share/tarsio.
  const QString prefix = path("installed") + QStringLiteral("/prefisso");
  ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/games")));
  ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/share/tarsio")));
  writeHelp(prefix + QStringLiteral("/share/tarsio"), "installata\r\n");
  const QStringList usual = helpFileFolders(prefix + QStringLiteral("/games"));
  FormA installed(board, dialogs, usual);
  ASSERT_TRUE(installed.load());
  EXPECT_EQ(items(*installed.Listai), QStringList{"installata"});
  writeHelp(path("cwd"), "corrente\r\n");
  FormA current(board, dialogs, usual);
  ASSERT_TRUE(current.load());
  EXPECT_EQ(items(*current.Listai), QStringList{"corrente"});
}

TEST_F(HelpWindowTest, TakesTheBoardsCornerAndHeightAndFitsListAndButton) {
  struct Case {
    int boardHeight;  // pixels
    int listHeight;   // pixels
    int buttonTop;    // pixels
  };
  // Inner heights of 700, 412 and 30 pixels: 10500, 6180 and 450 twips; the list ends 700 twips and
  // the button starts 450 twips above the bottom, the list never below zero height.
  const Case cases[] = {{700, 653, 670}, {412, 365, 382}, {30, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.boardHeight);
    board.setGeometry(30, 40, 900, c.boardHeight);
    writeHelp(path("cwd"), "riga\r\n");
    FormA help(board, dialogs);
    ASSERT_TRUE(help.load());
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    EXPECT_EQ(help.pos(), QPoint(30, 40));
    EXPECT_EQ(help.size(), QSize(538, c.boardHeight));
    EXPECT_EQ(help.Listai->geometry(), QRect(8, 16, 523, c.listHeight));
    EXPECT_EQ(help.Command1.widget()->geometry(), QRect(405, c.buttonTop, 83, 28));
    EXPECT_EQ(help.minimumSize(), help.maximumSize());
  }
}

TEST_F(HelpWindowTest, CaptionAndCloseButton) {
  writeHelp(path("cwd"), "riga\r\n");
  FormA help(board, dialogs);
  ASSERT_TRUE(help.load());
  EXPECT_EQ(help.windowTitle(), QStringLiteral("    A I U T O       v.4"));
  EXPECT_EQ(help.Command1.Caption(), QStringLiteral("Chiudi"));
  EXPECT_DOUBLE_EQ(help.Listai->font().pointSizeF(), 9.75);
  help.show();
  QTest::mouseClick(help.Command1.widget(), Qt::LeftButton);
  EXPECT_FALSE(help.isVisible());
}

class HelpFromBoardTest : public BoardFixture {
 protected:
  // Opens the help through the menu and returns the lines it showed, once per window seen.
  std::vector<QStringList> openHelp() {
    std::vector<QStringList> shown;
    answerModal<FormA>([this] { board->mGuida.action()->trigger(); },
                       [&](FormA& help) {
                         shown.push_back(items(*help.Listai));
                         QTest::mouseClick(help.Command1.widget(), Qt::LeftButton);
                       });
    return shown;
  }
};

TEST_F(HelpFromBoardTest, EachOpeningReadsTheFileAgain) {
  board->helpFolders = {folder.path()};
  writeHelp(folder.path(), "prima\r\nversione\r\n");
  EXPECT_EQ(openHelp(), (std::vector<QStringList>{{"prima", "versione"}}));
  writeHelp(folder.path(), "seconda\r\n");
  EXPECT_EQ(openHelp(), (std::vector<QStringList>{{"seconda"}}));
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(HelpFromBoardTest, F1OpensTheHelp) {
  board->helpFolders = {folder.path()};
  writeHelp(folder.path(), "aiuto\r\n");
  std::vector<QStringList> shown;
  answerModal<FormA>([this] { QTest::keyClick(board->windowHandle(), Qt::Key_F1); },
                     [&](FormA& help) {
                       shown.push_back(items(*help.Listai));
                       help.close();
                     });
  EXPECT_EQ(shown, (std::vector<QStringList>{{"aiuto"}}));
}

TEST_F(HelpFromBoardTest, MissingFileGivesOneMessageAndNoWindow) {
  board->helpFolders = {folder.filePath(QStringLiteral("vuota"))};
  EXPECT_TRUE(openHelp().empty());
  const std::vector<DialogCall> messages = dialogs.messages();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, QStringLiteral("File TarsioAiutoV4 non trovato"));
  EXPECT_EQ(messages[0].title, QStringLiteral("Richiesta ignorata ..."));
  EXPECT_EQ(messages[0].icon, MessageIcon::Information);
}

}  // namespace
}  // namespace tarsio
