#include "WindowLanguage.h"

#include "Application.h"
#include "QtTranslations.h"
#include "numbers/LocaleNumberSettings.h"
#include "widgets/UserNotifier.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QWidget>

namespace {

LabelledLanguage g_language = LabelledLanguage::Russian;

// The English window texts, or nullptr when the catalogue cannot be read
// (the windows then stay Russian rather than half translated).
std::unique_ptr<QTranslator> englishCatalogue()
{
    auto catalogue = std::make_unique<QTranslator>();
    if (!catalogue->load(QStringLiteral(":/app/dipole_en.qm")))
        return nullptr;
    return catalogue;
}

} // namespace

LabelledLanguage WindowLanguageOf(const QString &languageList)
{
    const QString first = languageList.section(QLatin1Char(':'), 0, 0);
    const QString language =
        first.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    return language == QLatin1String("en") ? LabelledLanguage::English : LabelledLanguage::Russian;
}

LabelledLanguage WindowLanguageFromEnvironment()
{
    return WindowLanguageOf(qEnvironmentVariable("LANGUAGE"));
}

LabelledLanguage CurrentWindowLanguage()
{
    return g_language;
}

void InstallWindowLanguage(QCoreApplication &app, LabelledLanguage language)
{
    if (language == LabelledLanguage::English) {
        if (std::unique_ptr<QTranslator> catalogue = englishCatalogue()) {
            // Parented to the application: it must outlive every window.
            catalogue->setParent(&app);
            QCoreApplication::installTranslator(catalogue.release());
            SetLocaleNumberSettings(LocaleNumberSettings::english());
            g_language = LabelledLanguage::English;
            // The error box took its caption with the application.
            SetErrorBoxCaption(ApplicationTitle());
            return;
        }
    }
    InstallQtRussianTexts(app);
    g_language = LabelledLanguage::Russian;
}

ScopedWindowLanguage::ScopedWindowLanguage(LabelledLanguage language)
    : m_previous(g_language), m_previousCaption(ErrorBoxCaption())
{
    if (language == LabelledLanguage::English) {
        m_catalogue = englishCatalogue();
        if (m_catalogue)
            QCoreApplication::installTranslator(m_catalogue.get());
        m_numbers = std::make_unique<ScopedLocaleNumberSettings>(LocaleNumberSettings::english());
    }
    g_language = language;
    SetErrorBoxCaption(ApplicationTitle());
}

ScopedWindowLanguage::~ScopedWindowLanguage()
{
    if (m_catalogue)
        QCoreApplication::removeTranslator(m_catalogue.get());
    g_language = m_previous;
    SetErrorBoxCaption(m_previousCaption);
}
