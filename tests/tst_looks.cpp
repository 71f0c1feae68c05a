// What the user sees of every window: each caption, label and help text
// whole in its control in the design face, and disabled buttons greyed.
#include "dialogs/Help.h"
#include "dialogs/HelpTopics.h"
#include "support/BoardRig.h"
#include "support/FormRig.h"
#include "view/Form1.h"
#include "widgets/DesignFont.h"
#include "widgets/OptionButton.h"

#include <QtWidgets>
#include <QtTest>

namespace {
// The misfits among a window's texts, as "control: text (needs, has)".
QStringList misfits(const QWidget *window)
{
    QStringList found;
    auto check = [&](const QWidget *w, const QString &text, QSize needs, QSize has) {
        if (needs.width() > has.width() || needs.height() > has.height())
            found << QStringLiteral("%1: \"%2\" needs %3 x %4").arg(w->objectName(), text).arg(needs.width()).arg(needs.height());
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
            option.features = push && push->isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
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

} // namespace

class tst_looks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void looks_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("opening"); // the keys that open it
        QTest::addColumn<int>("topic");       // help topic shown, -1 none
        QTest::addColumn<QString>("button");  // pressed first when marked "!"
        QTest::addColumn<bool>("enabled");    // then it is, with a black caption, or not, with a grey one
        QTest::newRow("main window, page >> on the last page") << "full" << "Form1" << "" << -1 << "Command4" << false;
        QTest::newRow("layout choice, 18 per page not yet") << "layout choice" << "BeginOption" << "" << -1 << "Command6" << false;
        QTest::newRow("Script Editor, write to scene") << "full" << "ScriptEditor" << "Alt+T S" << -1 << "Command1" << true;
        QTest::newRow("Script Editor, after writing") << "full" << "ScriptEditor" << "Alt+T S" << -1 << "!Command1" << false;
        QTest::newRow("print dialogue") << "full" << "PrintPreviewDialog" << "Alt+F P" << -1 << "" << true;
        QTest::newRow("options") << "empty" << "frmOptions" << "Alt+V O" << -1 << "" << true;
        QTest::newRow("About box") << "empty" << "frmAbout" << "Alt+H A" << -1 << "" << true;
        for (int i = 0; i < int(help::kTopics.size()); ++i)
            QTest::newRow(help::kTopics[i].title) << "empty" << "Help" << "Alt+H H" << i << "" << true;
    }
    void looks()
    {
        QFETCH(QString, board);
        QFETCH(QString, window);
        QFETCH(QString, opening);
        QFETCH(int, topic);
        QFETCH(QString, button);
        QFETCH(bool, enabled);
        // With the layout choice still open, empty, or with a full board of 540
        // (missing) pictures on its last page and scene 540 selected: the
        // longest captions it can show.
        FakePlatform fake;
        Form1 form(fake.platform());
        form.start();
        if (board == u"empty")
            QTest::mouseClick(form.beginOption()->Command1, Qt::LeftButton);
        if (board == u"full") {
            fake.pictures.choose(support::names(540));
            QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
            // Bounded: a paging fault must fail this test, not hang it.
            for (int page = 1; page < 60 && form.Command4->isEnabled(); ++page)
                QTest::mouseClick(form.Command4, Qt::LeftButton);
            form.sPosition_Click(9);
        }
        if (!opening.isEmpty())
            support::press(form, opening);
        if (topic >= 0)
            form.help()->List1->findItems(QString::fromUtf8(help::kTopics[topic].title), Qt::MatchExactly).first()->setSelected(true);
        QWidget *shown = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == window && w->isVisible())
                shown = w;
        QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
        QCOMPARE(QFontInfo(shown->font()).family(), QString::fromLatin1(designfont::kFamily));
        const QStringList found = misfits(shown);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
        if (button.isEmpty())
            return;
        auto *b = shown->findChild<QPushButton *>(button.mid(button.startsWith(u'!')));
        QVERIFY(b);
        if (button.startsWith(u'!'))
            QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(b->isEnabled(), enabled);
        // Inside the frame only the caption is drawn: its darkest pixel, where a
        // stroke covers it whole, is the caption's colour.
        const QImage image = b->grab(b->rect().adjusted(3, 3, -3, -3)).toImage().convertToFormat(QImage::Format_RGB32);
        int darkest = 255;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                darkest = qMin(darkest, qGray(image.pixel(x, y)));
        QVERIFY2(enabled ? darkest < 48 : qAbs(darkest - 128) <= 16, qPrintable(QString::number(darkest)));
    }
};

QTEST_MAIN(tst_looks)
#include "tst_looks.moc"
