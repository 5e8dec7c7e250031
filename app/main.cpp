#include <QApplication>

#include "app/cvellmarapp.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Varn Technology"));
    QApplication::setApplicationName(QStringLiteral("Vellmar"));
    QApplication::setApplicationVersion(QStringLiteral("2.12"));
    CVellmarApp app;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.initInstance(arguments))
        return 1;
    return QApplication::exec();
}
