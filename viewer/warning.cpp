#include "warning.h"

#include "lastframe.h"

Warning::Warning(const QString &title, const QString &text, QWidget *parent)
    : QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

// However it is answered (OK, Enter, Escape, its close control), the answer
// ends here; on Wayland it waits for the last frame first.
void Warning::done(int result)
{
    if (!putOffUntilLastFrameDone(this, [this, result] { done(result); }))
        QMessageBox::done(result);
}
