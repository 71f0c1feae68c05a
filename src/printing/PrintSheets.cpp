#include "printing/PrintSheets.h"

#include "board/SceneBoard.h"
#include "board/ScriptListAccess.h"
#include "board/Variant.h"
#include "board/WorkBuffer.h"
#include "interfaces/PictureLoader.h"
#include "printing/SheetDesigns.h"
#include "resources/Texts.h"
#include "scripts/ScriptText.h"

namespace {
using texts::text;

// "540." and a script as long as the Edit bay takes: what a row must always hold whole.
const int kLongestTypedEntry = int(QString::number(board::SceneBoard::kMaxImages).size()) + 1 + scripts::kMaxScriptLength;

QString imageTestName(int i) { return QStringLiteral("ImageTest%1").arg(i); }

const QSize kGridPixels = sheetprint::picturePixels(QSize(sheets::kGridBox, sheets::kGridBox));

// The blank scene picture at print size, made once, so that a PDF holds it
// once however many boxes show it.
const Picture &blankPicture()
{
    static const Picture blank{
        storedPicture(101).image.scaled(kGridPixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), QString(), 101};
    return blank;
}

// A scene's file decoded at the size of its box on paper; a stored picture
// as it is shown; a file that could not be read as the blank scene picture,
// as a page display shows it.
void setPrintPicture(SheetItem &item, const QString &file, const QImage &decoded, const Picture &shown)
{
    const bool missed = !file.isEmpty() && decoded.isNull();
    item.missedFile = missed ? file : QString();
    if (file.isEmpty())
        item.picture = shown;
    else
        item.picture = missed ? blankPicture() : Picture{decoded, file, 0};
}
} // namespace

PrintSheets::PrintSheets()
{
    for (std::size_t s = 0; s < m_sheets.size(); ++s) {
        const sheets::Design &design = sheets::kDesigns[s];
        Sheet &sheet = m_sheets[s];
        sheet.name = text(design.name);
        sheet.width = design.width;
        sheet.height = design.height;
        for (const sheets::Place &place : design.places) {
            SheetItem item;
            item.kind = place.kind;
            item.name = text(place.name);
            item.index = place.index;
            item.geometry = QRect(place.left, place.top, place.width, place.height);
            if (place.kind == SheetItem::Kind::Label)
                item.text = text(texts::kEmptyLabel);
            else if (place.kind == SheetItem::Kind::Text)
                item.wholeLength = kLongestTypedEntry;
            sheet.items.append(item);
        }
    }
    for (Id id : {Id::AllPictures, Id::AllScript})
        sheet(id).item(QStringLiteral("Text2"))->text = text(sheets::kTranscriptsHeading);
}

void PrintSheets::setPictureBorders(bool on)
{
    for (Sheet &sheet : m_sheets) {
        for (SheetItem &item : sheet.items) {
            if (item.kind == SheetItem::Kind::Picture)
                item.border = on;
        }
    }
}

void PrintSheets::fill(const board::SceneBoard &main, board::ScriptListAccess &list, board::WorkBuffer &RichTextBox1,
                       PictureLoader *loader)
{
    // Decoded first, all at once: the preview and the nine scene boxes.
    QList<PictureLoader::Request> requests;
    const QSize single = sheetprint::picturePixels(QSize(1965, 1965));
    // At 300 dpi: never a picture made from a progressive file's first scans.
    requests.append({main.BigPreview.file, single, PictureLoader::Use::Print});
    for (int i = 0; i < 9; ++i)
        requests.append({main.Image1[i].picture.file, kGridPixels, PictureLoader::Use::Print});
    QList<QImage> decoded(requests.size());
    if (loader) {
        QList<PictureLoader::Request> wanted;
        QList<qsizetype> where;
        for (qsizetype i = 0; i < requests.size(); ++i) {
            if (!requests.at(i).file.isEmpty()) {
                wanted.append(requests.at(i));
                where.append(i);
            }
        }
        const QList<QImage> images = loader->loadAll(wanted);
        for (qsizetype i = 0; i < where.size() && i < images.size(); ++i)
            decoded[where.at(i)] = images.at(i);
    }

    ActualPrintFromForm().item(QStringLiteral("Text1"))->text = main.SceneText;
    for (Sheet *single : {&ActualPrintFromForm(), &ActualPrintFromFormGRAPHICS()})
        setPrintPicture(*single->item(QStringLiteral("Image1")), main.BigPreview.file, decoded.at(0), main.BigPreview);
    ActualPrintFromFormTEXT().item(QStringLiteral("Text1"))->text = main.SceneText;

    Sheet &pictures = ActualPrintFormALLPICTURES();
    for (int i = 0; i < 9; ++i)
        setPrintPicture(*pictures.item(imageTestName(i)), main.Image1[i].picture.file, decoded.at(1 + i),
                        main.Image1[i].picture);
    for (int i = 0; i < 9; ++i)
        pictures.item(QStringLiteral("SceneLabel"), i)->text = main.SceneLabel[i];

    fillScriptRows(PageStartScene(main.SceneLabel[0], RichTextBox1), list);
}

