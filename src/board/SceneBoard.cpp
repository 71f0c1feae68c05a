#include "board/SceneBoard.h"

#include "board/ScriptListAccess.h"
#include "interfaces/Dialogs.h"
#include "interfaces/PictureLoader.h"
#include "resources/StoredBitmaps.h"
#include "resources/Texts.h"

#include <algorithm>
#include <exception>

namespace board {

namespace {
using Dir = WorkBuffer::Direction;

using texts::text;

// The label caption for a scene number: "Sc:" and the number, no blank.
QString labelFor(const Variant &number)
{
    return text(texts::kLabelPrefix) + number.toText();
}

// TakeFileName's cut: the item's base name, its first "." and up to three
// characters after it. The rest of the item stays in the buffer.
QString cutFileName(WorkBuffer &item)
{
    QString name;
    item.setSelStart(0);
    item.Span(u'.', Dir::Forward);
    name += item.SelText();
    item.setSelText(QString());
    // Selects the "." and up to three characters after it: characters, not
    // UTF-16 units, so a character outside the BMP is never cut in half.
    item.Find(QStringLiteral("."));
    const QString text = item.Text();
    qsizetype end = item.SelStart() + item.SelLength();
    for (int taken = 0; taken < 3 && end < text.size(); ++taken)
        end += (text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate()) ? 2 : 1;
    item.setSelLength(end - item.SelStart());
    name += item.SelText();
    item.setSelText(QString());
    return name;
}
} // namespace

SceneBoard::SceneBoard(Services services, BoardHost &host)
    : m_services(services)
    , m_host(host)
{
    // Design state of the controls, before the load step runs.
    SceneLabel.fill(text(texts::kEmptyLabel));
    FrameTotal = text(texts::kTotalDesign);
    PageCurrent = text(texts::kPageDesign);
    FatViewSceneLabel = text(texts::kNoView);
    SceneText = text(texts::kNoScript);
}

void SceneBoard::Form_Load()
{
    FallbackShown = 0;
    setSceneMenusEnabled(false);
    OptionOn = 5;
    Image1ToolTip.fill(text(texts::kJumpToScene));
    AlertsAreOn = true;
    BordersAreOn = true;
    RichTextBox6.Left = kParked;
    TipsAreOn = true;
    restartValues();
    m_host.boardChanged();
}

// Shared by the load step and every board reset.
void SceneBoard::restartValues()
{
    FirstScript = true;
    GoShowOpenDialog = false;
    TempPicHolder = storedPicture(2000);
    BigPreview = TempPicHolder;
    RichTextBox5.Left = Text1.Left = RichTextBox4.Left = RichTextBox2.Left = RichTextBox1.Left = kParked;
    Amounted = 1;
    Weirdo = true;
}

void SceneBoard::setSceneMenusEnabled(bool enabled)
{
    sPrintEnabled = sScriptEditorEnabled = sPositionEnabled = enabled;
}

void SceneBoard::setPageButton(PageButton &button, bool enabled, ColourWord colour)
{
    button.enabled = enabled;
    button.colour = colour;
}

void SceneBoard::showMessage(const char *message, const QString &why)
{
    // The pointer is always back to normal before a message box.
    m_services.pointer->setBusy(false);
    m_host.boardChanged();
    m_services.messages->show(m_services.owner, texts::withReason(message, why));
}

// --- Loading -------------------------------------------------------------

void SceneBoard::BeginBoard()
{
    if (!GoSmall)
        return;
    Zen = 9;
    Command4.enabled = false;
    Command5.enabled = false;
    Bad = true;
    n = -1;
    InsertionPoint = 0;
    DaCounter = 0;
    FirstTime = true;
    FirstStep();
}

void SceneBoard::FirstStep()
{
    n = -1;
    LoadPictures(m_services.pictures->openPictures(m_services.owner, text(texts::kOpenPicturesTitle),
                                                   text(texts::kPictureFilter), kLongestResult));
}

void SceneBoard::LoadPictures(const DialogResult &result)
{
    if (result.failed) {
        // The dialog itself failed (a result longer than it may give, say):
        // the board it would have replaced is untouched.
        showMessage(texts::kLoadError);
        return;
    }
    m_services.pointer->setBusy(true);
    if (result.fileName.isEmpty()) {
        m_services.pointer->setBusy(false);
        m_host.boardChanged();
        return;
    }
    try {
        ClearBoard();
        RichTextBox1.setText(result.fileName);
        m_chosenPictures = result.fileName;
        setSceneMenusEnabled(true);
        m_host.discardScriptEditor();
        CountSpaces();
    } catch (const std::exception &) {
        showMessage(texts::kLoadError);
        return;
    }
    m_host.boardChanged();
}

void SceneBoard::ClearBoard()
{
    for (WorkBuffer *buffer : {&RichTextBox1, &RichTextBox2, &RichTextBox3, &RichTextBox4, &RichTextBox5})
        buffer->setText(QString());
    for (WorkBuffer *buffer : {&Text1, &Text2, &Text3, &Text4})
        buffer->setText(QString());
    d = 0;
    n = InsertionPoint = Zen = DaCounter = CountItUp = Amounted = labelnumber = 0;
    Weirdo = true;
    ResetBoard();
}

void SceneBoard::ResetBoard()
{
    FallbackShown = 0;
    restartValues();
    GoSmall = false;
    Zen = 9;
    setPageButton(Command4, false, colours::kGrey);
    setPageButton(Command5, false, colours::kGrey);
    Bad = true;
    n = -1;
    InsertionPoint = 0;
    DaCounter = 0;
    FirstTime = true;
    NoMore = false;
}

int SceneBoard::countInto(WorkBuffer &RichTextBox4, const QString &dialogText)
{
    int count = 0;
    RichTextBox4.setText(RichTextBox4.Text() + dialogText + QStringLiteral("++.++"));
    RichTextBox4.Find(QStringLiteral("++.++"));
    RichTextBox4.setSelText(QString());

    // The last item counts as one image whatever its extension.
    RichTextBox4.Span(u'.', Dir::Backward);
    ++count;
    RichTextBox4.setSelText(QString());

    // Each pass removes and counts one extension, in any letter case: first
    // a ".bmp", else a ".jpg", else a ".gif", wherever it stands in the text.
    static const QString extensions[] = {QStringLiteral(".BMP"), QStringLiteral(".JPG"), QStringLiteral(".GIF")};
    for (int pass = 0; pass < kMaxImages; ++pass) {
        bool found = false;
        for (const QString &extension : extensions) {
            if (RichTextBox4.Find(extension)) {
                found = true;
                break;
            }
        }
        if (!found)
            break; // every later pass would find nothing either
        RichTextBox4.setSelText(QString());
        ++count;
    }
    return count;
}

int SceneBoard::countImages(const QString &dialogText)
{
    WorkBuffer scratch;
    return countInto(scratch, dialogText);
}

void SceneBoard::CountSpaces()
{
    CountItUp = countInto(RichTextBox4, RichTextBox1.Text());
    // Told once an extension was counted past the last item.
    if (CountItUp.toInt() > 1) {
        Text2.setText(CountItUp.toText());
        FrameTotal = text(texts::kTotalPrefix) + Text2.Text();
    }
    m_services.pointer->setBusy(false);

    const int count = CountItUp.toInt();
    if (count < kMinImages) {
        showMessage(texts::kTooFew);
        setSceneMenusEnabled(false);
        Weirdo = false;
    }
    if (count >= kMinImages && count <= kMaxImages) {
        PageCurrent = text(texts::kPagePrefix) + QStringLiteral("1");
        Command1Enabled = Command2Enabled = true;
        setSceneMenusEnabled(true);
        ShowFirstPage();
    }
    if (count > kMaxImages)
        showMessage(texts::kTooMany);
}

// --- Page display --------------------------------------------------------

void SceneBoard::ShowFirstPage()
{
    labelnumber = 0;
    for (QString &label : SceneLabel) {
        labelnumber = labelnumber.toInt() + 1;
        label = labelFor(labelnumber);
    }
    if (CountItUp.toInt() > 9)
        setPageButton(Command4, true, colours::kWhite);
    else
        setPageButton(Command4, false, colours::kGrey);
    RichTextBox1.setSelStart(0);
    RichTextBox1.Span(u' ', Dir::Forward);
    Text1.setText(RichTextBox1.SelText());
    RichTextBox1.setSelText(QString());
    ShowPage();
}

void SceneBoard::ShowPage()
{
    m_queued.clear();
    for (int slot = 1; slot <= Zen.toInt(); ++slot) {
        Bad = true;
        StripLeadingSpace();
        if (FirstTime.toBool()) {
            RichTextBox3.setText(RichTextBox3.Text() + RichTextBox1.Text() + QStringLiteral(" +++.+++"));
            FirstTime = false;
        }
        SkipToPage();
        RichTextBox1.setSelStart(0);
        RichTextBox1.Span(u' ', Dir::Forward);
        RichTextBox2.setText(RichTextBox1.SelText());
        RichTextBox1.setSelText(QString());
        TakeFileName();
        LoadSceneBox();
    }
    if (m_decodePage) {
        lookAhead();
        loadQueuedPictures();
    }
    RichTextBox1.setText(RichTextBox3.Text());
    InsertionPoint = DaCounter;
}

QString SceneBoard::pathOf(const QString &folder, const QString &name)
{
    // Directory and name are joined with "/", the separator of this platform.
    return folder + u'/' + name;
}

QStringList SceneBoard::picturesOf(const QString &folder, const QStringList &items)
{
    QStringList pictures;
    for (const QString &listed : items) {
        WorkBuffer item;
        item.setText(listed);
        const QString name = cutFileName(item);
        if (name == QLatin1String(texts::kEndMarker))
            break;
        pictures << pathOf(folder, name);
    }
    return pictures;
}

QStringList SceneBoard::scenePictures() const
{
    return picturesOf(Text1.Text(), RichTextBox3.Text().split(u' ', Qt::SkipEmptyParts));
}

QStringList SceneBoard::scenePictures(const QString &dialogText)
{
    QStringList items = dialogText.split(u' ', Qt::SkipEmptyParts);
    const QString folder = items.isEmpty() ? QString() : items.takeFirst();
    return picturesOf(folder, items);
}

QString SceneBoard::sceneLabel(int scene)
{
    return labelFor(scene);
}

void SceneBoard::lookAhead()
{
    // The page about to be shown and the pages either side, next first: the
    // loader keeps this page's pictures and may decode the others while the
    // user looks at it. It still reads a file again at its display when the
    // file has changed since.
    QList<PictureLoader::Request> keep;
    if (Weirdo.toBool() && Zen.toInt() == 9) {
        const QStringList pictures = scenePictures();
        const QSize bound = m_host.sceneBoxPixels();
        const qsizetype page = DaCounter.toInt();
        for (const qsizetype p : {page, page + 1, page - 1}) {
            for (qsizetype i = qMax<qsizetype>(0, 9 * p); p >= 0 && i < qMin(9 * p + 9, pictures.size()); ++i)
                keep.append({pictures.at(i), bound});
        }
    }
    m_services.loader->lookAhead(keep);
}

void SceneBoard::StripLeadingSpace()
{
    RichTextBox1.setSelStart(0);
    RichTextBox1.setSelLength(1);
    if (RichTextBox1.SelText() == QLatin1String(" "))
        RichTextBox1.setSelText(QString());
    Bad = false;
}

void SceneBoard::SkipToPage()
{
    const int k = InsertionPoint.toInt();
    if (k == 0) {
        if (CountItUp.toInt() > 9 && Amounted.toInt() == 1)
            Command4.enabled = true;
        return;
    }
    if (k < 1 || k > 60)
        return;
    if (CountItUp.toInt() == 9 * (k + 1) && Amounted.toInt() == k + 1)
        setPageButton(Command4, false, k >= 59 ? colours::kLightRed : colours::kGrey);
    for (int i = 0; i < 9 * k; ++i) {
        Bad = true;
        StripLeadingSpace();
        RichTextBox1.setSelStart(0);
        RichTextBox1.Span(u' ', Dir::Forward);
        RichTextBox1.setSelText(QString());
    }
    Bad = true;
    StripLeadingSpace();
    InsertionPoint = 0;
}

void SceneBoard::TakeFileName()
{
    Text3.setText(cutFileName(RichTextBox2));
    if (Text3.Text() == QLatin1String(texts::kEndMarker)) {
        setPageButton(Command4, false, colours::kGrey);
        NoMore = true;
    }
}

void SceneBoard::LoadSceneBox()
{
    if (NoMore.toBool())
        return;
    StringKnown = pathOf(Text1.Text(), Text3.Text());
    n = n.toInt() + 1;
    if (n.toInt() == 9)
        n = 0;
    if (Zen.toInt() != 9)
        return;
    const int box = n.toInt();
    Image1[box].visible = true;
    if (Weirdo.toBool())
        m_queued.append({box, StringKnown.toText()}); // decoded with the rest of the page
    else
        missingPicture(box, {});
}

void SceneBoard::loadQueuedPictures()
{
    if (m_queued.isEmpty())
        return;
    QList<PictureLoader::Request> requests;
    requests.reserve(m_queued.size());
    const QSize bound = m_host.sceneBoxPixels();
    for (const QueuedPicture &queued : std::as_const(m_queued))
        requests.append({queued.file, bound});
    const QList<QImage> images = m_services.loader->loadAll(requests);
    for (qsizetype i = 0; i < m_queued.size(); ++i) {
        const QueuedPicture &queued = m_queued.at(i);
        if (i < images.size() && !images.at(i).isNull())
            Image1[queued.box].picture = Picture{images.at(i), queued.file, 0};
        else
            missingPicture(queued.box, queued.file);
    }
    m_queued.clear();
}

void SceneBoard::missingPicture(int box, const QString &file)
{
    Image1[box].picture = storedPicture(101);
    if (FallbackShown == 0) {
        // The message comes once a board, with why the first such file gave no picture.
        showMessage(texts::kMissingPicture, m_services.loader->whyNotLine(file));
        FallbackShown = -1;
    }
}

void SceneBoard::CloseScene()
{
    TempPicHolder = storedPicture(2000);
    BigPreview = TempPicHolder;
    m_host.boardChanged();
}

// --- Scene selection -----------------------------------------------------

Picture atSize(PictureLoader &loader, const Picture &shown, QSize bound)
{
    if (shown.file.isEmpty())
        return shown;
    const QImage image = loader.load(shown.file, bound);
    return image.isNull() ? storedPicture(101) : Picture{image, shown.file, 0};
}

void SceneBoard::SelectPosition(int p, ScriptListAccess &list)
{
    // The preview decodes the scene's file again at its own size, so it is
    // sharp rather than an enlarged thumbnail. A file gone since the page was
    // shown gives the blank scene picture, without a second message.
    BigPreview = atSize(*m_services.loader, Image1[p].picture, m_host.previewPixels());
    d = p;
    FatViewSceneLabel = text(texts::kCurrentViewPrefix) + SceneLabel[p];
    RichTextBox6.setText(SceneLabel[p]);
    ShowSceneScript(list);
    m_host.boardChanged();
}

void SceneBoard::ShowSceneScript(ScriptListAccess &list)
{
    RichTextBox6.setSelStart(0);
    RichTextBox6.Span(u':', Dir::Forward);
    RichTextBox6.setSelText(QString());
    if (RichTextBox6.Find(QStringLiteral(":")))
        RichTextBox6.setSelText(QString());
    const int count = list.entryCount();
    // Before the first board the labels read "Sc: -empty-": no number, so the
    // script box keeps what it shows.
    const Variant number(RichTextBox6.Text());
    if (!number.isNumeric() || RichTextBox6.Text().trimmed().isEmpty())
        return;
    const double scene = number.toNumber();
    if (scene < count && scene >= 0) {
        list.selectEntry(int(scene));
        SceneText = list.selectedEntryText();
    }
}

void SceneBoard::LastScene(ScriptListAccess &list)
{
    int p = d.toInt() - 1;
    if (p == -1)
        p = 0;
    SelectPosition(std::clamp(p, 0, 8), list);
}

void SceneBoard::NextScene(ScriptListAccess &list)
{
    int p = d.toInt() + 1;
    if (p == 9)
        p = 8;
    SelectPosition(std::clamp(p, 0, 8), list);
}

// --- Paging --------------------------------------------------------------

void SceneBoard::Command4_Click()
{
    if (!hasBoard())
        return; // no board shown yet: nothing to page through
    d = 0;
    MoveUp();
    m_host.boardChanged();
}

// A page at a time, as the page buttons turn them, so every caption and
// button state is theirs; only the page it stops at reads its pictures.
void SceneBoard::GoToPage(int page)
{
    while (hasBoard() && Amounted.toInt() != page) {
        const bool forward = page > Amounted.toInt();
        if (!(forward ? Command4 : Command5).enabled)
            break;
        m_decodePage = Amounted.toInt() + (forward ? 1 : -1) == page;
        forward ? Command4_Click() : Command5_Click();
    }
    m_decodePage = true;
}

void SceneBoard::MoveUp()
{
    RichTextBox5.setText(SceneLabel[8]);
    RichTextBox5.setSelStart(0);
    RichTextBox5.setSelLength(3);
    RichTextBox5.setSelText(QString());
    labelnumber = RichTextBox5.Text();
    Amounted = Amounted.toInt() + 1;
    Text4.setText(Amounted.toText());
    PageCurrent = text(texts::kPagePrefix) + Text4.Text();
    setPageButton(Command5, true, colours::kWhite);
    for (QString &label : SceneLabel) {
        labelnumber = labelnumber.toInt() + 1;
        label = labelFor(labelnumber);
    }
    InsertionPoint = InsertionPoint.toInt() + 1;
    n = -1;
    DaCounter = DaCounter.toInt() + 1;
    Text3.setText(QString());
    for (SceneBox &box : Image1)
        box.picture = storedPicture(101);
    ShowPage();
}

void SceneBoard::Command5_Click()
{
    if (!hasBoard())
        return;
    d = 0;
    RichTextBox5.setText(SceneLabel[0]);
    RichTextBox5.setSelStart(0);
    RichTextBox5.setSelLength(3);
    RichTextBox5.setSelText(QString());
    labelnumber = RichTextBox5.Text();
    for (int i = 8; i >= 0; --i) {
        labelnumber = labelnumber.toInt() - 1;
        SceneLabel[i] = labelFor(labelnumber);
    }
    Amounted = Amounted.toInt() - 1;
    Text4.setText(Amounted.toText());
    PageCurrent = text(texts::kPagePrefix) + Text4.Text();
    NoMore = false;
    setPageButton(Command4, true, colours::kWhite);
    InsertionPoint = InsertionPoint.toInt() - 1;
    DaCounter = DaCounter.toInt() - 1;
    if (DaCounter.toInt() < 0)
        DaCounter = 0;
    if (InsertionPoint.toInt() <= 0) {
        InsertionPoint = 0;
        setPageButton(Command5, false, colours::kGrey);
    }
    n = -1;
    Text3.setText(QString());
    ShowPage();
    m_host.boardChanged();
}

} // namespace board
