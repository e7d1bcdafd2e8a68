#include "warning.h"

#include "platform/closewait.h"

#include <QWindow>

Warning::Warning(const QString &title, const QString &text, QWidget *parent)
    : QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void Warning::showEvent(QShowEvent *event)
{
    windowHandle()->removeEventFilter(this);
    windowHandle()->installEventFilter(this);
    QMessageBox::showEvent(event);
}

// However it is answered (OK, Enter, Escape, its close control), its window
// is closed; on Wayland only once its last frame is done. A message box
// closes its window past its own close event, so the window's is watched.
bool Warning::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Close
        && putOffUntilLastFrameDone(this, [this] { windowHandle()->close(); })) {
        event->ignore();
        return true;
    }
    return QMessageBox::eventFilter(watched, event);
}
