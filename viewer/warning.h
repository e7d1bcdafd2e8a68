#pragma once

#include <QMessageBox>

// A warning over the main window about the file the user chose or has on
// show. It doesn't hold up the program: the handler that found the failure
// runs to its end, and the warning waits on its own. Its text can be
// selected, so the path in it can be copied. It goes away when answered.
class Warning : public QMessageBox {
    Q_OBJECT
public:
    Warning(const QString &title, const QString &text, QWidget *parent);

    void done(int result) override;
};
