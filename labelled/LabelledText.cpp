#include "LabelledText.h"

#include <QTranslator>

#include <algorithm>

namespace {

const QTranslator &russianCatalogue()
{
    // Loaded once; translating through a loaded catalogue only reads it.
    static const QTranslator *catalogue = [] {
        auto *translator = new QTranslator;
        (void)translator->load(QStringLiteral(":/labelled/dipole_ru.qm"));
        return translator;
    }();
    return *catalogue;
}

bool isRussianLocaleName(const QString &name)
{
    return name == QLatin1String("ru") || name.startsWith(QLatin1String("ru_"))
           || name.startsWith(QLatin1String("ru."));
}

} // namespace

LabelledLanguage SystemLabelledLanguage()
{
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return isRussianLocaleName(value) ? LabelledLanguage::Russian : LabelledLanguage::English;
    }
    return LabelledLanguage::English;
}

LabelledText::LabelledText(LabelledLanguage language) : m_language(language) {}

QString LabelledText::phrase(const char *sourceText) const
{
    if (m_language == LabelledLanguage::Russian) {
        const QString translated = russianCatalogue().translate("Labelled", sourceText);
        if (!translated.isEmpty())
            return translated;
    }
    return QString::fromUtf8(sourceText);
}

QChar LabelledText::decimalSeparator() const
{
    return m_language == LabelledLanguage::Russian ? QLatin1Char(',') : QLatin1Char('.');
}

QString LabelledText::localised(QString text) const
{
    if (text.startsWith(QLatin1Char('-')))
        text.replace(0, 1, QChar(0x2212));
    text.replace(QLatin1Char('.'), decimalSeparator());
    return text;
}

QString LabelledText::fixed(double value, int decimals) const
{
    QString text = QString::number(value, 'f', decimals);
    // "-0.0" is a zero.
    const bool zero = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return !c.isDigit() || c == '0'; });
    if (zero && text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    return localised(text);
}

QString LabelledText::number(double value) const
{
    // Six significant digits show a typed length as typed, and keep a length
    // converted from metres (0.499679014606832) to a readable 0.499679.
    return localised(QString::number(value, 'g', 6));
}
