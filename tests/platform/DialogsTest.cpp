// The real open-file dialog: its filters worded exactly as given, the first selected, each matching its
// own patterns.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>

#include "platform/Dialogs.h"
#include "windows/ModalWatcher.h"

namespace tarsio {
namespace {

TEST(OpenFileDialog, showsEveryFilterAsWordedWithTheFirstSelectedAndMatchingItsPatterns) {
  QTemporaryDir folder;
  const QList<FileFilter> filters{{QStringLiteral("Immagini(*.bmp;*.jpg)"), {"*.bmp", "*.jpg"}},
                                  {QStringLiteral("Altre (*.png;*.tif)"), {"*.png", "*.tif"}}};
  QStringList shown;
  int selected = -1;
  QList<QStringList> patterns;
  QtDialogs dialogs;
  const int answered = answerModal<QFileDialog>(
      [&] { dialogs.GetOpenFileName({QStringLiteral("Scegli"), filters, folder.path()}); },
      [&](QFileDialog& dialog) {
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* files = dialog.findChild<QFileSystemModel*>();
        if (types && files) {
          for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
          selected = types->currentIndex();
          patterns << files->nameFilters();
          dialog.selectNameFilter(filters[1].description);
          patterns << files->nameFilters();
        }
        dialog.reject();
      });
  EXPECT_EQ(answered, 1);
  EXPECT_EQ(shown, QStringList({filters[0].description, filters[1].description}));
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(patterns, QList<QStringList>({filters[0].patterns, filters[1].patterns}));
}

}  // namespace
}  // namespace tarsio
