#include "desktop/QtMessageBox.h"

#include "resources/Texts.h"

#include <QMessageBox>

void QtMessageBox::show(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), text, QMessageBox::Ok,
                    owner ? owner->window() : nullptr);
    box.exec();
}

MessageBox::Answer QtMessageBox::ask(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner ? owner->window() : nullptr);
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
