#pragma once
// Command-line arguments are bytes. The option parser reads them as text;
// these two functions carry every byte through that text and back, so that a
// file name that is not valid in the user's encoding (t\xe9.csv in a UTF-8
// locale) reaches open() and the messages exactly as it was typed.

#include <QByteArray>
#include <QString>

// The argument as text: valid UTF-8 decoded, each byte of an invalid
// sequence kept as the lone surrogate U+DC80 + byte, which no valid text
// contains.
QString ArgumentText(const char *argument);

// The bytes of a text made by ArgumentText (or typed as text): the inverse.
QByteArray ArgumentBytes(const QString &text);
