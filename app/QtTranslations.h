#pragma once

class QCoreApplication;

// Qt's own Russian texts (the buttons and labels of the file, print and
// message dialogs: "Сохранить", "Отмена"), so that no English shows inside
// the Russian windows. Reads Qt's installed catalogue; without it the
// dialogs keep Qt's English and nothing else changes. Returns whether the
// catalogue was installed.
bool InstallQtRussianTexts(QCoreApplication &app);
