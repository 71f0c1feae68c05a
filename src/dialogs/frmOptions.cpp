#include "dialogs/frmOptions.h"

#include "board/SceneBoard.h"
#include "dialogs/DialogLayout.h"
#include "dialogs/DialogTexts.h"
#include "resources/ColourSchemes.h"
#include "resources/Texts.h"
#include "resources/TipTable.h"
#include "widgets/DesignFont.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
using texts::text;

QCheckBox *switchBox(QWidget *parent, const char *name, const char *caption)
{
    auto *box = new QCheckBox(text(caption), parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(true);
    palette::setBackground(box, colours::kGrey);
    return box;
}

QLabel *label(QWidget *parent, const char *caption, ColourWord background)
{
    auto *l = new QLabel(text(caption), parent);
    l->setObjectName(QStringLiteral("Label1"));
    palette::setBackground(l, background);
    palette::setForeground(l, colours::kBlack);
    return l;
}

QPushButton *push(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(text(caption), parent);
    b->setObjectName(QLatin1String(name));
    palette::setBackground(b, colours::kWindow);
    return b;
}
} // namespace

frmOptions::frmOptions(board::SceneBoard &board, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint)
    , m_board(board)
{
    setObjectName(QStringLiteral("frmOptions"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setWindowTitle(text(dialogtexts::kOptionsCaption));
    setFont(designfont::of(font()));
    palette::setBackground(this, colours::kWindow);
    setFixedSize(twips::toPixels(dialoglayout::kOptionsClient.width), twips::toPixels(dialoglayout::kOptionsClient.height));

    // The outline first, so the caption label and the bar lie over its edge.
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setFrameShadow(QFrame::Plain);
    Shape1->setLineWidth(1);

    cmdOK = push(this, "cmdOK", dialogtexts::kOK);
    Check0 = switchBox(this, "Check0", dialogtexts::kBordersOnScenes);
    Check1 = switchBox(this, "Check1", dialogtexts::kResolutionAlerts);
    Check2 = switchBox(this, "Check2", dialogtexts::kShowTips);
    Label1[10] = label(this, dialogtexts::kColourSchemes, colours::kGrey);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    palette::setBackground(Label2, colours::kBlack);

    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    for (int k = 0; k < 6; ++k) {
        Option1[k] = new QRadioButton(this);
        Option1[k]->setObjectName(QStringLiteral("Option1"));
        palette::setBackground(Option1[k], colours::kWindow);
        m_group->addButton(Option1[k], k);
        connect(Option1[k], &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                Option1_Click();
        });
    }
    // Stands for the default colouring; the user never sees or picks it.
    Option1[5]->setVisible(false);
    for (int k = 0; k < 5; ++k) {
        Option1[k]->setAccessibleName(text(dialogtexts::kSchemeName).arg(k + 1));
        Label1[k] = label(this, dialogtexts::kSceneLabelSample, schemes::kSchemes[k].sceneLabel);
        Label1[5 + k] = label(this, dialogtexts::kBackgroundSample, schemes::kSchemes[k].window);
    }
    Command1 = push(this, "Command1", dialogtexts::kGoDefaults);

    for (const dialoglayout::Place &place : dialoglayout::kOptionsPlaces)
        control(place.name, place.index)->setGeometry(twips::rect(place.left, place.top, place.width, place.height));

    setTabOrder(cmdOK, Check0);
    setTabOrder(Check0, Check1);
    setTabOrder(Check1, Check2);
    setTabOrder(Check2, Option1[0]);
    setTabOrder(Option1[0], Command1);
    cmdOK->setFocus();
    cmdOK->setDefault(true);

    connect(Check0, &QCheckBox::toggled, this, &frmOptions::Check0_Click);
    connect(Check1, &QCheckBox::toggled, this, &frmOptions::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &frmOptions::Check2_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(Command1, &QPushButton::clicked, this, &frmOptions::Command1_Click);
}

QWidget *frmOptions::control(const char *name, int index) const
{
    const QByteArray n(name);
    if (n == "Check0") return Check0;
    if (n == "Check1") return Check1;
    if (n == "Check2") return Check2;
    if (n == "Shape1") return Shape1;
    if (n == "Label2") return Label2;
    if (n == "Command1") return Command1;
    if (n == "cmdOK") return cmdOK;
    if (n == "Label1" && index >= 0 && index < int(Label1.size())) return Label1[index];
    if (n == "Option1" && index >= 0 && index < int(Option1.size())) return Option1[index];
    return nullptr;
}

void frmOptions::Form_Load()
{
    // OptionOn is 0..5 and every value has its button; the hidden sixth
    // one selects "no scheme" without recolouring anything.
    Option1[qBound(0, int(m_board.OptionOn), 5)]->setChecked(true);
    ResetControls();
}

void frmOptions::ResetControls()
{
    const board::SceneBoard &b = m_board;
    Check1->setChecked(b.AlertsAreOn.toBool());
    Check0->setChecked(b.BordersAreOn.toBool());
    Check2->setChecked(b.TipsAreOn);
}

void frmOptions::Check0_Click()
{
    m_board.BordersAreOn = Check0->isChecked();
}

void frmOptions::Check1_Click()
{
    m_board.AlertsAreOn = Check1->isChecked();
}

void frmOptions::Check2_Click()
{
    m_board.TipsAreOn = Check2->isChecked();
}

void frmOptions::Option1_Click()
{
    for (int k = 0; k < 5; ++k) {
        if (Option1[k]->isChecked()) {
            applyScheme(k);
            return;
        }
    }
}

void frmOptions::applyScheme(int k)
{
    board::SceneBoard &b = m_board;
    b.SceneLabelBackColor = schemes::kSchemes[k].sceneLabel;
    b.BackColor = schemes::kSchemes[k].window;
    b.OptionOn = qint16(k);
    Q_EMIT boardChanged();
}

void frmOptions::cmdOK_Click()
{
    board::SceneBoard &b = m_board;
    b.Image1Border = b.BordersAreOn.toBool();

    const bool on = b.TipsAreOn;
    auto tip = [on](std::string_view control) {
        return on ? text(tips::tipFor(tips::Window::Form1, control)) : QString();
    };
    b.Image1ToolTip.fill(tip("Image1"));
    b.Command1ToolTip = tip("Command1");
    b.Command2ToolTip = tip("Command2");
    b.Command3ToolTip = tip("Command3");
    Q_EMIT boardChanged();
    Q_EMIT toolTipsApplied(on);
    close();
}

void frmOptions::Command1_Click()
{
    board::SceneBoard &b = m_board;
    b.AlertsAreOn = true;
    b.BordersAreOn = true;
    b.TipsAreOn = true;
    b.OptionOn = qint16(schemes::kDefault);
    b.SceneLabelBackColor = schemes::kSchemes[schemes::kDefault].sceneLabel;
    b.BackColor = schemes::kSchemes[schemes::kDefault].window;
    Q_EMIT boardChanged();
    cmdOK_Click();
}
