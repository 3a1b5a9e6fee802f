// The game speaks Italian through Qt too: its locale, and the buttons and labels of the file dialog, message boxes and input boxes.
#pragma once

class QTranslator;

namespace tarsio {

// Makes Italian the game's locale (the default QLocale: types, sizes and dates in the file dialog), then
// loads Qt's Italian translation ("qtbase_it", from Qt's translations folder) into `translator` and
// installs it in the application, whatever the system's language. Returns false, installing no
// translation, when it cannot be loaded: Qt's buttons then speak English and the game goes on.
bool installQtItalian(QTranslator& translator);

}  // namespace tarsio
