#include "view/Quorvadine.h"

#include "board/SceneBoard.h"
#include "interfaces/PictureLoader.h"
#include "resources/Colours.h"
#include "resources/Texts.h"
#include "widgets/ImageBox.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QKeyEvent>


namespace {
// Design sizes: the window's outer size and its image box, in twips.
constexpr int kOuterWidth = 6780, kOuterHeight = 6990;
constexpr int kImageWidth = 6700, kImageHeight = 6700;
} // namespace

Quorvadine::Quorvadine(PictureLoader &loader)
    : QWidget(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_loader(loader)
{
    setObjectName(QStringLiteral("Quorvadine"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("CloseUp"));
    palette::setBackground(this, colours::kGrey);
    Image1 = new ImageBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(texts::text(texts::kCloseUpName));
}

void Quorvadine::Form_Load(const board::SceneBoard &main)
{
    // A text comparison: "10240" sorts before "6000", "7000" after it.
    const QString half = main.Text5.Text();
    const QString medium = QStringLiteral("6000");
    int width = kOuterWidth, height = kOuterHeight;
    int imageWidth = kImageWidth, imageHeight = kImageHeight;
    if (half == medium) {
        width += 1600, imageWidth += 1600;
        height += 1200, imageHeight += 1200;
    } else if (half > medium) {
        width += 3000, imageWidth += 3000;
        height += 2600, imageHeight += 2600;
    }
    setFixedSize(twips::toPixels(width - kFrameWidth), twips::toPixels(height - kFrameHeight));
    Image1->setGeometry(twips::rect(0, 0, imageWidth, imageHeight));

    // The scene's own file at the close-up's size, not the preview enlarged.
    Image1->setPicture(board::atSize(m_loader, main.BigPreview, Image1->size() * devicePixelRatio()));
}

void Quorvadine::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
