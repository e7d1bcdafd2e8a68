#pragma once

#include <QTranslator>

// The texts Qt itself shows in the program, in Dutch, whatever the system's
// language: the text boxes' context menus (the path box, both panes, a
// message's selectable text), the scroll bars' context menus, the message
// boxes' button, the shortcut keys in those menus, and the menu of Unicode
// control characters that Qt adds to an editable box where a right-to-left
// input language is installed.
//
// The program's own translation, so that it depends on no translation
// package of the system and ships none. A text Qt shows that is not here
// stays as Qt has it; the tests open every menu and catch that.
class QtDutch : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation, int n) const override;
    bool isEmpty() const override { return false; }
};

// Installs the translation above for the application.
void useDutchForQt();
