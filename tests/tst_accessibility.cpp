// What a screen reader is told about both windows' controls.

#include "fopen.h"
#include "form1.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void everyControlHasADutchName_data();
    void everyControlHasADutchName();
};

void TestAccessibility::everyControlHasADutchName_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<QStringList>("needDescription");   // the caption alone doesn't say what they do

    QTest::newRow("main window") << "Form1"
        << QStringList{"Bopen", "Command1", "Bvolgende", "Bvorige", "Laantal250", "Tbestand", "Tasc", "Ttekst"}
        << QStringList{"Command1", "Bvolgende", "Bvorige", "Laantal250"};
    QTest::newRow("chooser") << "fOpen" << QStringList{"Drive1", "Dir1", "File1", "bOK", "bCancel"}
                             << QStringList{"bOK", "Dir1"};
}

void TestAccessibility::everyControlHasADutchName()
{
    QFETCH(QString, window);
    QFETCH(QStringList, controls);
    QFETCH(QStringList, needDescription);
    std::unique_ptr<QWidget> shown;
    if (window == QLatin1String("Form1"))
        shown = std::make_unique<Form1>();
    else
        shown = std::make_unique<fOpen>();
    shown->show();

    QStringList spoken;
    for (const QString &name : controls) {
        auto *control = shown->findChild<QWidget *>(name);
        QVERIFY2(control, qPrintable(name));
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
        QVERIFY(face && face->isValid());
        const QString spokenName = face->text(QAccessible::Name);
        QVERIFY2(!spokenName.isEmpty() && spokenName != name, qPrintable(name));
        if (needDescription.contains(name))
            QVERIFY2(face->text(QAccessible::Description).size() > spokenName.size(), qPrintable(name));
        spoken << spokenName;
    }
    // Each control can be told apart by its name alone.
    QCOMPARE(QSet<QString>(spoken.begin(), spoken.end()).size(), spoken.size());
    // The chooser's "Cancel" is spoken in Dutch like everything else.
    if (window == QLatin1String("fOpen"))
        QCOMPARE(QAccessible::queryAccessibleInterface(shown->findChild<QWidget *>("bCancel"))->text(QAccessible::Name),
                 QStringLiteral("Annuleren"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
