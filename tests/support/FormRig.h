#pragma once

// A started main window on a board of real pictures, with every dialog
// scripted, and what poppler reads from a printed PDF.
#include "interfaces/PictureList.h"
#include "printing/PrintPreviewDialog.h"
#include "support/FakePlatform.h"
#include "support/PictureFiles.h"
#include "view/BeginOption.h"
#include "view/Form1.h"

#include <QAction>
#include <QPushButton>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace support {

inline void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

struct FormRig
{
    QTemporaryDir dir;
    FakePlatform fake;
    Form1 form{fake.platform()};
    QStringList pictures; // scene k is pictures[k - 1]

    // scenes 0: the layout choice cancelled, no board. Scene `missing` has no file.
    explicit FormRig(int scenes, QSize size = {40, 30}, int missing = 0)
    {
        for (int k = 1; k <= scenes; ++k) {
            pictures << dir.filePath(QStringLiteral("s%1.jpg").arg(k, 3, 10, QLatin1Char('0')));
            if (k == missing)
                continue;
            const QColor colour = QColor::fromHsv(k * 37 % 360, 200, 220);
            if (size.width() < 1000) // big ones: photograph-like detail, made once
                testpictures::writePicture(pictures.last(), colour, size);
            else if (k == 1)
                testpictures::write(pictures.last(), testpictures::encoded(testpictures::detailed(size, colour), "JPG"));
            else
                QFile::copy(pictures.first(), pictures.last());
        }
        begin(scenes ? picturelist::resultText(pictures) : QString());
    }
    // The board the picture dialog answers with `result`, in the layout of nine boxes a page; the
    // recovery copies those of the state folder `state`, if given.
    explicit FormRig(const QString &result, const QByteArray &state = {}) : fake(state) { begin(result); }
    void begin(const QString &result)
    {
        form.start();
        if (!result.isEmpty())
            fake.pictures.choose(result);
        QTest::mouseClick(result.isEmpty() ? form.beginOption()->Command1 : form.beginOption()->Command7, Qt::LeftButton);
        flushDeletes();
    }
    // ">" page >>, "<" << page.
    void turn(const QString &turns)
    {
        for (const QChar step : turns)
            QTest::mouseClick(step == u'>' ? form.Command4 : form.Command5, Qt::LeftButton);
    }
    PrintPreviewDialog *openPrint()
    {
        form.sPrint->trigger();
        return form.printPreviewDialog();
    }
};

// The menus walked as a user walks them, by keys: each step of `keys`
// ("Alt+V C 5", "F10 Right Return", "Ctrl+P") goes to the open menu, or to
// the main window, made active, while none is open.
inline void press(Form1 &form, const QString &keys)
{
    for (const QString &step : keys.split(u' ', Qt::SkipEmptyParts)) {
        const QKeyCombination key = QKeySequence::fromString(step)[0];
        QWidget *to = QApplication::activePopupWidget();
        if (!to && QApplication::activeWindow() != &form) {
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
        }
        QTest::keyClick(to ? to : &form, key.key(), key.keyboardModifiers());
    }
}

// A drop as a file manager makes one (text: as another program does), Shift
// held for a move; the action it was answered with.
inline Qt::DropAction drop(QWidget *target, const QList<QUrl> &urls, const QString &text = {})
{
    QMimeData data;
    urls.isEmpty() ? data.setText(text) : data.setUrls(urls);
    QDragEnterEvent enter({9, 9}, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    QDropEvent drop({9, 9}, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    if (QCoreApplication::sendEvent(target, &enter), enter.isAccepted())
        QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents(); // a load comes once the drop is over
    return enter.isAccepted() && drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// From `pdfinfo`: "Pages" or "Page size".
inline QString pdfInfo(const QString &pdf, const QString &field)
{
    const auto m = QRegularExpression(field + QStringLiteral(":\\s+([^\\n]*)")).match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.captured(1).trimmed();
}

inline QString pageText(const QString &pdf, int page)
{
    const QString p = QString::number(page);
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), p, QStringLiteral("-l"), p, QStringLiteral("-layout"),
                                             pdf, QStringLiteral("-")});
}

} // namespace support
