#include "desktop/QtMessageBox.h"

#include "desktop/CentredMessageBox.h"
#include "desktop/StayOnTop.h"
#include "resources/Texts.h"

void QtMessageBox::show(QWidget *owner, const QString &text)
{
    CentredMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), text, QMessageBox::Ok,
                          owner ? owner->window() : nullptr);
    stacking::keepAboveTopmost(&box);
    box.exec();
}

MessageBox::Answer QtMessageBox::ask(QWidget *owner, const QString &text)
{
    CentredMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), text,
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner ? owner->window() : nullptr);
    stacking::keepAboveTopmost(&box);
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
