#include "commandline/CommandLine.h"

#include "board/SceneBoard.h"
#include "desktop/LocalePaper.h"
#include "interfaces/PictureList.h"
#include "pictures/QtPictureLoader.h"
#include "printing/PrintJob.h"
#include "printing/PrintModes.h"
#include "printing/PrintPlan.h"
#include "resources/Texts.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptText.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QPageLayout>
#include <QTextStream>

#include <cstring>
#include <iterator>

#include <unistd.h>

namespace commandline {

namespace {
using texts::text;

inline constexpr char kProgram[] = "quorvadine";
inline constexpr char kVersion[] = "1.0";
inline constexpr char kDescription[] =
    "Quorvadine, the storyboard tool. Without options it opens its windows. With --print-to-pdf it prints a\n"
    "board of pictures to one PDF file, as the print dialogue prints the whole board in a page mode, and\n"
    "shows no window. Exit status: 0 printed, 1 bad arguments or input, 2 the PDF could not be written.";
inline constexpr char kPdfHelp[] =
    "Print the board to FILE.pdf. The file is replaced whole at the end; when anything fails, an older file "
    "of that name stays as it was.";
inline constexpr char kModeHelp[] =
    "The page mode, its caption in any letter case: \"Page Images + Scripts\" (the default), "
    "\"Page Images only\" or \"Page Scripts only\".";
inline constexpr char kScriptsHelp[] =
    "The scenes' scripts, from a script file read as the Script Editor's Load reads it. Without it every "
    "scene prints -empty-.";
inline constexpr char kPageSizeHelp[] = "The paper: A4 or Letter. Without it, the paper of the locale, or A4.";
inline constexpr char kPicturesHelp[] =
    "One folder (its BMP, JPEG and GIF files), or 9 to 540 such files of one folder, in natural order.";

inline constexpr char kNoPdf[] = "nothing to print to: give --print-to-pdf FILE.pdf";
inline constexpr char kBadMode[] =
    "unknown mode \"%1\": give \"Page Images + Scripts\", \"Page Images only\" or \"Page Scripts only\"";
inline constexpr char kBadPageSize[] = "unknown page size \"%1\": give A4 or Letter";
inline constexpr char kNotFound[] = "%1: no such file or folder";
inline constexpr char kNotPicture[] = "%1: not a BMP, JPEG or GIF file";
inline constexpr char kTwoFolders[] = "%1: the pictures are one folder, or files of one folder";

// A file named: "FILE: message".
QString about(const QString &file, const char *message)
{
    return file + QStringLiteral(": ") + text(message);
}

QtMessageHandler g_qtHandler = nullptr;

// Qt's own notes (an unset runtime folder, fonts) are not errors of this
// run: only its critical ones reach standard error beside the lines below.
void quiet(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if ((type == QtCriticalMsg || type == QtFatalMsg) && g_qtHandler)
        g_qtHandler(type, context, message);
}

// The mode whose caption this is, case-blind; -1 for none. Only the page
// modes: the others print a scene chosen in the main window.
int modeOf(const QString &caption)
{
    for (int mode = 0; mode < int(std::size(printmodes::kModes)); ++mode) {
        const printmodes::Mode &m = printmodes::kModes[mode];
        if (printmodes::printsPages(m) && caption.compare(text(m.caption), Qt::CaseInsensitive) == 0)
            return mode;
    }
    return -1;
}
} // namespace

bool wanted(int argc, char **argv)
{
    static const char *const kOptions[] = {"--print-to-pdf", "--mode", "--scripts", "--page-size", "--help",
                                           "--help-all",     "-h",     "-?",        "--version",   "-v"};
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        for (const char *option : kOptions) {
            const std::size_t length = std::strlen(option);
            if (std::strncmp(argument, option, length) == 0 && (argument[length] == '\0' || argument[length] == '='))
                return true;
        }
    }
    return false;
}

int main(int argc, char **argv)
{
    // No window is shown: the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qtHandler = qInstallMessageHandler(quiet);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QLatin1String(kProgram));
    QGuiApplication::setApplicationVersion(QLatin1String(kVersion));
    QTextStream errors(stderr);
    return run(QGuiApplication::arguments(), errors, ::isatty(STDERR_FILENO) == 1);
}

