// The board's design: its elements and controls at their design places, and the menu tree.
#include <QMenuBar>

#include "board/Board.h"
#include "board/Layout.h"

namespace tarsio {

namespace {

Picture resourcePicture(const QString& path) { return Picture::fromImage(QImage(path)); }

void button(CommandButton& b, const char* caption, double left, double top, double width) {
  b.setCaption(QString::fromUtf8(caption));
  b.place(left, top, width, 375);
}

}  // namespace

void Board::createControls() {
  setWindowTitle(QString::fromLatin1(BoardCaption));
  setWindowIcon(QIcon(QStringLiteral(":/tarsio.png")));
  // The command rows are laid out for a compact font, as on the desktops the game was designed for.
  QFont font = canvas->font();
  font.setPointSizeF(7.5);
  canvas->setFont(font);
  canvas->setStyleSheet(QStringLiteral("QPushButton { padding: 1px 1px; }"));
  CopiaImIni = resourcePicture(QStringLiteral(":/placeholder.png"));
  ImaOrig.Move(PictureLeft, PictureTop);
  ImaOrig.setVisible(true);
  ImaCompl.setPicture(resourcePicture(QStringLiteral(":/completato.png")));
  ImaCompl.Move(6360, 0);
  RecordText.setPointSize(9.75);
  RecordText.widget()->setAutoFillBackground(true);
  RecordText.setVisible(false);
  for (int v = 4; v <= 7; ++v)
    Retro(v).setPicture(resourcePicture(QStringLiteral(":/retro%1.png").arg(v)));
  ImA.setMouseHandler([this](MouseAction action, int index, const MouseArgs& args) {
    switch (action) {
      case MouseAction::Down: ImA_MouseDown(index, args); break;
      case MouseAction::Move: ImA_MouseMove(index, args); break;
      case MouseAction::Up: ImA_MouseUp(index, args); break;
    }
  });
  canvas->onBoardMouse = [this](MouseAction action, const MouseArgs& args) {
    if (action == MouseAction::Down) Form_MouseDown(args);
    if (action == MouseAction::Move) Form_MouseMove(args);
    if (action == MouseAction::Up) Form_MouseUp(args);
  };
  canvas->onFileDropped = [this](const QString& path) { OpenFromOutside(path); };
  canvas->beforeCloserLook = [this] { needFullPicture(); };
  canvas->onPainted = [this] {
    if (!ReplacedPicture.isNull()) releaseAside(std::exchange(ReplacedPicture, Picture()));
    startFullDecode();
  };

  RC1.setCaption(QStringLiteral("Righe       Colonne"));
  RC1.place(3240, 5520, 1335, 255);
  button(CmdImma, "1 - Scegli &Immagine", 120, 5760, 1575);
  button(CmdGriglia, "2 - Scegli &Griglia", 1800, 5760, 1335);
  Righe.setText(QStringLiteral("3"));
  Righe.place(3240, 5760, 375, 375);
  RC2.setCaption(QStringLiteral("x"));
  RC2.setPointSize(9.75);
  RC2.place(3840, 5760, 255, 255);
  Colonne.setText(QStringLiteral("4"));
  Colonne.place(4200, 5760, 375, 375);
  Pezzi.setTitle(QStringLiteral("Pezzi"));
  Pezzi.place(4680, 5760, 795, 375);
  button(CmdTarsio, "3 - Crea &Tarsio", 120, 6240, 1575);
  button(CmdRaccogli, "Racc&ogli", 1800, 6240, 1335);
  button(CmdAzze, "A&zzera", 3240, 6240, 1335);
  for (Control* c : std::initializer_list<Control*>{&CmdGriglia, &Righe, &Colonne, &Pezzi, &CmdTarsio, &CmdRaccogli, &CmdAzze})
    c->setEnabled(false);
  QWidget::setTabOrder(Righe.widget(), Colonne.widget());
  QWidget::setTabOrder(Colonne.widget(), CmdGriglia.widget());
  QWidget::setTabOrder(CmdGriglia.widget(), CmdTarsio.widget());
  QWidget::setTabOrder(CmdTarsio.widget(), CmdAzze.widget());
  QWidget::setTabOrder(CmdAzze.widget(), CmdImma.widget());
  QWidget::setTabOrder(CmdImma.widget(), CmdRaccogli.widget());
  QWidget::setTabOrder(CmdRaccogli.widget(), Pezzi.widget());

  CmdImma.onClick = [this] { CmdImma_Click(); };
  CmdGriglia.onClick = [this] { CmdGriglia_Click(); };
  CmdTarsio.onClick = [this] { CmdTarsio_Click(); };
  CmdRaccogli.onClick = [this] { CmdRaccogli_Click(); };
  CmdAzze.onClick = [this] { CmdAzze_Click(); };
  for (TextBox* box : {&Righe, &Colonne}) {
    box->onClick = [this] { GridBox_Click(); };
    box->onKeyPress = [this](int& keyAscii) { GridBox_KeyPress(keyAscii); };
    box->acceptDigitsOnly();
  }
  Pezzi.onOpen = [this] { offerPieceCounts(); };
  Pezzi.onChoose = [this](int pieces) { Pezzi_Click(pieces); };
}

namespace {

QMenu* addMenu(QMenu* parent, QMenuBar* bar, MenuItem& item, const char* caption) {
  QMenu* menu = parent ? parent->addMenu(QString::fromUtf8(caption)) : bar->addMenu(QString::fromUtf8(caption));
  item.attach(menu->menuAction());
  return menu;
}

void addItem(QMenu* menu, MenuItem& item, const char* caption, std::function<void()> onClick) {
  item.attach(menu->addAction(QString::fromUtf8(caption)));
  item.onClick = std::move(onClick);
}

}  // namespace

void Board::createMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = addMenu(nullptr, bar, mFile, "File");
  addItem(file, mImma, "1 - Scegli &Immagine", [this] { CmdImma_Click(); });
  addItem(file, mPartite, "Partite in &corso", [this] { mPartite_Click(); });
  mPartite.action()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  file->addSeparator();
  addItem(file, mSalva, "&Salva a questo punto", [this] { mSalva_Click(); });
  mSalva.setEnabled(false);
  addItem(file, mSalvaNome, "Salva con &nome…", [this] { mSalvaNome_Click(); });
  file->addSeparator();
  addItem(file, mChiudi, "Chiudi", [this] { mChiudi_Click(); });

