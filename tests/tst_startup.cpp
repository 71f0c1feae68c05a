// Start-up on a screen larger than the layouts know (1920 x 1080).
#include "resources/Texts.h"
#include "support/FakePlatform.h"
#include "view/Form1.h"

#include <QtTest>

class tst_startup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void start_data()
    {
        QTest::addColumn<bool>("alerts");
        QTest::addColumn<QString>("text5");
        QTest::addColumn<QRect>("box9");
        QTest::newRow("alert once, then small") << true << "4732.5" << QRect(4440, 4560, 1965, 1965);
        QTest::newRow("alerts off: large") << false << "14400" << QRect(8340, 7446, 4013, 3383);
    }
    void start()
    {
        QFETCH(bool, alerts);
        FakePlatform fake;
        fake.screen.screenSize = QSize(1920, 1080);
        Form1 form(fake.platform());
        if (alerts) {
            form.start();
        } else {
            form.board().Form_Load();
            form.board().AlertsAreOn = false;
            form.showMaximized();
        }
        QCoreApplication::processEvents();
        QCOMPARE(fake.messages.texts, alerts ? QStringList{QString::fromUtf8(texts::kUnsupportedResolution)} : QStringList());
        QCOMPARE(fake.messages.owners, alerts ? QList<QWidget *>{&form} : QList<QWidget *>());
        QTEST(form.board().Text5.Text(), "text5");
        QTEST(form.geometry().images[8], "box9");
        QVERIFY(form.isVisible());
    }
};

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
