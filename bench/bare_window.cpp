// The yardstick of the start-up benchmark: a bare Qt window with one label,
// started the way the program is started.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Построение ДН СВ"));
    label.show();
    return QApplication::exec();
}
