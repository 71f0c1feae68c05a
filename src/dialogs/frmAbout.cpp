#include "dialogs/frmAbout.h"

#include "dialogs/DialogLayout.h"
#include "dialogs/DialogTexts.h"
#include "resources/StoredBitmaps.h"
#include "resources/Texts.h"
#include "widgets/DesignFont.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace {
using texts::text;

constexpr ColourWord kBand = 0x00C0C000;     // RGB 0, 192, 192
constexpr ColourWord kBandText = 0x00808000; // RGB 0, 128, 128

QLabel *bandLabel(QWidget *parent, const char *name, const QString &caption, ColourWord foreground)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    palette::setBackground(l, kBand);
    palette::setForeground(l, foreground);
    return l;
}
} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(designfont::of(font()));
    palette::setBackground(this, colours::kWindow);
    setFixedSize(twips::toPixels(dialoglayout::kAboutClient.width), twips::toPixels(dialoglayout::kAboutClient.height));
    setPicture(1001);

    lblDescription = bandLabel(this, "lblDescription", text(dialogtexts::kDescription.data()), kBandText);
    lblDescription->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblDescription->setWordWrap(true);
    // The band first: the icon, version, notice and button lie over it.
    lblDisclaimer = bandLabel(this, "lblDisclaimer", QString(), colours::kBlack);
    Picture1 = bandLabel(this, "Picture1", QString(), colours::kBlack);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setPixmap(QPixmap::fromImage(resources::iconImage()));
    lblVersion = bandLabel(this, "lblVersion", text(dialogtexts::kVersion), colours::kBlack);
    Label1 = bandLabel(this, "Label1", text(dialogtexts::kPublisherNotice), colours::kBlack);
    cmdOK = new QPushButton(text(dialogtexts::kOK), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    palette::setBackground(cmdOK, colours::kWindow);
    cmdOK->setDefault(true);
    cmdOK->setFocus();

    for (const dialoglayout::Place &place : dialoglayout::kAboutPlaces)
        control(place.name)->setGeometry(twips::rect(place.left, place.top, place.width, place.height));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(6000);

    connect(Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

QWidget *frmAbout::control(const char *name) const
{
    const QByteArray n(name);
    if (n == "lblDescription") return lblDescription;
    if (n == "lblDisclaimer") return lblDisclaimer;
    if (n == "Picture1") return Picture1;
    if (n == "lblVersion") return lblVersion;
    if (n == "Label1") return Label1;
    if (n == "cmdOK") return cmdOK;
    return nullptr;
}

void frmAbout::Form_Load()
{
    setWindowTitle(text(dialogtexts::kAboutCaption));
    d = -1;
    Snoggle = 1;
    Timer1->start();
}

void frmAbout::Timer1_Timer()
{
    if (Snoggle == board::Variant(1))
        StepPicture();
}

void frmAbout::StepPicture()
{
    d = qint16(d + 1);
    if (d == 2)
        d = 0;
    setPicture(1000 + d);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::setPicture(int resource)
{
    m_picture = storedPicture(resource);
    update();
}

void frmAbout::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_picture.image);
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // OK is both the default and the cancel button.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        cmdOK->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void frmAbout::closeEvent(QCloseEvent *event)
{
    Timer1->stop();
    event->accept();
}
