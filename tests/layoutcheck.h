#pragma once

// Checks a fixed-layout window: every control lies inside the window, no two
// overlap, and every caption fits its control, at whatever scale it runs.

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWidget>

inline void verifyLayoutFits(const QWidget *window)
{
    QList<const QWidget *> controls;
    for (const QObject *child : window->children())
        if (auto *control = qobject_cast<const QWidget *>(child); control && !control->isWindow())
            controls << control;
    QVERIFY(controls.size() > 1);

    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget *control = controls[i];
        QVERIFY2(window->rect().contains(control->geometry()), qPrintable(control->objectName()));
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            QVERIFY2(!control->geometry().intersects(controls[j]->geometry()),
                     qPrintable(control->objectName() + " / " + controls[j]->objectName()));

        QString caption;
        if (auto *button = qobject_cast<const QAbstractButton *>(control))
            caption = button->text();
        else if (auto *label = qobject_cast<const QLabel *>(control))
            caption = label->text();
        if (caption.isEmpty())
            continue;
        // A button draws its caption inside its frame: measure against that.
        QRect room = control->rect();
        if (qobject_cast<const QAbstractButton *>(control)) {
            QStyleOptionButton option;
            option.initFrom(control);
            room = control->style()->subElementRect(QStyle::SE_PushButtonContents, &option, control);
        }
        const QFontMetrics metrics(control->font());
        QVERIFY2(metrics.boundingRect(caption).width() <= room.width(), qPrintable(caption));
        QVERIFY2(metrics.height() <= room.height(), qPrintable(caption));
    }
}
