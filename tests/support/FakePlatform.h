#pragma once

#include "interfaces/Dialogs.h"
#include "interfaces/Platform.h"
#include "interfaces/PrinterDialog.h"
#include "interfaces/Screen.h"
#include "pictures/QtPictureLoader.h"
#include "resources/Texts.h"

#include <QApplication>
#include <QList>
#include <QPrinter>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <functional>
#include <mutex>
#include <utility>

// Test doubles that play back scripted answers and record what was asked,
// and of whom: every dialog and message records the window that owns it.

// A text as the tests write it, in UTF-8.
inline QString t(const char *literal) { return QString::fromUtf8(literal); }
// The missing-picture message for a board whose first unreadable file is `name`, gone.
inline QString gone(const QString &name)
{
    return texts::withReason(texts::kMissingPicture, name + ": The file could not be opened: No such file or directory.");
}

// What a dialog double was asked, and of whom; its answers played back in order, none left = cancel.
struct DialogRecord
{
    QList<DialogResult> answers;
    QStringList titles, filters;
    QList<QWidget *> owners;

    DialogResult next(QWidget *owner, const QString &title, const QString &filter)
    {
        owners << owner;
        titles << title;
        filters << filter;
        return answers.isEmpty() ? DialogResult{} : answers.takeFirst();
    }
    void choose(const QString &result) { answers << DialogResult{result, false}; }
    void cancel() { answers << DialogResult{}; }
};

class FakePictureDialog : public PictureDialog, public DialogRecord
{
public:
    QList<int> maxLengths;
    DialogResult openPictures(QWidget *owner, const QString &title, const QString &filter, int maxLength) override
    {
        maxLengths << maxLength;
        return next(owner, title, filter);
    }
};

class FakeFileDialog : public FileDialog, public DialogRecord
{
public:
    QList<bool> saves;
    DialogResult openFile(QWidget *owner, const QString &title, const QString &filter) override
    {
        saves << false;
        return next(owner, title, filter);
    }
    DialogResult saveFile(QWidget *owner, const QString &title, const QString &filter) override
    {
        saves << true;
        return next(owner, title, filter);
    }
};

class FakeMousePointer : public MousePointer
{
public:
    void setBusy(bool busy) override { history << (m_busy = busy); }
    bool isBusy() const override { return m_busy; }
    QList<bool> history;

private:
    bool m_busy = false;
};

class FakeMessageBox : public MessageBox
{
public:
    explicit FakeMessageBox(const MousePointer &pointer) : m_pointer(pointer) {}
    void show(QWidget *owner, const QString &text) override
    {
        owners << owner;
        texts << text;
        busyAtMessage << m_pointer.isBusy();
    }
    // Questions are recorded apart from messages; with no answer scripted
    // the user says No, as if the question had never been asked.
    Answer ask(QWidget *owner, const QString &text) override
    {
        owners << owner;
        questions << text;
        return answers.isEmpty() ? Answer::No : answers.takeFirst();
    }
    QStringList texts;
    QList<bool> busyAtMessage;
    QList<QWidget *> owners;
    QStringList questions;
    QList<Answer> answers;

private:
    const MousePointer &m_pointer;
};

// Real decoding, with a record of what was asked for; onLoad, when set, is
// told of each file before it is read (on the thread that reads it).
class RecordingPictureLoader : public QtPictureLoader
{
public:
    QImage load(const QString &file, QSize bound, Use use = Use::Screen) override
    {
        {
            const std::lock_guard lock(m_mutex);
            files << file;
            bounds << bound;
            if (onLoad)
                onLoad(file);
        }
        return QtPictureLoader::load(file, bound, use);
    }
    QStringList files;
    QList<QSize> bounds;
    std::function<void(const QString &)> onLoad;

private:
    std::mutex m_mutex;
};

class FakeScreen : public Screen
{
public:
    QSize screenSize{800, 600}; // the offscreen screen the tests run on
    QSize size() const override { return screenSize; }
};

// The printer dialogue, answered with a PDF printer writing to a chosen file.
class FakePrinterDialog : public PrinterDialog
{
public:
    struct Answer
    {
        QString pdfFile; // empty: the user cancels
        int copies = 1;
        QPageSize pageSize = QPageSize(QPageSize::A4);
        int fromPage = 0, toPage = 0; // "Pages from ... to"; 0: as the dialogue opens, or "All"
        bool reverse = false, collate = true;
        bool all = false; // "Print all" where the dialogue opens with "Current Page"
    };
    QList<Answer> answers; // played back in order; none left = cancel
    QList<QWidget *> owners;

    Choice choosePrinter(QWidget *parent, int, bool currentPage) override
    {
        owners << parent;
        if (answers.isEmpty())
            return {};
        const Answer answer = answers.takeFirst();
        if (answer.pdfFile.isEmpty())
            return {};
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(answer.pdfFile);
        printer->setPageSize(answer.pageSize);
        printer->setCopyCount(answer.copies > 0 ? answer.copies : 1);
        // Set as the real dialogue sets them, and read back the same way.
        if (answer.fromPage > 0) {
            printer->setPrintRange(QPrinter::PageRange);
            printer->setFromTo(answer.fromPage, answer.toPage);
        } else if (currentPage && !answer.all) {
            printer->setPrintRange(QPrinter::CurrentPage);
        }
        printer->setPageOrder(answer.reverse ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
        printer->setCollateCopies(answer.collate);
        Choice choice = Choice::of(std::move(printer));
        choice.copies = answer.copies;
        return choice;
    }
    void print(const QString &pdfFile, int copies = 1) { answers << Answer{pdfFile, copies}; }
    void cancel() { answers << Answer{}; }
};

class FakePlatform
{
public:
    // Recovery copies go to a state folder of this test's own, gone with it, or to `elsewhere`, another process's.
    QTemporaryDir state;
    explicit FakePlatform(const QByteArray &elsewhere = {}) { qputenv("XDG_STATE_HOME", elsewhere.isEmpty() ? state.path().toUtf8() : elsewhere); }

    FakePictureDialog pictures;
    FakeFileDialog files;
    FakeMousePointer pointer;
    FakeMessageBox messages{pointer};
    RecordingPictureLoader loader;
    FakeScreen screen;
    FakePrinterDialog printer;

    Platform platform()
    {
        return Platform{&pictures, &files, &messages, &pointer, &loader, &screen, &printer};
    }
};

// Whether the main window takes input: a click on its background reaches it
// (Qt drops those a modal window blocks).
inline bool takesInput(const QWidget &main)
{
    struct Presses : QObject {
        bool seen = false;
        bool eventFilter(QObject *, QEvent *event) override { return seen |= event->type() == QEvent::MouseButtonPress, false; }
    } presses;
    QWidget *background = main.findChild<QWidget *>(QStringLiteral("inner"));
    background->installEventFilter(&presses);
    QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {}, background->mapTo(&main, QPoint(1, 1)));
    return presses.seen;
}
