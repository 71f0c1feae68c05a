#include "platform/QtMessageBox.h"

#include "board/Texts.h"

#include <QMessageBox>

void QtMessageBox::show(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), text, QMessageBox::Ok);
    box.exec();
}
