#include "support/StrayDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QThread>
#include <QTimer>
#include <QtTest>

namespace {
std::function<void(QDialog *)> g_answer;

// Looks at every dialog shown once the event loops run again: one whose own loop then runs (a test's code
// never starts one) waits for an answer.
void look(QDialog *dialog)
{
    if (QThread::currentThread()->loopLevel() == 0 || QApplication::activeModalWidget() != dialog)
        return;
    if (auto answer = std::exchange(g_answer, nullptr))
        return answer(dialog);
    QStringList texts{dialog->windowTitle()};
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        if (label->isVisible() && !label->text().isEmpty())
            texts << label->text();
    QTest::qFail(qPrintable(u"a dialog waits for an answer no test gives: "_qs + texts.join(u" | "_qs)), __FILE__, __LINE__);
    // The dialogs beneath it, waiting too, close with it: the row has failed.
    for (int i = 0; i < 10 && qobject_cast<QDialog *>(QApplication::activeModalWidget()); ++i)
        static_cast<QDialog *>(QApplication::activeModalWidget())->reject();
}

struct Guard : QObject
{
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (auto *dialog = event->type() == QEvent::Show ? qobject_cast<QDialog *>(watched) : nullptr)
            QTimer::singleShot(0, dialog, [dialog] { look(dialog); });
        return false;
    }
};

void install()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        qApp->installEventFilter(new Guard(qApp));
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(install)

void support::answerNextDialog(std::function<void(QDialog *)> answer) { g_answer = std::move(answer); }
