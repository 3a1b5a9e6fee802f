// Buttons, labels, text boxes and drop-down lists placed on the board in twips, with the game's events.
#pragma once

#include <QLineEdit>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;

namespace tarsio {

class Control {
 public:
  virtual ~Control() = default;
  // Position and size in twips; the widget follows, rounded to whole pixels.
  void place(double left, double top, double width, double height);
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void setTop(double top) { place(left_, top, width_, height_); }

  // Visible as the board sets it, whether or not the window itself is shown.
  bool Visible() const { return visible_; }
  void setVisible(bool visible);
  bool Enabled() const;
  void setEnabled(bool enabled);
  QWidget* widget() const { return widget_; }

 protected:
  explicit Control(QWidget* widget) : widget_(widget) {}
  virtual void fitWidget() {}

 private:
  QWidget* widget_;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
};

class CommandButton : public Control {
 public:
  explicit CommandButton(QWidget* parent);
  // The caption; "&" marks the access key.
  QString Caption() const;
  void setCaption(const QString& caption);
  std::function<void()> onClick;

 private:
  QPushButton* button_;
};

class Label : public Control {
 public:
  explicit Label(QWidget* parent);
  QString Caption() const;
  void setCaption(const QString& caption);
  void setPointSize(double points);
  // The width the caption takes on the board, twips: the designed width or more.
  double PaintedWidth() const;

 protected:
  // A caption never clips: the label may paint wider than its designed width.
  void fitWidget() override;

 private:
  QLabel* label_;
};

class TextBox : public Control {
 public:
  explicit TextBox(QWidget* parent);
  QString Text() const;
  void setText(const QString& text);
  // From now on the player cannot paste or drop text that is not digits alone into the box; setText
  // is not checked, and typed characters are for onKeyPress to judge.
  void acceptDigitsOnly();
  std::function<void()> onClick;
  // Sees each typed character code first; setting it to 0 drops the key.
  std::function<void(int& keyAscii)> onKeyPress;

 private:
  class Edit;
  Edit* edit_;
};

// A drop-down list that shows its title while nothing is chosen. It is filled as it opens; choosing an
// item runs onChoose with the item's value, and the title shows again.
class ComboBox : public Control {
 public:
  explicit ComboBox(QWidget* parent);
  void setTitle(const QString& title);
  // One item per caption, each with the value of the same place.
  void setItems(const QStringList& captions, const QList<int>& values);
  std::function<void()> onOpen;
  std::function<void(int value)> onChoose;

 private:
  class List;
  List* list_;
};

}  // namespace tarsio