int run(const QStringList &arguments, QTextStream &errors, bool progress)
{
    const auto fail = [&errors](int status, const QString &message) {
        errors << kProgram << ": " << message << '\n';
        errors.flush();
        return status;
    };

    QCommandLineParser parser;
    parser.setApplicationDescription(text(kDescription));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption pdfOption(QStringLiteral("print-to-pdf"), text(kPdfHelp), QStringLiteral("FILE.pdf"));
    const QCommandLineOption modeOption(QStringLiteral("mode"), text(kModeHelp), QStringLiteral("MODE"),
                                        text(printmodes::kModes[3].caption));
    const QCommandLineOption scriptsOption(QStringLiteral("scripts"), text(kScriptsHelp), QStringLiteral("FILE.ScE"));
    const QCommandLineOption pageSizeOption(QStringLiteral("page-size"), text(kPageSizeHelp), QStringLiteral("A4|Letter"));
    parser.addOptions({pdfOption, modeOption, scriptsOption, pageSizeOption});
    parser.addPositionalArgument(QStringLiteral("PICTURES"), text(kPicturesHelp), QStringLiteral("PICTURES..."));

    if (!parser.parse(arguments))
        return fail(kBadInput, parser.errorText());
    if (parser.isSet(help))
        parser.showHelp();
    if (parser.isSet(version))
        parser.showVersion();
    const QString pdf = parser.value(pdfOption);
    if (pdf.isEmpty())
        return fail(kBadInput, text(kNoPdf));
    const int mode = modeOf(parser.value(modeOption));
    if (mode < 0)
        return fail(kBadInput, text(kBadMode).arg(parser.value(modeOption)));
    QPageSize paper = paper::localeDefault();
    if (parser.isSet(pageSizeOption)) {
        const QString size = parser.value(pageSizeOption);
        if (size.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
            paper = QPageSize(QPageSize::A4);
        else if (size.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
            paper = QPageSize(QPageSize::Letter);
        else
            return fail(kBadInput, text(kBadPageSize).arg(size));
    }

    // The pictures as the picture dialog gives them, with its limits and messages.
    const picturelist::Places places =
        picturelist::picturesIn(parser.positionalArguments(), picturelist::patterns(text(texts::kPictureFilter)));
    switch (places.refusal) {
    case picturelist::Places::Refusal::None:
        break;
    case picturelist::Places::Refusal::NotFound:
        return fail(kBadInput, text(kNotFound).arg(places.refused));
    case picturelist::Places::Refusal::NotPicture:
        return fail(kBadInput, text(kNotPicture).arg(places.refused));
    case picturelist::Places::Refusal::TwoFolders:
        return fail(kBadInput, text(kTwoFolders).arg(places.refused));
    }
    const DialogResult chosen = picturelist::result(places.files, board::SceneBoard::kLongestResult);
    if (chosen.failed)
        return fail(kBadInput, text(texts::kLoadError));
    const int count = places.files.isEmpty() ? 0 : board::SceneBoard::countImages(chosen.fileName);
    if (count < board::SceneBoard::kMinImages)
        return fail(kBadInput, text(texts::kTooFew));
    if (count > board::SceneBoard::kMaxImages)
        return fail(kBadInput, text(texts::kTooMany));

    // The script list as a fresh board has it, or as Load leaves it.
    QStringList entries = scripts::freshList(count);
    if (parser.isSet(scriptsOption)) {
        const QString file = parser.value(scriptsOption);
        const scripts::LoadedScript loaded = scripts::loadScriptFile(file);
        if (!loaded.ok)
            return fail(kBadInput, about(file, texts::kLoadError));
        if (!loaded.text.isEmpty())
            entries = QStringList{text(scripts::kHeader)} + scripts::ParseScriptText(loaded.text);
    }

    // No page is the one shown: every page is filled from the board.
    const BoardSnapshot board{board::SceneBoard::scenePictures(chosen.fileName), entries, 0, true};
    QtPictureLoader loader;
    PrintJob job(printplan::document(mode, board.pages()), board, PrintSheets(), loader);
    // The margins Qt's PDF printer gives, so a page comes out as from the print dialogue.
    const QPageLayout layout(paper, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Point);
    constexpr int kResolution = 1200;
    // The reason, when known, on the same line.
    const auto writeFailed = [&] {
        const QString why = job.writeFailure();
        return fail(kWriteFailed, about(pdf, texts::kSaveError) + (why.isEmpty() ? QString() : u' ' + why));
    };
    if (!job.begin(pdf, layout, kResolution))
        return writeFailed();
    while (!job.atEnd()) {
        if (progress)
            errors << "\rpage " << job.stepsDone() + 1 << " of " << job.steps() << Qt::flush;
        if (!job.printNext())
            break;
    }
    if (progress)
        errors << '\n';
    if (!job.finish())
        return writeFailed();
    if (job.unconfirmed())
        fail(0, about(pdf, texts::kPrintedUnconfirmed) + u' ' + job.writeFailure());
    if (job.missedPictures()) {
        const QString why = job.missedReason();
        fail(0, why.isEmpty() ? text(texts::kMissingPicture) : text(texts::kMissingPicture) + QLatin1String(" (") + why + u')');
    }
    return 0;
}

} // namespace commandline
