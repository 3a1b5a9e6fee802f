// Buttons, labels, text boxes and drop-down lists: Qt widgets placed in twips.
#include "platform/Controls.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "platform/Keys.h"
#include "platform/Twips.h"

namespace tarsio {

void Control::place(double left, double top, double width, double height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  widget_->setGeometry(twipsToPixelRect(left, top, width, height));
  fitWidget();
}

void Control::setVisible(bool visible) {
  visible_ = visible;
  widget_->setVisible(visible);
}

bool Control::Enabled() const { return widget_->isEnabled(); }
void Control::setEnabled(bool enabled) { widget_->setEnabled(enabled); }

CommandButton::CommandButton(QWidget* parent) : Control(new QPushButton(parent)) {
  button_ = static_cast<QPushButton*>(widget());
  QObject::connect(button_, &QPushButton::clicked, [this] {
    if (onClick) onClick();
  });
}

QString CommandButton::Caption() const { return button_->text(); }
void CommandButton::setCaption(const QString& caption) { button_->setText(caption); }

Label::Label(QWidget* parent) : Control(new QLabel(parent)) { label_ = static_cast<QLabel*>(widget()); }

QString Label::Caption() const { return label_->text(); }
void Label::setCaption(const QString& caption) {
  label_->setText(caption);
  fitWidget();
}
void Label::setPointSize(double points) {
  QFont font = label_->font();
  font.setPointSizeF(points);
  label_->setFont(font);
  fitWidget();
}

double Label::PaintedWidth() const { return std::max(Width(), pixelsToTwips(label_->width())); }

void Label::fitWidget() {
  label_->resize(std::max(label_->width(), label_->sizeHint().width()), label_->height());
}

// The line edit behind a text box: reports clicks and lets the game filter typed characters.
class TextBox::Edit : public QLineEdit {
 public:
  Edit(QWidget* parent, TextBox* box) : QLineEdit(parent), box_(box) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && box_->onClick) box_->onClick();
  }
  // Editing keys (Delete, arrows, Home, End) and chords (Ctrl+A, Ctrl+V) go straight to the line edit.
  void keyPressEvent(QKeyEvent* event) override {
    int keyAscii = typedCharacter(*event);
    if (keyAscii != 0 && box_->onKeyPress) {
      box_->onKeyPress(keyAscii);
      if (keyAscii == 0) {
        event->accept();
        return;
      }
    }
    QLineEdit::keyPressEvent(event);
  }

 private:
  TextBox* box_;
};

TextBox::TextBox(QWidget* parent) : Control(new Edit(parent, this)) { edit_ = static_cast<Edit*>(widget()); }

QString TextBox::Text() const { return edit_->text(); }
void TextBox::setText(const QString& text) { edit_->setText(text); }

// The line edit undoes any edit that leaves text the validator calls invalid.
void TextBox::acceptDigitsOnly() {
  edit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit_));
}

// The combo box behind a drop-down list: asks for its items just before it opens.
class ComboBox::List : public QComboBox {
 public:
  List(QWidget* parent, ComboBox* box) : QComboBox(parent), box_(box) {}

 protected:
  void showPopup() override {
    if (box_->onOpen) box_->onOpen();
    QComboBox::showPopup();
  }

 private:
  ComboBox* box_;
};

ComboBox::ComboBox(QWidget* parent) : Control(new List(parent, this)) {
  list_ = static_cast<List*>(widget());
  QObject::connect(list_, &QComboBox::activated, [this](int index) {
    const int value = list_->itemData(index).toInt();
    list_->setCurrentIndex(-1);
    if (onChoose) onChoose(value);
  });
}

void ComboBox::setTitle(const QString& title) {
  list_->setPlaceholderText(title);
  list_->setCurrentIndex(-1);
}

void ComboBox::setItems(const QStringList& captions, const QList<int>& values) {
  list_->clear();
  for (qsizetype k = 0; k < captions.size(); ++k) list_->addItem(captions[k], values.value(k));
  list_->setCurrentIndex(-1);
}

}  // namespace tarsio
