#include "view/BeginOption.h"

#include "resources/StoredBitmaps.h"
#include "resources/Texts.h"
#include "widgets/DesignFont.h"
#include "widgets/ImageBox.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace {
using texts::text;
} // namespace

BeginOption::BeginOption(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("BeginOption"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window takes no input while the choice is open.
    setWindowModality(Qt::WindowModal);
    setWindowTitle(text(texts::kLayoutCaption));
    setFont(designfont::of(font()));
    palette::setBackground(this, colours::kWindow);
    setFixedSize(twips::toPixels(5085), twips::toPixels(2625));

    auto picture = [this](const char *name, int left, int top, int width, int height) {
        auto *box = new ImageBox(this);
        box->setObjectName(QLatin1String(name));
        box->setGeometry(twips::rect(left, top, width, height));
        return box;
    };
    auto push = [this](const char *name, const char *caption, int left, int top, int width, int height) {
        auto *b = new QPushButton(text(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(twips::rect(left, top, width, height));
        palette::setBackground(b, colours::kWindow);
        return b;
    };
    Picture1 = picture("Picture1", 120, 120, 1575, 1575);
    Picture1->setAccessibleName(text(texts::kNinePerPage));
    Command7 = push("Command7", texts::kNinePerPage, 120, 1800, 1575, 375);
    Picture2[0] = picture("Picture2", 1800, 120, 1575, 1575);
    Command6[1] = push("Command6", texts::kEighteenPerPage, 1800, 1800, 1575, 375);
    Picture2[1] = picture("Picture2", 3480, 120, 1530, 1530);
    Command6[0] = push("Command6", texts::kThirtySixPerPage, 3480, 1800, 1575, 375);
    Label1 = new QLabel(text(texts::kMinAmount), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twips::rect(120, 2280, 4815, 255));
    Command1 = push("Command1", texts::kCancel, 4320, 2280, 735, 255);
    Command6[0]->setEnabled(false);
    Command6[1]->setEnabled(false);
    Command7->setDefault(true);
    Command7->setFocus();
    setTabOrder(Command7, Command1);

    connect(Command7, &QPushButton::clicked, this, &BeginOption::Command7_Click);
    connect(Picture1, &ImageBox::clicked, this, &BeginOption::Picture1_Click);
    connect(Command1, &QPushButton::clicked, this, &BeginOption::Command1_Click);
}

void BeginOption::Form_Load()
{
    Picture1->setPicture(storedPicture(2001));
    for (ImageBox *box : Picture2)
        box->setPicture(storedPicture(2005));
}

void BeginOption::Command7_Click()
{
    close();
    Q_EMIT layoutChosen();
}

void BeginOption::Picture1_Click()
{
    Q_EMIT layoutChosen();
    close();
}

void BeginOption::Command1_Click()
{
    close();
}
