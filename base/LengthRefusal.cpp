#include "LengthRefusal.h"

#include <QCoreApplication>

QString LengthRefusedText(LineBreak lineBreak)
{
    const QString firstLine = QCoreApplication::translate("LengthRefusal", "Ну, Вы, имейте совесть!");
    const QString secondLine = QCoreApplication::translate("LengthRefusal", "Ничего толком не увидите уже!");
    return firstLine + (lineBreak == LineBreak::Form ? QStringLiteral("\r\n") : QStringLiteral("\n")) + secondLine;
}
