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

// The file of a scene shown, decoded at the size of its box on paper.
Picture printPicture(const Picture &shown, const QImage &decoded)
{
    if (decoded.isNull())
        return shown;
    return Picture{decoded, shown.file, shown.resource};
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
    const QSize grid = sheetprint::picturePixels(QSize(sheets::kGridBox, sheets::kGridBox));
    // At 300 dpi: never a picture made from a progressive file's first scans.
    requests.append({main.BigPreview.file, single, PictureLoader::Use::Print});
    for (int i = 0; i < 9; ++i)
        requests.append({main.Image1[i].picture.file, grid, PictureLoader::Use::Print});
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

    const Picture preview = printPicture(main.BigPreview, decoded.at(0));
    ActualPrintFromForm().item(QStringLiteral("Text1"))->text = main.SceneText;
    ActualPrintFromForm().item(QStringLiteral("Image1"))->picture = preview;
    ActualPrintFromFormGRAPHICS().item(QStringLiteral("Image1"))->picture = preview;
    ActualPrintFromFormTEXT().item(QStringLiteral("Text1"))->text = main.SceneText;

    Sheet &pictures = ActualPrintFormALLPICTURES();
    for (int i = 0; i < 9; ++i)
        pictures.item(imageTestName(i))->picture = printPicture(main.Image1[i].picture, decoded.at(1 + i));
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

void PrintSheets::setRow(int row, const QString &rowText)
{
    ActualPrintFormALLSCRIPT().item(QStringLiteral("Text1"), row)->text = rowText;
    ActualPrintFormALLPICTURES().item(QStringLiteral("Text1"), row)->text = rowText;
}
