#pragma once

#include <QMessageBox>

// A warning over the main window about the file the user chose or has on
// show. It doesn't hold up the program: the handler that found the failure
// runs to its end, and the warning waits on its own. Its text can be
// selected, so the path in it can be copied. Once answered it goes away.
class Warning : public QMessageBox {
    Q_OBJECT
public:
    Warning(const QString &title, const QString &text, QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};
