#pragma once

// The main window on the offscreen platform, as its tests see it: its
// controls by name, a file loaded as the chooser would choose it, and the
// block it should then show.

#include "app/startup.h"
#include "chooser/fopen.h"
#include "common/module1.h"
#include "testfiles.h"
#include "viewer/bytes/blocktext.h"
#include "viewer/form1.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

class Form1Test : public QObject {
protected:
    template<typename T = QWidget> T *control(const char *name) { return form->findChild<T *>(QLatin1String(name)); }
    QString codes() { return control<QPlainTextEdit>("Tasc")->toPlainText(); }
    QString text() { return control<QPlainTextEdit>("Ttekst")->toPlainText(); }
    QString label() { return control<QLabel>("Laantal250")->text(); }
    QString pathBox() { return control<QLineEdit>("Tbestand")->text(); }
    int messages() { return form->findChildren<QMessageBox *>().size(); }
    void click(const char *button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    void load(const QByteArray &path)
    {
        Module1::SelectedPath = nativePath(path);
        form->LoadSelectedFile();
    }

    // The label gives the block, and both panes show that block's bytes (the
    // text control hands a no-break space back as a plain one).
    void expectBlock(const QByteArray &file, int block)
    {
        const QByteArray bytes = file.mid((block - 1) * 250, 250);
        const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
        QCOMPARE(label(), QStringLiteral(" %1").arg(block));
        QCOMPARE(QAccessible::queryAccessibleInterface(control("Laantal250"))->text(QAccessible::Name),
                 QStringLiteral("Blok %1").arg(block));
        QCOMPARE(codes(), expectedCodes(bytes));
        QCOMPARE(text(), QString::fromStdU16String(blockText({data, std::size_t(bytes.size())}).text)
                             .replace(QChar(0xA0), QLatin1Char(' ')));
    }

    ScratchDir dir;
    const QByteArray folder = pathBytes(dir.path() + '/');
    std::unique_ptr<Form1> form;

    // A new choice made in the chooser: "OK" says so, and closing hands the
    // activation back.
    void chooseAgain()
    {
        click("Bopen");
        QTRY_VERIFY(qobject_cast<fOpen *>(QApplication::activeWindow()));
        emit qobject_cast<fOpen *>(QApplication::activeWindow())->chosen();
        QApplication::activeWindow()->close();
    }

    // A dark desktop theme (light text), in a folder of the test's own.
    void prepare()
    {
        prepareApplication();
        QApplication::setPalette(QPalette(QColor(53, 53, 53)));
        QVERIFY(QDir::setCurrent(dir.path()));   // where the chooser opens
        // Open to an ordinary user, as a folder of the user's own would be.
        std::filesystem::permissions(nativePath(folder), std::filesystem::perms(0755));
    }

    void openForm()
    {
        Module1::SelectedPath.clear();
        form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));   // the first activation, with nothing chosen
    }
};
