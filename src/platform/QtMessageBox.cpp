#include "platform/QtMessageBox.h"

#include "board/Texts.h"

#include <QMessageBox>

void QtMessageBox::show(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), text, QMessageBox::Ok);
    box.exec();
}

MessageBox::Answer QtMessageBox::ask(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}
