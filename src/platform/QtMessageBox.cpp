#include "platform/QtMessageBox.h"

#include "board/Texts.h"
#include "platform/QtDialogOwner.h"

#include <QMessageBox>

void QtMessageBox::show(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), text, QMessageBox::Ok);
    qtdialogs::own(&box, owner);
    box.exec();
}
