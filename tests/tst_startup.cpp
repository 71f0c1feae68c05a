// Start-up on a screen larger than the layouts know (1920 x 1080).
#include "resources/Texts.h"
#include "support/FakePlatform.h"
#include "view/Form1.h"

#include <QtTest>

class tst_startup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void alertOnceThenSmall();
    void alertsOffGoLarge();
};

void tst_startup::alertOnceThenSmall()
{
    FakePlatform fake;
    fake.screen.screenSize = QSize(1920, 1080);
    Form1 form(fake.platform());
    form.start();
    QCoreApplication::processEvents();
    QCOMPARE(fake.messages.texts, QStringList{QString::fromUtf8(texts::kUnsupportedResolution)});
    QCOMPARE(fake.messages.owners, QList<QWidget *>{&form});
    QCOMPARE(form.board().Text5.Text(), QStringLiteral("4732.5"));
    QCOMPARE(form.geometry().images[8], QRect(4440, 4560, 1965, 1965));
    QCOMPARE(form.geometry().frame.left(), 6480);
    QVERIFY(form.isVisible());
}

void tst_startup::alertsOffGoLarge()
{
    FakePlatform fake;
    Form1 form(fake.platform());
    form.board().Form_Load();
    form.board().AlertsAreOn = false;
    form.showMaximized();
    QCoreApplication::processEvents();
    QVERIFY(fake.messages.texts.isEmpty());
    QCOMPARE(form.board().Text5.Text(), QStringLiteral("14400"));
    QCOMPARE(form.geometry().images[8], QRect(8340, 7446, 4013, 3383));
    QCOMPARE(form.geometry().frame.left(), 12414);
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