  visualMenu = addMenu(nullptr, bar, mVisual, "Visualizza");
  addItem(visualMenu, mGrande, "Ingrandisci area Griglia       (+)", [this] { EnlargeGridArea(); });
  addItem(visualMenu, mPicco, "Riduci area Griglia              (-)", [this] { ReduceGridArea(); });
  addItem(visualMenu, mNorma, "Ripristina Aree uguali          (0)", [this] { RestoreEqualAreas(); });
  createViewCommands(visualMenu);
  visualMenu->addSeparator();
  addItem(visualMenu, mBordi, "Solo i &bordi                          (B)", [this] { mBordi_Click(); });
  addItem(visualMenu, mSimili, "Solo i simi&li                          (L)", [this] { mSimili_Click(); });
  addItem(visualMenu, mNascondi, "&Nascondi immagine", [this] { mNascondi_Click(); });
  createTableLook(visualMenu);
  mVisual.setEnabled(false);

  QMenu* actions = addMenu(nullptr, bar, mAzio, "Azioni");
  addItem(actions, mGrig, "2 - Scegli &Griglia...", [this] { mGrig_Click(); });
  addItem(actions, mTarsio, "3 - Crea &Tarsio", [this] { CmdTarsio_Click(); });
  actions->addSeparator();
  addItem(actions, mRaccogli, "Racc&ogli", [this] { CmdRaccogli_Click(); });
  addItem(actions, mAzze, "A&zzera", [this] { CmdAzze_Click(); });
  for (MenuItem* item : {&mGrig, &mTarsio, &mRaccogli, &mAzze}) item->setEnabled(false);
  createSpreadCommand(actions);
  createGroupCommands(actions);
  createTrayCommands(actions);
  createSortCommand(actions);
  // A game in progress can be saved in another folder at any time: exactly while it can be gathered.
  enableWithGathering(mSalvaNome);

  QMenu* scramble = addMenu(nullptr, bar, mScom, "Scomposizione");
  addItem(scramble, mSpos, "solo &Spostare", [this] { mSpos_Click(); });
  addItem(scramble, mRuot, "... più Ruotare", [this] { mRuot_Click(); });
  addItem(scramble, mRove, "... più Rovesciare", [this] { mRove_Click(); });
  addItem(scramble, mTrasp, "... con Trasparenza", [this] { mTrasp_Click(); });
  for (MenuItem* item : {&mSpos, &mRuot, &mRove, &mTrasp}) item->setChecked(item == &mRove);
  scramble->addSeparator();
  addItem(scramble, mUniscono, "Pezzi che si &uniscono", [this] { mUniscono_Click(); });

  QMenu* help = addMenu(nullptr, bar, mAiuto, "Aiuto");
  addItem(help, mGuida, "Guida Completa", [this] { mGuida_Click(); });
  mGuida.action()->setShortcut(Qt::Key_F1);
  QMenu* quick = addMenu(help, nullptr, n0, "Guida Rapida");
  addItem(quick, n1, "Trascinare col tasto mouse Sinistro ", {});
  addItem(quick, n2, "Ruotare con Ctrl + clic Sinistro", {});
  addItem(quick, n3, "Girare Fronte-Dorso con Maiuscolo + clic Sinistro", {});
  addItem(quick, n4, "Disancorare con un clic Destro", {});
  addItem(help, mRecord, "&Record", [this] { mRecord_Click(); });
  help->addSeparator();
  addItem(help, mInfo, "In&formazioni", [this] { mInfo_Click(); });
}

}  // namespace tarsio
