#pragma once

#include <QPlainTextEdit>

// The Script Editor's editing box. "~" separates the entries of a script
// file, so it never gets in: the "~" key deletes instead of typing, and
// pasted, dropped or composed text loses its "~". At most 300 characters
// get in by the user; the window itself may put in longer entry texts.
// Drops are text only (a dropped file gives nothing) and always a copy, so
// the drag's source never deletes what was dragged. Taking the focus while it
// shows a scene's "-empty-" marker, it selects it, so typing replaces it.
class EditBay : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit EditBay(QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // How many characters the user may still add in place of the selection.
    qsizetype room() const;
    // True (and the event ignored) for anything but text that may be copied.
    bool refuses(QDropEvent *event) const;
    static void asCopy(QDropEvent *event);
    // Selects the whole text when it is the "-empty-" marker.
    void selectMarker();

    bool m_focusedByClick = false;
};
