// Qt's own texts in Italian: the buttons and labels of the file dialog, message boxes and input boxes.
#pragma once

class QTranslator;

namespace tarsio {

// Loads Qt's Italian translation ("qtbase_it", from Qt's translations folder) into `translator` and
// installs it in the application, whatever the system's language. Returns false, installing nothing,
// when the translation cannot be loaded: Qt's windows then speak English and the game goes on.
bool installQtItalian(QTranslator& translator);

}  // namespace tarsio
