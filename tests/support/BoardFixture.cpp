// The board fixture.
#include "support/BoardFixture.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTest>

#include "platform/Twips.h"
#include "support/Pictures.h"

namespace tarsio {

bool asPlainUser(const QStringList& files, const std::function<void()>& checks) {
  const passwd* nobody = geteuid() == 0 ? getpwnam("nobody") : nullptr;
  for (const QString& file : files)
    if (nobody && chown(QFile::encodeName(file).constData(), nobody->pw_uid, nobody->pw_gid) != 0)
      return false;
  const pid_t child = fork();
  if (child == 0) {
    const gid_t group = nobody ? nobody->pw_gid : 0;
    if (nobody && (setgroups(0, nullptr) || setresgid(group, group, group) ||
                   setresuid(nobody->pw_uid, nobody->pw_uid, nobody->pw_uid)))
      _exit(2);
    checks();
    _exit(testing::Test::HasFailure() ? 1 : 0);
  }
  int status = -1;
  waitpid(child, &status, 0);
  return status == 0;
}

void BoardFixture::SetUp() {
  ASSERT_TRUE(folder.isValid());
  random.seed(20261208);
  board = makeBoard();
}

std::unique_ptr<Board> BoardFixture::makeBoard(QSizeF screen) {
  auto made = std::make_unique<Board>(BoardSetup{.dialogs = &dialogs,
                                                 .random = &random,
                                                 .screen = screen,
                                                 .clock = [this] { return now; },
                                                 .stateFolder = folder.filePath(QStringLiteral("state")),
                                                 .configFolder = folder.filePath(QStringLiteral("config"))});
  made->showMaximized();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(made.get()));
  return made;
}

void BoardFixture::TearDown() {
  board.reset();
  EXPECT_TRUE(dialogs.answers.empty()) << "scripted answers left unused";
}

QString BoardFixture::choosePicture(const QImage& image, const QString& name) {
  const QString path = writePicture(folder.path(), name, image);
  chooseFile(path);
  return path;
}

void BoardFixture::chooseFile(const QString& path) {
  dialogs.answers.push_back(path);
  click(board->CmdImma);
}

void BoardFixture::chooseGrid(int rows, int columns) { chooseGrid(QString::number(rows), QString::number(columns)); }

void BoardFixture::chooseGrid(const QString& rows, const QString& columns) {
  board->Righe.setText(rows);
  board->Colonne.setText(columns);
  click(board->CmdGriglia);
}

void BoardFixture::click(CommandButton& button) {
  QTest::mouseClick(button.widget(), Qt::LeftButton);
}

void BoardFixture::typeInto(TextBox& box, const QString& text) {
  box.widget()->setFocus();
  // Through the window, so that the board sees each key before the box, as with a real keyboard.
  for (QChar c : text) QTest::keyClick(box.widget()->window()->windowHandle(), c.toLatin1());
}

void BoardFixture::press(QPointF twips, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
  QTest::mousePress(board->canvas, button, mods, twipsToPixelPoint(twips.x(), twips.y()));
}

void BoardFixture::move(QPointF twips, Qt::MouseButton held) {
  // QTest::mouseMove carries no buttons; send the event the window system would send.
  const QPoint at = twipsToPixelPoint(twips.x(), twips.y());
  QMouseEvent event(QEvent::MouseMove, at, board->canvas->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
  QApplication::sendEvent(board->canvas, &event);
}

void BoardFixture::release(QPointF twips, Qt::MouseButton button) {
  QTest::mouseRelease(board->canvas, button, {}, twipsToPixelPoint(twips.x(), twips.y()));
}

void BoardFixture::drag(int piece, QPointF by) {
  const QPointF start = centreOf(board->ImA(piece));
  press(start);
  move(start + by / 2);
  move(start + by);
  release(start + by);
}

QPointF BoardFixture::centreOf(const ImageElement& element) const { return element.boxTwips().center(); }

QColor BoardFixture::shownAt(QPointF twips) {
  const QImage shot = board->canvas->grab().toImage();
  return shot.pixelColor(twipsToPixelPoint(twips.x(), twips.y()));
}

}  // namespace tarsio
