#pragma once
// The words and numbers of the labelled pictures in one language: English
// with the decimal point, or Russian with the decimal comma. The source texts
// are English, marked with QT_TRANSLATE_NOOP in the context "Labelled" so
// that Qt's translation tools find them; the Russian catalogue is compiled
// from translations/dipole_ru.ts into a .qm file at build time and embedded
// in the library. A text object holds its language explicitly, so pictures
// in both languages can be drawn in one process (the window, the tests).
#include <QChar>
#include <QString>

enum class LabelledLanguage { English, Russian };

// Russian when the locale of messages (LC_ALL, else LC_MESSAGES, else LANG)
// is a Russian one (ru, ru_RU.UTF-8, ...); English otherwise.
LabelledLanguage SystemLabelledLanguage();

class LabelledText
{
public:
    explicit LabelledText(LabelledLanguage language = LabelledLanguage::English);

    LabelledLanguage language() const { return m_language; }

    // The text in this language; sourceText is a literal marked with
    // QT_TRANSLATE_NOOP("Labelled", ...). A text missing from the catalogue
    // stays English.
    QString phrase(const char *sourceText) const;

    QChar decimalSeparator() const;
    // value with exactly `decimals` decimals; a negative value takes the
    // minus sign U+2212, and a value that rounds to zero shows no sign.
    QString fixed(double value, int decimals) const;
    // value in its shortest form of up to 6 significant digits (a length
    // as the user typed it: 1.5, 0.1, 29.99; one from metres: 0.499679).
    QString number(double value) const;

private:
    QString localised(QString text) const;

    LabelledLanguage m_language;
};
