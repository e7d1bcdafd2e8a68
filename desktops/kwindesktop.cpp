#include "kwindesktop.h"

#include "dbuscall.h"
#include "keychords.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString KWin = "org.kde.KWin", Scripting = "org.kde.kwin.Scripting";
const QString AnswerPath = "/KWinDesktop";

// The windows and the active one, in KWin 6's words or KWin 5's.
const QString Prelude = R"(
const windows = workspace.windowList ? workspace.windowList() : workspace.clientList();
const activeWindow = workspace.windowList ? workspace.activeWindow : workspace.activeClient;
)";

// Each window's caption, process, contents (its buffer: KWin draws the
// frames of Qt's windows) and whether it is the active one.
const QString ShownScript = R"(
const shown = [];
for (const window of windows) {
    const contents = window.bufferGeometry;
    shown.push({caption: window.caption, pid: window.pid, active: window === activeWindow,
                x: contents.x, y: contents.y, width: contents.width, height: contents.height});
}
answer(shown);
)";

const QString MoveScript = R"(
for (const window of windows) {
    if (window.pid === %1) {
        const frame = window.frameGeometry;
        window.frameGeometry = {x: %2, y: %3, width: frame.width, height: frame.height};
    }
}
answer(true);
)";

}   // namespace

KWinDesktop::KWinDesktop(const QString &program)
    : atSpi(program)
{
    QDBusConnection::sessionBus().registerObject(AnswerPath, this, QDBusConnection::ExportScriptableSlots);
}

QString KWinDesktop::unusable()
{
    if (const QString why = input.unusable(); !why.isEmpty())
        return why;
    return run("answer(true);").toBool() ? QString() : "KWin runs no scripts over D-Bus";
}

QList<KWinDesktop::Shown> KWinDesktop::shown()
{
    QList<Shown> found;
    for (const QJsonValue &value : run(ShownScript).toArray()) {
        const QJsonObject window = value.toObject();
        const auto at = [&](const char *key) { return qRound(window[key].toDouble()); };
        found.append({window["caption"].toString(), window["pid"].toInteger(),
                      QRect(at("x"), at("y"), at("width"), at("height")), window["active"].toBool()});
    }
    return found;
}

bool KWinDesktop::move(qint64 pid, QPoint to)
{
    return run(MoveScript.arg(pid).arg(to.x()).arg(to.y())).toBool();
}

QString KWinDesktop::activeWindow()
{
    for (const Shown &window : shown())
        if (window.active)
            for (const QString &candidate : windows("."))
                if (atSpi.title(candidate).simplified() == window.caption && atSpi.isActive(candidate))
                    return candidate;
    return {};
}

std::optional<QPoint> KWinDesktop::contents(const QString &window)
{
    const QString caption = atSpi.title(window).simplified();
    for (const Shown &candidate : shown())
        if (candidate.caption == caption)
            return candidate.contents.topLeft();
    return std::nullopt;
}

bool KWinDesktop::clickAt(QPoint place, int button)
{
    return input.moveTo(place) && input.button(button, true) && input.button(button, false);
}

bool KWinDesktop::keys(const QString &keys)
{
    return typeChords(keys, [&](const QString &key, bool pressed) { return input.key(key, pressed); });
}

void KWinDesktop::answer(const QString &json)
{
    const QJsonObject answer = QJsonDocument::fromJson(json.toUtf8()).object();
    if (answer["run"].toInt() == runs)
        answered = answer["value"];
}

// A script is loaded from a file under a name of its own, run, and unloaded
// once it has answered. Its answer comes as a call of answer() on this
// process's bus name.
QJsonValue KWinDesktop::run(const QString &script)
{
    const QString name = QString("bytekijker_%1").arg(++runs);
    QFile file(scripts.filePath(name + ".js"));
    const QString prelude =
        QString("function answer(value) { callDBus('%1', '%2', 'org.bytekijker.KWinDesktop', 'answer', "
                "JSON.stringify({run: %3, value: value})); }\n")
            .arg(QDBusConnection::sessionBus().baseService(), AnswerPath)
            .arg(runs);
    if (!file.open(QIODevice::WriteOnly) || file.write((prelude + Prelude + script).toUtf8()) < 0)
        return QJsonValue::Undefined;
    file.close();
    const QDBusConnection session = QDBusConnection::sessionBus();
    const QDBusMessage loaded = call(session, KWin, "/Scripting", Scripting, "loadScript", {file.fileName(), name});
    const int id = result(loaded).toInt();
    answered = QJsonValue::Undefined;
    // The loaded script's object: KWin 6 names it under /Scripting, KWin 5 by its number alone.
    const auto runScript = [&](const QString &path) {
        return call(session, KWin, path, "org.kde.kwin.Script", "run").type() == QDBusMessage::ReplyMessage;
    };
    if (loaded.type() == QDBusMessage::ReplyMessage && id >= 0
        && (runScript("/Scripting/Script" + QString::number(id)) || runScript("/" + QString::number(id))))
        for (QDeadlineTimer deadline(5000); answered.isUndefined() && !deadline.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    call(session, KWin, "/Scripting", Scripting, "unloadScript", {name});
    file.remove();
    return answered;
}
