#pragma once

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/QtPictureLoader.h"
#include "platform/QtWindowSystem.h"
#include "platform/Screen.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <mutex>
#include <utility>

// Test doubles that play back scripted answers and record what was asked.

class FakePictureDialog : public PictureDialog
{
public:
    QList<DialogResult> answers; // played back in order; empty = cancel
    QStringList titles, filters;
    QList<int> maxLengths;

    DialogResult openPictures(const QString &title, const QString &filter, int maxLength) override
    {
        titles << title;
        filters << filter;
        maxLengths << maxLength;
        if (answers.isEmpty())
            return {};
        DialogResult result = answers.takeFirst();
        if (result.fileName.size() > maxLength)
            return {QString(), true};
        return result;
    }
    void choose(const QString &result) { answers << DialogResult{result, false}; }
    void cancel() { answers << DialogResult{}; }
    void fail() { answers << DialogResult{QString(), true}; }
};

class FakeFileDialog : public FileDialog
{
public:
    QList<DialogResult> answers;
    QStringList titles, filters;
    QList<bool> saves;

    DialogResult openFile(const QString &title, const QString &filter) override { return next(title, filter, false); }
    DialogResult saveFile(const QString &title, const QString &filter) override { return next(title, filter, true); }
    void choose(const QString &file) { answers << DialogResult{file, false}; }
    void cancel() { answers << DialogResult{}; }

private:
    DialogResult next(const QString &title, const QString &filter, bool save)
    {
        titles << title;
        filters << filter;
        saves << save;
        return answers.isEmpty() ? DialogResult{} : answers.takeFirst();
    }
};

class FakeMousePointer : public MousePointer
{
public:
    void setBusy(bool busy) override
    {
        m_busy = busy;
        history << busy;
    }
    bool isBusy() const override { return m_busy; }
    QList<bool> history;

private:
    bool m_busy = false;
};

class FakeMessageBox : public MessageBox
{
public:
    explicit FakeMessageBox(const MousePointer &pointer) : m_pointer(pointer) {}
    void show(const QString &text) override
    {
        texts << text;
        busyAtMessage << m_pointer.isBusy();
    }
    QStringList texts;
    QList<bool> busyAtMessage;

private:
    const MousePointer &m_pointer;
};

// Real decoding, with a record of what was asked for.
class RecordingPictureLoader : public QtPictureLoader
{
public:
    QImage load(const QString &file, QSize bound) override
    {
        {
            const std::lock_guard lock(m_mutex);
            files << file;
            bounds << bound;
        }
        return QtPictureLoader::load(file, bound);
    }
    QStringList files;
    QList<QSize> bounds;

private:
    std::mutex m_mutex;
};

class FakeScreen : public Screen
{
public:
    QSize screenSize{800, 600}; // the offscreen screen the tests run on
    QSize size() const override { return screenSize; }
};

class RecordingWindowSystem : public QtWindowSystem
{
public:
    void setEnabled(QWidget *window, bool enabled) override
    {
        enables << std::make_pair(window, enabled);
        QtWindowSystem::setEnabled(window, enabled);
    }
    void makeTopmost(QWidget *window) override
    {
        topmost << window;
        QtWindowSystem::makeTopmost(window);
    }
    QList<std::pair<QWidget *, bool>> enables;
    QList<QWidget *> topmost;
};

class FakePlatform
{
public:
    FakePictureDialog pictures;
    FakeFileDialog files;
    FakeMousePointer pointer;
    FakeMessageBox messages{pointer};
    RecordingPictureLoader loader;
    FakeScreen screen;
    RecordingWindowSystem windows;

    Platform platform()
    {
        return Platform{&pictures, &files, &messages, &pointer, &loader, &screen, &windows};
    }
};
