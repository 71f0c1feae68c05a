#include "platform/QtPlatform.h"
#include "view/Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvadine"));
    QtPlatform qt;
    Form1 form1(qt.platform());
    form1.start();
    return app.exec();
}
