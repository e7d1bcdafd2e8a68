#include "infotext.h"

#include "viewer/contact.h"

QString InfoText()
{
    const QString newLine = QStringLiteral("\r\n");
    const QString indent(11, QLatin1Char(' '));
    // A line of code for each line of the text.
    // clang-format off
    return QStringLiteral("Informatie over het programma") + newLine
        + newLine
        + QStringLiteral("Als je klikt op Bestand openen dan kun je een")
        + QStringLiteral(" bestand uitkiezen, en daarvan worden de eerste") + newLine
        + QStringLiteral("250 tekens getoond.") + newLine
        + QStringLiteral("Ze worden in ASC getoond in het onderste venster.")
        + QStringLiteral(" En de ASC-codes (decimaal) worden getoond in") + newLine
        + QStringLiteral("het bovenste venster.") + newLine
        + newLine
        + QStringLiteral("Klikt u op > dan worden de volgende 250 tekens getoond.") + newLine
        + QStringLiteral("Klikt u op < dan worden de vorige 250 tekens getoond.") + newLine
        + newLine
        + QStringLiteral("Het getal rechtsboven geeft aan het hoeveelste blokje")
        + QStringLiteral(" van 250 tekens te zien is.") + newLine
        + newLine
        + QStringLiteral("Voor meer informatie neem contakt op met") + newLine
        + indent + QString::fromUtf8(Contact::name) + newLine
        + indent + QString::fromUtf8(Contact::street) + newLine
        + indent + QString::fromUtf8(Contact::postcode) + QStringLiteral("  ") + QString::fromUtf8(Contact::town) + newLine
        + indent + QStringLiteral("tel. ") + QString::fromUtf8(Contact::phone);
    // clang-format on
}
