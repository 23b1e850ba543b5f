#include "LengthRefusal.h"

QString LengthRefusedText(LineBreak lineBreak)
{
    const QString firstLine = QStringLiteral("Ну, Вы, имейте совесть!");
    const QString secondLine = QStringLiteral("Ничего толком не увидите уже!");
    return firstLine + (lineBreak == LineBreak::Form ? QStringLiteral("\r\n") : QStringLiteral("\n")) + secondLine;
}
