#include "desktop/NativeFileDialog.h"

#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QRegularExpression>

namespace nativefiledialog {

namespace {
// The filters with every letter of their patterns in both cases
// ("Jpegs (*.[jJ][pP][gG])"): the desktop's dialogs match patterns as
// written, Qt's own matches them case-blind.
QStringList caseBlind(const QStringList &nameFilters)
{
    static const QRegularExpression patterns(QStringLiteral("\\(([^()]*)\\)$"));
    QStringList blind;
    for (const QString &filter : nameFilters) {
        const QRegularExpressionMatch match = patterns.match(filter);
        if (!match.hasMatch()) {
            blind << filter;
            continue;
        }
        QString both;
        for (const QChar c : match.captured(1)) {
            const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
            both += letter ? QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper()) : QString(c);
        }
        blind << filter.left(match.capturedStart(1)) + both + u')';
    }
    return blind;
}
} // namespace

bool run(QFileDialog &dialog, const QStringList &nameFilters)
{
    dialog.setNameFilters(caseBlind(nameFilters));
    dialog.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&dialog, &QDialog::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    dialog.show();
    // Qt's own dialog (it has its widgets only once shown) lists the filters
    // as given; it is shown by the loop below, so the other text never is.
    if (dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo")))
        dialog.setNameFilters(nameFilters);
    // Not exec(): a GTK dialog's exec() runs GTK's own loop, which also
    // deletes what was left for deletion by the caller's loop, such as a
    // closed window whose handler asked for the dialog and is still running.
    if (!finished)
        loop.exec(QEventLoop::DialogExec);
    return dialog.result() == QDialog::Accepted;
}

} // namespace nativefiledialog
