#include "qtdutch.h"

#include <QCoreApplication>
#include <cstring>

namespace {

struct Text {
    const char *context;
    const char *english;
    const char *dutch;
};

// By the class that asks for the text. An ampersand marks the letter that
// picks the entry with the keyboard; within one menu no two share a letter.
constexpr Text texts[] = {
    // The context menu of the path box (QLineEdit) and of the panes and a
    // message's text (QWidgetTextControl). The path box and a message's text
    // only show copying and selecting.
    {"QLineEdit", "&Undo", "&Ongedaan maken"},
    {"QLineEdit", "&Redo", "Opnieuw &uitvoeren"},
    {"QLineEdit", "Cu&t", "&Knippen"},
    {"QLineEdit", "&Copy", "Kop&iëren"},
    {"QLineEdit", "&Paste", "&Plakken"},
    {"QLineEdit", "Delete", "Verwijderen"},
    {"QLineEdit", "Select All", "Alles selecteren"},
    {"QWidgetTextControl", "&Undo", "&Ongedaan maken"},
    {"QWidgetTextControl", "&Redo", "Opnieuw &uitvoeren"},
    {"QWidgetTextControl", "Cu&t", "&Knippen"},
    {"QWidgetTextControl", "&Copy", "Kop&iëren"},
    {"QWidgetTextControl", "Copy &Link Location", "&Linkadres kopiëren"},
    {"QWidgetTextControl", "&Paste", "&Plakken"},
    {"QWidgetTextControl", "Delete", "Verwijderen"},
    {"QWidgetTextControl", "Select All", "Alles selecteren"},

    // The shortcuts beside those entries. Dutch keyboards name their keys as
    // English ones do.
    {"QShortcut", "Ctrl", "Ctrl"},
    {"QShortcut", "Shift", "Shift"},
    {"QShortcut", "Alt", "Alt"},
    {"QShortcut", "Meta", "Meta"},
    {"QShortcut", "Num", "Num"},
    {"QShortcut", "+", "+"},

    // The context menu of a scroll bar, upright or lying.
    {"QScrollBar", "Scroll here", "Hierheen schuiven"},
    {"QScrollBar", "Top", "Bovenkant"},
    {"QScrollBar", "Bottom", "Onderkant"},
    {"QScrollBar", "Left edge", "Linkerrand"},
    {"QScrollBar", "Right edge", "Rechterrand"},
    {"QScrollBar", "Page up", "Pagina omhoog"},
    {"QScrollBar", "Page down", "Pagina omlaag"},
    {"QScrollBar", "Page left", "Pagina naar links"},
    {"QScrollBar", "Page right", "Pagina naar rechts"},
    {"QScrollBar", "Scroll up", "Omhoog schuiven"},
    {"QScrollBar", "Scroll down", "Omlaag schuiven"},
    {"QScrollBar", "Scroll left", "Naar links schuiven"},
    {"QScrollBar", "Scroll right", "Naar rechts schuiven"},

    // A message's only button.
    {"QPlatformTheme", "OK", "OK"},

    // Added to an editable box's menu where a right-to-left input language
    // is installed: each entry the code's abbreviation, then what it does.
    {"QUnicodeControlCharacterMenu", "Insert Unicode control character", "Unicode-stuurteken invoegen"},
    {"QUnicodeControlCharacterMenu", "LRM Left-to-right mark", "LRM Markering links-naar-rechts"},
    {"QUnicodeControlCharacterMenu", "RLM Right-to-left mark", "RLM Markering rechts-naar-links"},
    {"QUnicodeControlCharacterMenu", "ZWJ Zero width joiner", "ZWJ Verbinder zonder breedte"},
    {"QUnicodeControlCharacterMenu", "ZWNJ Zero width non-joiner", "ZWNJ Scheider zonder breedte"},
    {"QUnicodeControlCharacterMenu", "ZWSP Zero width space", "ZWSP Spatie zonder breedte"},
    {"QUnicodeControlCharacterMenu", "LRE Start of left-to-right embedding",
     "LRE Begin van inbedding links-naar-rechts"},
    {"QUnicodeControlCharacterMenu", "RLE Start of right-to-left embedding",
     "RLE Begin van inbedding rechts-naar-links"},
    {"QUnicodeControlCharacterMenu", "LRO Start of left-to-right override", "LRO Begin van voorrang links-naar-rechts"},
    {"QUnicodeControlCharacterMenu", "RLO Start of right-to-left override", "RLO Begin van voorrang rechts-naar-links"},
    {"QUnicodeControlCharacterMenu", "PDF Pop directional formatting", "PDF Einde van richtingsopmaak"},
    {"QUnicodeControlCharacterMenu", "LRI Left-to-right isolate", "LRI Isolering links-naar-rechts"},
    {"QUnicodeControlCharacterMenu", "RLI Right-to-left isolate", "RLI Isolering rechts-naar-links"},
    {"QUnicodeControlCharacterMenu", "FSI First strong isolate", "FSI Isolering naar het eerste sterke teken"},
    {"QUnicodeControlCharacterMenu", "PDI Pop directional isolate", "PDI Einde van richtingsisolering"},
};

}   // namespace

// None of these texts has a disambiguation or a plural, so they are looked
// up by class and text alone.
QString QtDutch::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!context || !sourceText)
        return {};
    for (const Text &text : texts) {
        if (std::strcmp(text.context, context) == 0 && std::strcmp(text.english, sourceText) == 0)
            return QString::fromUtf8(text.dutch);
    }
    return {};
}

void useDutchForQt()
{
    QCoreApplication::installTranslator(new QtDutch(QCoreApplication::instance()));
}
