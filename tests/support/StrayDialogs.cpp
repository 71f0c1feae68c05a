#include "support/StrayDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QtTest>

namespace {
std::function<void(QDialog *)> g_answer;

QString describe(const QDialog *dialog)
{
    QStringList texts{dialog->windowTitle()};
    if (const auto *box = qobject_cast<const QMessageBox *>(dialog))
        texts << box->text();
    else
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            if (label->isVisible() && !label->text().isEmpty())
                texts << label->text();
    return texts.join(QStringLiteral(" | "));
}

// Looks at every dialog shown once the event loops run again: one whose own
// loop is running is the modal dialog on top while an event loop runs, which
// a test's own code never starts.
class Guard : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && qobject_cast<QDialog *>(watched))
            QTimer::singleShot(0, watched, [dialog = static_cast<QDialog *>(watched)] { look(dialog); });
        return false;
    }

private:
    static void look(QDialog *dialog)
    {
        if (QThread::currentThread()->loopLevel() == 0 || QApplication::activeModalWidget() != dialog)
            return;
        if (auto answer = std::exchange(g_answer, nullptr))
            return answer(dialog);
        QTest::qFail(qPrintable(QStringLiteral("a dialog waits for an answer no test gives: ") + describe(dialog)),
                     __FILE__, __LINE__);
        // The dialogs beneath it, waiting too, close with it: the row has failed.
        for (int i = 0; i < 10 && qobject_cast<QDialog *>(QApplication::activeModalWidget()); ++i)
            static_cast<QDialog *>(QApplication::activeModalWidget())->reject();
    }
};

void install()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        qApp->installEventFilter(new Guard(qApp));
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(install)

namespace support {
void answerNextDialog(std::function<void(QDialog *)> answer) { g_answer = std::move(answer); }
} // namespace support