int PrintSheets::PageStartScene(const QString &firstLabel, board::WorkBuffer &RichTextBox1)
{
    RichTextBox1.setText(firstLabel);
    RichTextBox1.setSelStart(0);
    RichTextBox1.Span(u':', board::WorkBuffer::Direction::Forward);
    RichTextBox1.setSelText(QString());
    if (RichTextBox1.Find(QStringLiteral(":")))
        RichTextBox1.setSelText(QString());
    return board::Variant(RichTextBox1.Text()).toInt();
}

void PrintSheets::fillScriptRows(int start, board::ScriptListAccess &list)
{
    // A page start the list does not reach (a short script file was loaded):
    // nothing to show, and nothing selected.
    if (start < 0 || start >= list.entryCount()) {
        for (int r = 0; r <= 8; ++r)
            setRow(r, QString());
        return;
    }
    int k = 0;
    list.selectEntry(start);
    for (int r = 0; r <= 8; ++r) {
        setRow(r, list.selectedEntryText());
        if (list.selectedIndex() + 1 < list.entryCount()) {
            list.selectEntry(list.selectedIndex() + 1);
            k = k + 1;
        }
    }
    for (int r = k + 1; r <= 8; ++r)
        setRow(r, QString());
}

QList<PictureLoader::Request> PrintSheets::pageRequests(const BoardSnapshot &board, int page)
{
    QList<PictureLoader::Request> requests;
    for (qsizetype scene = 9 * (page - 1); scene >= 0 && scene < qMin<qsizetype>(9 * page, board.pictures.size()); ++scene)
        requests.append({board.pictures.at(scene), kGridPixels, PictureLoader::Use::Print});
    return requests;
}

void PrintSheets::fillPage(const BoardSnapshot &board, int page, const QList<QImage> &decoded)
{
    Sheet &pictures = ActualPrintFormALLPICTURES();
    const int first = 9 * (page - 1); // scene index of grid position 0
    for (int i = 0; i < 9; ++i) {
        // Past the last scene a box keeps the blank picture the page turn put there.
        const bool scene = first + i < board.pictures.size();
        setPrintPicture(*pictures.item(imageTestName(i)), scene ? board.pictures.at(first + i) : QString(),
                        decoded.value(i), blankPicture());
        pictures.item(QStringLiteral("SceneLabel"), i)->text = board::SceneBoard::sceneLabel(first + i + 1);
    }
    fillScriptRows(first + 1, board.entries);
}

void PrintSheets::fillScriptRows(int start, const QStringList &entries)
{
    for (int r = 0; r <= 8; ++r)
        setRow(r, start >= 0 ? entries.value(start + r) : QString());
}

void PrintSheets::setRow(int row, const QString &rowText)
{
    ActualPrintFormALLSCRIPT().item(QStringLiteral("Text1"), row)->text = rowText;
    ActualPrintFormALLPICTURES().item(QStringLiteral("Text1"), row)->text = rowText;
}
