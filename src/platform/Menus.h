// Menu items of the board: caption, enabled state, check mark and click event.
#pragma once

#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace tarsio {

class MenuItem {
 public:
  // Binds the item to its action (for a menu, the menu's own action).
  void attach(QAction* action);
  QAction* action() const { return action_; }

  QString Caption() const;
  void setCaption(const QString& caption);
  bool Enabled() const;
  void setEnabled(bool enabled);
  // The check mark belongs to the game: a click does not toggle it, the click handler decides.
  bool Checked() const { return checked_; }
  void setChecked(bool checked);

  std::function<void()> onClick;

 private:
  QAction* action_ = nullptr;
  bool checked_ = false;
};

}  // namespace tarsio
