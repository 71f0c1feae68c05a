#pragma once

#include <QPlainTextEdit>

// The Script Editor's editing box. "~" separates the entries of a script
// file, so it never gets in: the "~" key deletes instead of typing, and
// pasted, dropped or composed text loses its "~". At most 300 characters
// get in by the user; the window itself may put in longer entry texts.
class EditBay : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit EditBay(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // How many characters the user may still add in place of the selection.
    qsizetype room() const;
};
