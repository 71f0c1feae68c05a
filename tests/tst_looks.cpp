// What the user sees of every window: each caption, label and help text
// whole in its control, and disabled buttons greyed.
#include "dialogs/Help.h"
#include "dialogs/HelpTopics.h"
#include "platform/DesignFont.h"
#include "platform/OptionButton.h"
#include "support/BoardRig.h"
#include "support/FakePlatform.h"
#include "view/Form1.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTextBlock>
#include <QtTest>

namespace {
QString sizeText(QSize s) { return QStringLiteral("%1 x %2").arg(s.width()).arg(s.height()); }

// The misfits among a window's texts, as "control: text (needs, has)".
QStringList misfits(const QWidget *window)
{
    QStringList found;
    auto check = [&](const QWidget *w, const QString &text, QSize needs, QSize has) {
        if (needs.width() > has.width() || needs.height() > has.height())
            found << QStringLiteral("%1: \"%2\" needs %3, has %4").arg(w->objectName(), text, sizeText(needs), sizeText(has));
    };
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        const QFontMetrics fm(w->font());
        if (const auto *l = qobject_cast<const QLabel *>(w); l && !l->text().isEmpty()) {
            const int indent = l->indent() >= 0 ? l->indent() : (l->frameWidth() > 0 ? fm.horizontalAdvance(QLatin1Char('x')) / 2 : 0);
            const QRect box = l->contentsRect().adjusted(l->margin() + indent, l->margin(), -l->margin(), -l->margin());
            const QRect need = fm.boundingRect(box, int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0), l->text());
            check(w, l->text(), need.size(), box.size());
        } else if (const auto *b = qobject_cast<const QAbstractButton *>(w); b && !b->text().isEmpty()) {
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const auto *push = qobject_cast<const QPushButton *>(b);
            if (push && push->isDefault())
                option.features |= QStyleOptionButton::DefaultButton;
            const QStyle::SubElement part = push ? QStyle::SE_PushButtonContents
                                            : qobject_cast<const QCheckBox *>(b) ? QStyle::SE_CheckBoxContents
                                                                                  : QStyle::SE_RadioButtonContents;
            const QRect box = b->style()->subElementRect(part, &option, b);
            // Option buttons wrap their caption onto a second line.
            const int wrap = qobject_cast<const OptionButton *>(b) ? Qt::TextWordWrap : 0;
            check(w, b->text(), fm.boundingRect(box, Qt::AlignLeft | Qt::TextShowMnemonic | wrap, b->text()).size(), box.size());
        } else if (const auto *e = qobject_cast<const QPlainTextEdit *>(w); e && !e->toPlainText().isEmpty()) {
            const QTextDocument *doc = e->document();
            qreal height = 2 * doc->documentMargin();
            for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
                height += doc->documentLayout()->blockBoundingRect(block).height();
            check(w, e->toPlainText(), QSize(0, qCeil(height)), e->viewport()->size());
        } else if (const auto *list = qobject_cast<const QListWidget *>(w)) {
            for (int row = 0; row < list->count(); ++row)
                check(w, list->item(row)->text(), QSize(list->sizeHintForIndex(list->model()->index(row, 0)).width(), 0),
                      list->viewport()->size());
        }
    }
    return found;
}

// A started main window: with the layout choice still open, empty, or with a
// full board of 540 (missing) pictures on its last page and scene 540
// selected, the longest captions it can show.
struct Rig
{
    FakePlatform fake;
    Form1 form{fake.platform()};
    explicit Rig(const QString &board)
    {
        form.start();
        if (board == QLatin1String("layout choice"))
            return;
        if (board == QLatin1String("empty")) {
            QTest::mouseClick(form.beginOption()->Command1, Qt::LeftButton);
            return;
        }
        fake.pictures.choose(support::names(540));
        QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
        while (form.Command4->isEnabled())
            QTest::mouseClick(form.Command4, Qt::LeftButton);
        form.sPosition_Click(9);
    }
};

QWidget *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return w;
    }
    return nullptr;
}
} // namespace

class tst_looks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textsFit_data();
    void textsFit();
    void disabledCaptionsGrey_data();
    void disabledCaptionsGrey();
};

void tst_looks::textsFit_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("opening"); // the menu item that opens it
    QTest::addColumn<int>("topic");       // help topic shown, -1 none
    QTest::newRow("main window") << "full" << "Form1" << "" << -1;
    QTest::newRow("layout choice") << "layout choice" << "BeginOption" << "" << -1;
    QTest::newRow("Script Editor") << "full" << "ScriptEditor" << "sScriptEditor" << -1;
    QTest::newRow("print dialogue") << "full" << "PrintPreviewDialog" << "sPrint" << -1;
    QTest::newRow("options") << "empty" << "frmOptions" << "sOptions" << -1;
    QTest::newRow("About box") << "empty" << "frmAbout" << "sAbout" << -1;
    for (int i = 0; i < int(help::kTopics.size()); ++i)
        QTest::newRow(help::kTopics[i].title) << "empty" << "Help" << "sHelp" << i;
}

void tst_looks::textsFit()
{
    QFETCH(QString, board);
    QFETCH(QString, window);
    QFETCH(QString, opening);
    QFETCH(int, topic);
    Rig rig(board);
    if (!opening.isEmpty())
        rig.form.action(opening.toLatin1().constData())->trigger();
    if (topic >= 0) {
        QListWidget *list = rig.form.help()->List1;
        list->findItems(QString::fromUtf8(help::kTopics[topic].title), Qt::MatchExactly).first()->setSelected(true);
    }
    QWidget *shown = topLevel(window);
    QVERIFY(shown);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QCOMPARE(QFontInfo(shown->font()).family(), QString::fromLatin1(designfont::kFamily));
    const QStringList found = misfits(shown);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
}

void tst_looks::disabledCaptionsGrey_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("press");   // press it first
    QTest::addColumn<bool>("enabled"); // then it is, with a black caption, or not, with a grey one
    QTest::newRow("write to scene, a scene chosen") << "full" << "sScriptEditor" << "ScriptEditor" << "Command1" << false << true;
    QTest::newRow("write to scene, after writing") << "full" << "sScriptEditor" << "ScriptEditor" << "Command1" << true << false;
    QTest::newRow("page >> on the last page, light red") << "full" << "" << "Form1" << "Command4" << false << false;
    QTest::newRow("18 per page, not yet available") << "layout choice" << "" << "BeginOption" << "Command6" << false << false;
}

void tst_looks::disabledCaptionsGrey()
{
    QFETCH(QString, board);
    QFETCH(QString, opening);
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(bool, press);
    QFETCH(bool, enabled);
    Rig rig(board);
    if (!opening.isEmpty())
        rig.form.action(opening.toLatin1().constData())->trigger();
    QWidget *shown = topLevel(window);
    QVERIFY(shown);
    auto *b = shown->findChild<QPushButton *>(button);
    QVERIFY(b);
    if (press)
        QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(b->isEnabled(), enabled);
    // Inside the frame: only the caption is drawn there.
    const QImage image = b->grab(b->rect().adjusted(3, 3, -3, -3)).toImage().convertToFormat(QImage::Format_RGB32);
    // The darkest pixel is the caption's colour where a stroke covers it whole.
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            darkest = qMin(darkest, qGray(image.pixel(x, y)));
    }
    QVERIFY2(enabled ? darkest < 48 : qAbs(darkest - 128) <= 16, qPrintable(QString::number(darkest)));
}

QTEST_MAIN(tst_looks)
#include "tst_looks.moc"
