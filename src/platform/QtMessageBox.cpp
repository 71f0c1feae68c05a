#include "platform/QtMessageBox.h"

#include "resources/Texts.h"
#include "platform/QtDialogOwner.h"

#include <QMessageBox>

void QtMessageBox::show(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), text, QMessageBox::Ok);
    qtdialogs::own(&box, owner);
    box.exec();
}

MessageBox::Answer QtMessageBox::ask(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    qtdialogs::own(&box, owner);
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
