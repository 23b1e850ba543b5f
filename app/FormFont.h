#pragma once
// The font of the windows' controls: a sans face 11 pixels high, so that the
// controls fit the pixel positions the forms are laid out with.
#include <QFont>

inline QFont FormFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    // Light hinting, stated rather than taken from the system's font
    // configuration, so the glyphs come out the same on every machine.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}
