#include "widgets/Accessible.h"

#include "widgets/ImageBox.h"

#include <QAccessibleWidget>

namespace {

class ImageBoxAccessible : public QAccessibleWidget
{
public:
    explicit ImageBoxAccessible(ImageBox *box)
        : QAccessibleWidget(box)
    {
    }

    ImageBox *box() const { return static_cast<ImageBox *>(widget()); }

    // Asked each time: a box becomes pressable once its click is connected.
    QAccessible::Role role() const override
    {
        return box()->isPressable() ? QAccessible::Button : QAccessible::Graphic;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = box()->isSelectable();
        state.selected = box()->isSelected();
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (box()->isPressable() && box()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction() && box()->isPressable() && box()->isEnabled())
            Q_EMIT box()->clicked();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

constexpr char kAnnouncement[] = "announcement";

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("QWidget") && widget->objectName() == QLatin1String(kAnnouncement))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    if (auto *box = qobject_cast<ImageBox *>(widget); box && className == QLatin1String("ImageBox"))
        return new ImageBoxAccessible(box);
    // Qt's own window classes (dialogs, main windows, menus) say what they are already.
    const Qt::WindowType type = widget->windowType();
    if ((type == Qt::Window || type == Qt::Dialog || type == Qt::Tool)
        && widget->metaObject()->superClass() == &QWidget::staticMetaObject
        && className == QLatin1String(widget->metaObject()->className()))
        return new QAccessibleWidget(widget, widget->parentWidget() ? QAccessible::Dialog : QAccessible::Window);
    return nullptr;
}

} // namespace

namespace accessible {

void install()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(factory);
    installed = true;
}

void announce(QWidget *window, const QString &text)
{
    // A new notification each time: a screen reader that keeps what it read
    // of an object would read the old text again.
    delete window->findChild<QWidget *>(QLatin1String(kAnnouncement), Qt::FindDirectChildrenOnly);
    auto *notice = new QWidget(window);
    notice->setObjectName(QLatin1String(kAnnouncement));
    notice->setAccessibleName(text);
    notice->setGeometry(0, 0, 0, 0);
    // It is read out as it comes on screen.
    notice->show();
}

} // namespace accessible
