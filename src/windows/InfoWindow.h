// The information window: the program's title over a picture, with a small close button.
#pragma once

#include <QDialog>
#include <QImage>

#include "platform/Controls.h"

namespace tarsio {

class FormI : public QDialog {
 public:
  // A frameless window of 4170 x 2970 twips with its top-left corner at (2000, 2000) twips on the
  // screen.
  explicit FormI(QWidget* parent);

  Label Label1, Label2, Label3;
  CommandButton Command1;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Form_Load();

  QImage background_;
};

}  // namespace tarsio
