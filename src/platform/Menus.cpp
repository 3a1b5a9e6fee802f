// Menu items over QAction, with the check mark owned by the game.
#include "platform/Menus.h"

#include <QAction>

namespace tarsio {

void MenuItem::attach(QAction* action) {
  action_ = action;
  QObject::connect(action_, &QAction::triggered, [this] {
    // Qt toggles a checkable action before this runs; put the game's mark back first.
    action_->setChecked(checked_);
    if (onClick) onClick();
  });
}

QString MenuItem::Caption() const { return action_->text(); }
void MenuItem::setCaption(const QString& caption) { action_->setText(caption); }
bool MenuItem::Enabled() const { return action_->isEnabled(); }
void MenuItem::setEnabled(bool enabled) { action_->setEnabled(enabled); }

void MenuItem::setChecked(bool checked) {
  checked_ = checked;
  action_->setCheckable(true);
  action_->setChecked(checked);
}

}  // namespace tarsio
