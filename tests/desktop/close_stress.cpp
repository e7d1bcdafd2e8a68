// Closes the file chooser, or answers a warning, again and again just as its
// last frame is due, on whatever desktop it runs on, and counts the times
// Qt's Wayland client was caught freeing a window under its frame thread. Run
// on GNOME's Wayland:
//   desktops/with-gnome-wayland.sh build/tests/desktop/close_stress [cycles] [chooser|warning]
// Exits 1 when any was caught; a crash ends it sooner.

#include "app/startup.h"
#include "chooser/fopen.h"
#include "viewer/warning.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {

int caught = 0;

void countRaces(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (message.startsWith(QLatin1String("QMutex: destroying locked mutex"))
        || message.startsWith(QLatin1String("QWaitCondition")))
        ++caught;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

class Cycles : public QObject {
public:
    Cycles(int count, bool warnings)
        : left(count)
        , warnings(warnings)
    {
        QTimer::singleShot(0, this, &Cycles::open);
    }

private:
    // A new window, as each "Bestand openen" or each failure makes one.
    void open()
    {
        if (left-- == 0) {
            std::printf("%d cycles, %d caught\n", done, caught);
            QApplication::exit(caught ? 1 : 0);
            return;
        }
        if (warnings)
            window = new Warning(QStringLiteral("Bestand niet gelezen"), QStringLiteral("Een leesfout."), nullptr);
        else
            window = new fOpen;
        window->show();
        poll([this] { return window->windowHandle()->isExposed(); }, [this] { paintAndClose(); });
    }

    // A frame goes out; the close follows up to a frame and a half later,
    // as a key pressed right after a click does.
    void paintAndClose()
    {
        window->update();
        QTimer::singleShot(QRandomGenerator::global()->bounded(25), window, [this] {
            if (auto *warning = qobject_cast<Warning *>(window))
                warning->button(QMessageBox::Ok)->click();   // as the user answers it
            else
                window->close();
            poll([this] { return window.isNull(); },
                 [this] {
                     ++done;
                     open();
                 });
        });
    }

    void poll(const std::function<bool()> &ready, const std::function<void()> &then)
    {
        if (ready())
            then();
        else
            QTimer::singleShot(2, this, [this, ready, then] { poll(ready, then); });
    }

    QPointer<QWidget> window;
    int left;
    bool warnings;
    int done = 0;
};

}   // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(countRaces);
    QApplication app(argc, argv);
    prepareApplication();
    QApplication::setQuitOnLastWindowClosed(false);
    Cycles cycles(argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000,
                  argc > 2 && QLatin1String(argv[2]) == QLatin1String("warning"));
    return app.exec();
}
