// Which key presses type a character, as the game's key handlers see them.
#pragma once

#include <QKeyEvent>

namespace tarsio {

// The character a key press types, or 0 when it types none: a key without text (an arrow, Home, a
// bare Shift), a chord with Alt, Ctrl or Meta held, or Delete, an editing key that Qt reports as
// U+007F. Shift only changes the character: "P" is typed as "p" is.
inline int typedCharacter(const QKeyEvent& event) {
  constexpr int Delete = 0x7F;
  if (event.text().isEmpty() ||
      event.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
    return 0;
  const int code = event.text().at(0).unicode();
  return code == Delete ? 0 : code;
}

}  // namespace tarsio
