#pragma once
// The language of the windows. They speak Russian whatever the locale says,
// unless GNU's LANGUAGE (a colon-separated list whose first entry decides)
// names English: then their texts come from the English catalogue, their
// numbers take the decimal point, their labelled pictures are drawn in
// English and Qt's own dialogs keep Qt's English.
//
// The Russian texts are the source texts in the code (tr() and
// QCoreApplication::translate), so the Russian windows need no catalogue;
// the English one is compiled from translations/dipole_en.ts at build time
// and embedded. Windows take their texts when they are created: the
// language is put in force before the first window.
#include "labelled/LabelledText.h"

#include <QString>

#include <memory>

class QCoreApplication;
class QTranslator;
class ScopedLocaleNumberSettings;

// English when the first entry of a LANGUAGE value is English ("en",
// "en_GB.UTF-8", "en@quot"), Russian otherwise (also when it is empty).
LabelledLanguage WindowLanguageOf(const QString &languageList);
// WindowLanguageOf the environment's LANGUAGE.
LabelledLanguage WindowLanguageFromEnvironment();

// The language in force: Russian until one is installed.
LabelledLanguage CurrentWindowLanguage();

// Puts `language` in force for the rest of the program: the English
// catalogue and the decimal point, or Qt's own Russian texts.
void InstallWindowLanguage(QCoreApplication &app, LabelledLanguage language);

// The language in force for the guard's lifetime (tests, which make windows
// in both languages in one process).
class ScopedWindowLanguage
{
public:
    explicit ScopedWindowLanguage(LabelledLanguage language);
    ~ScopedWindowLanguage();
    ScopedWindowLanguage(const ScopedWindowLanguage &) = delete;
    ScopedWindowLanguage &operator=(const ScopedWindowLanguage &) = delete;

private:
    LabelledLanguage m_previous;
    QString m_previousCaption;
    std::unique_ptr<QTranslator> m_catalogue;
    std::unique_ptr<ScopedLocaleNumberSettings> m_numbers;
};
