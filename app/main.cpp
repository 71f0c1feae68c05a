#include "commandline/CommandLine.h"
#include "desktop/QtPlatform.h"
#include "desktop/Session.h"
#include "view/Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (commandline::wanted(argc, argv))
        return commandline::main(argc, argv);
    session::choosePlatform(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvadine"));
    QApplication::setDesktopFileName(QStringLiteral(QV_APP_ID));
    QtPlatform qt;
    Form1 form1(qt.platform());
    form1.start();
    return app.exec();
}
