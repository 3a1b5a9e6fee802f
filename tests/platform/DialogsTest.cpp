// The real open-file dialog: its filters worded exactly as given, the first selected, each matching its
// own patterns, its columns whole; kept from one opening to the next, and set afresh at each. Qt's
// buttons in Italian.
#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QTreeView>

#include "platform/Dialogs.h"
#include "platform/QtItalian.h"
#include "windows/ModalWatcher.h"

namespace tarsio {
namespace {

TEST(OpenFileDialog, showsEveryFilterAsWordedWithTheFirstSelectedAndMatchingItsPatternsInItalian) {
  QTranslator translator;
  ASSERT_TRUE(installQtItalian(translator));
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("Tramonto sul lago.jpg"));
  ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Estate")));
  const QLocale italian(QLocale::Italian, QLocale::Italy);
  const QStringList italianRow{QStringLiteral("Cartella"),
                               italian.toString(QFileInfo(file).lastModified(), QLocale::ShortFormat)};
  QStringList row;  // the folder's type and the file's date as the list shows them
  QStringList cut;  // texts of the file's size, type and date not shown whole
  const QList<FileFilter> filters{{QStringLiteral("Immagini(*.bmp;*.jpg)"), {"*.bmp", "*.jpg"}},
                                  {QStringLiteral("Altre (*.png;*.tif)"), {"*.png", "*.tif"}}};
  QStringList shown;
  int selected = -1;
  QList<QStringList> patterns;
  QtDialogs dialogs;
  const int answered = answerModal<QFileDialog>(
      [&] {
        dialogs.GetOpenFileName({QStringLiteral("Scegli"), filters, folder.path()});
      },
      [&](QFileDialog& dialog) {
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* files = dialog.findChild<QFileSystemModel*>();
        // Each beside the name and wide enough, unless the screen is too narrow for the dialog.
        auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        // The folder is read on a thread of its own: its two rows come when it is done, later under load.
        QTest::qWaitFor([&] { return details && details->model()->rowCount(details->rootIndex()) == 2; });
        const QModelIndex root = details ? details->rootIndex() : QModelIndex();
        for (int i = 0; details && i < details->model()->rowCount(root); ++i) {
          const QModelIndex name = details->model()->index(i, 0, root);
          if (name.data().toString() == u"Estate") row.prepend(name.siblingAtColumn(2).data().toString());
          else row << name.siblingAtColumn(3).data().toString();
        }
        for (int column = 1; details && files && column <= 3; ++column) {
          const QModelIndex source = files->index(file, column);
          const QAbstractProxyModel* shown = dialog.proxyModel();
          const QString text = (shown ? shown->mapFromSource(source) : source).data().toString();
          if (text.isEmpty() ||
              details->fontMetrics().horizontalAdvance(text) >= details->header()->sectionSize(column) ||
              (details->header()->length() > details->viewport()->width() &&
               dialog.width() < dialog.screen()->availableGeometry().width()))
            cut << text;
        }
        if (types && files) {
          for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
          selected = types->currentIndex();
          patterns << files->nameFilters();
          dialog.selectNameFilter(filters[1].description);
          patterns << files->nameFilters();
        }
        dialog.reject();
      });
  EXPECT_TRUE(cut.isEmpty()) << cut.join(u',').toStdString();
  EXPECT_EQ(row, italianRow);
  EXPECT_EQ(answered, 1);
  EXPECT_EQ(shown, QStringList({filters[0].description, filters[1].description}));
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(patterns, QList<QStringList>({filters[0].patterns, filters[1].patterns}));
}

// Types a name into the dialog's file-name field and presses Return.
void typeName(QFileDialog& dialog, const QString& name) {
  auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(field, nullptr);
  field->setText(name);
  QTest::keyClick(field, Qt::Key_Return);
}

TEST(OpenFileDialog, isTheSameDialogAtTheNextOpeningWithNothingLeftOfTheLast) {
  QTemporaryDir firstFolder, secondFolder;
  ASSERT_TRUE(QFile(firstFolder.filePath(QStringLiteral("a.png"))).open(QIODevice::WriteOnly));
  ASSERT_TRUE(QFile(secondFolder.filePath(QStringLiteral("b.jpg"))).open(QIODevice::WriteOnly));
  const QList<FileFilter> filters{{QStringLiteral("Immagini(*.bmp;*.jpg)"), {"*.bmp", "*.jpg"}},
                                  {QStringLiteral("Altre (*.png;*.tif)"), {"*.png", "*.tif"}}};
  QtDialogs dialogs;
  QPointer<QFileDialog> first;
  QString chosen;
  answerModal<QFileDialog>(
      [&] {
        chosen = dialogs.GetOpenFileName({QStringLiteral("Prima"), filters, firstFolder.path()});
      },
      [&](QFileDialog& dialog) {
        first = &dialog;
        dialog.selectNameFilter(filters[1].description);
        typeName(dialog, QStringLiteral("a.png"));
      });
  EXPECT_EQ(chosen, firstFolder.filePath(QStringLiteral("a.png")));

  struct Seen {
    bool sameDialog = false;
    QString title, folder, name;
    bool nameFocused = false;
    int filter = -1;
    QStringList patterns;
  } seen;
  answerModal<QFileDialog>(
      [&] {
        chosen = dialogs.GetOpenFileName({QStringLiteral("Seconda"), filters, secondFolder.path()});
      },
      [&](QFileDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* files = dialog.findChild<QFileSystemModel*>();
        if (name && types && files)
          seen = {&dialog == first,    dialog.windowTitle(),         dialog.directory().absolutePath(),
                  name->text(),        dialog.focusWidget() == name, types->currentIndex(),
                  files->nameFilters()};
        typeName(dialog, QStringLiteral("b.jpg"));
      });
  EXPECT_TRUE(seen.sameDialog);
  EXPECT_EQ(seen.title, QStringLiteral("Seconda"));
  EXPECT_EQ(seen.folder, secondFolder.path());
  EXPECT_TRUE(seen.name.isEmpty()) << seen.name.toStdString();
  EXPECT_TRUE(seen.nameFocused);
  EXPECT_EQ(seen.filter, 0);
  EXPECT_EQ(seen.patterns, filters[0].patterns);
  EXPECT_EQ(chosen, secondFolder.filePath(QStringLiteral("b.jpg")));
}

TEST(QtItalian, standardButtonsReadItalianWhateverTheSystemLanguage) {
  QTranslator translator;
  ASSERT_TRUE(installQtItalian(translator));
  QDialogButtonBox buttons(QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annulla"));
}

}  // namespace
}  // namespace tarsio
