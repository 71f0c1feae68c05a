// Renders the windows of a typical session with the sample board into PNG
// files (and one printed page into a PDF) for the README, and Qt's printer
// dialogue as "Print Setup" opens it:
//   screenshots OUTDIR
// It drives the real windows; only the dialogs are answered by a script.
#include "desktop/QtPrinterDialog.h"
#include "dialogs/Help.h"
#include "interfaces/PictureList.h"
#include "printing/PrintPreviewDialog.h"
#include "scripts/EditBay.h"
#include "scripts/ScriptEditor.h"
#include "support/FakePlatform.h"
#include "view/BeginOption.h"
#include "view/Form1.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {
void save(QWidget *window, const QString &file)
{
    QCoreApplication::processEvents();
    if (!window->grab().save(file))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir samples(QStringLiteral(QV_SOURCE_DIR "/samples"));
    QStringList files;
    for (const QString &name : samples.entryList({QStringLiteral("frame*")}, QDir::Files))
        files << samples.filePath(name);

    FakePlatform fake;
    fake.screen.screenSize = {1024, 768};
    Form1 form(fake.platform());
    form.start();
    save(form.beginOption(), out.filePath(QStringLiteral("layout-choice.png")));
    fake.pictures.choose(picturelist::resultText(files));
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);

    // A script for scene 5, written in the Script Editor.
    form.sScriptEditor->trigger();
    ScriptEditor *editor = form.scriptEditor();
    editor->selectEntry(5);
    editor->ScriptTextBox->selectAll();
    QTest::keyClicks(editor->ScriptTextBox, QStringLiteral("Kit reaches the bridge at dawn; the river is high."));
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    editor->selectEntry(5);
    save(editor, out.filePath(QStringLiteral("script-editor.png")));
    editor->Command2_Click();

    // The main window at the three layouts, each as a maximised window with a
    // taskbar would be, with scene 5 selected.
    const QSize screens[] = {{640, 480}, {800, 600}, {1024, 768}};
    for (const QSize &screen : screens) {
        form.showNormal();
        // Inner height 38 pixels short of the screen: title bar and taskbar.
        const int menu = form.height() - form.centralWidget()->height();
        form.resize(screen.width(), screen.height() - 38 + menu);
        QCoreApplication::processEvents();
        form.Image1_Click(4);
        save(&form, out.filePath(QStringLiteral("board-%1x%2.png").arg(screen.width()).arg(screen.height())));
    }

    form.sHelp->trigger();
    save(form.help(), out.filePath(QStringLiteral("help.png")));
    form.help()->close();

    // "Page Images + Scripts" to a PDF.
    form.sPrint->trigger();
    PrintPreviewDialog *print = form.printPreviewDialog();
    print->Option1[3]->setChecked(true);
    save(print, out.filePath(QStringLiteral("print-dialogue.png")));
    fake.printer.print(out.filePath(QStringLiteral("page.pdf")));
    QTest::mouseClick(print->OKButton, Qt::LeftButton);

    // The printer dialogue as "Print Setup" opens it in a page mode, its
    // options shown and "Print all" chosen: the whole board, six pages.
    QTimer::singleShot(300, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (QPushButton *button : dialog->findChildren<QPushButton *>())
            if (button->text().contains(QLatin1String("Options")))
                button->click();
        if (auto *all = dialog->findChild<QRadioButton *>(QStringLiteral("printAll")))
            all->setChecked(true);
        save(dialog, out.filePath(QStringLiteral("printer-dialogue-all.png")));
        dialog->reject();
    });
    QtPrinterDialog().choosePrinter(print, 6, true);
    return 0;
}
