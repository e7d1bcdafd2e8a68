// The main window against a model of what it should show: thousands of random
// steps (loads of good and bad files, paging, the help text, files that grow
// or shrink underneath, messages about files that can't be opened), with
// everything visible compared after each one. When the two differ, the steps
// are shrunk to the shortest sequence found that still shows the difference.
//
// The seeds are fixed, so every run takes the same steps. For a longer run:
//   BYTEKIJKER_MODEL_STEPS=50000 ./tst_model          (steps per seed)
//   BYTEKIJKER_MODEL_SEED=12345 ./tst_model           (this seed only)

#include "form1.h"
#include "infotext.h"
#include "module1.h"
#include "pathtext.h"
#include "testfiles.h"
#include "viewermodel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <optional>
#include <random>
#include <sys/stat.h>

namespace {

using FileKind = ViewerModel::Kind;

struct SampleFile {
    const char *name;
    FileKind kind;
    int size;
};

// The files a session starts with; the good ones hold pattern bytes.
constexpr SampleFile Files[] = {
    {"empty.bin", FileKind::Regular, 0},
    {"one.bin", FileKind::Regular, 1},
    {"250.bin", FileKind::Regular, 250},
    {"251.bin", FileKind::Regular, 251},
    {"700.bin", FileKind::Regular, 700},
    {"32750.bin", FileKind::Regular, 32750},
    {"40000.bin", FileKind::Regular, 40000},
    {"missing.bin", FileKind::Missing, 0},
    {"folder", FileKind::Directory, 0},
    {"fifo", FileKind::Fifo, 0},
};
constexpr int FileCount = int(std::size(Files));
constexpr int GoodFileCount = 7;

struct Step {
    enum Kind {
        Load,               // choose Files[amount] in the chooser; it closes and the window is activated
        Next,               // ">" clicked `amount` times
        Previous,           // "<" clicked `amount` times
        Info,
        Cancel,             // Cancel in the chooser; it closes and the window is activated
        OtherApplication,   // away to another program and back
        Reactivate,         // back from another window of this program, same choice
        Grow,               // `amount` bytes appended to the file on show
        Shrink,             // `amount` bytes cut off the end of the file on show
        CloseMessage,       // OK in the message; the window is activated
    };
    Kind kind = Next;
    int amount = 1;
    std::uint32_t seed = 0;   // Grow: which bytes are appended
};

bool hasAmount(const Step &step)
{
    return step.kind == Step::Next || step.kind == Step::Previous
        || step.kind == Step::Grow || step.kind == Step::Shrink;
}

QString describe(const Step &step)
{
    const auto times = [&](const char *button) {
        return step.amount == 1 ? QString::fromLatin1(button)
                                : QStringLiteral("%1 ×%2").arg(QLatin1String(button)).arg(step.amount);
    };
    switch (step.kind) {
    case Step::Load: return QStringLiteral("load %1").arg(QLatin1String(Files[step.amount].name));
    case Step::Next: return times(">");
    case Step::Previous: return times("<");
    case Step::Info: return QStringLiteral("Info");
    case Step::Cancel: return QStringLiteral("Cancel in the chooser");
    case Step::OtherApplication: return QStringLiteral("away to another application and back");
    case Step::Reactivate: return QStringLiteral("back from another window of the program");
    case Step::Grow: return QStringLiteral("grow by %1").arg(step.amount);
    case Step::Shrink: return QStringLiteral("shrink by %1").arg(step.amount);
    case Step::CloseMessage: return QStringLiteral("close the message");
    }
    return {};
}

// Bytes to append: every value, CR and LF among them, from a seed of their own.
std::vector<std::uint8_t> grownBytes(std::uint32_t seed, int count)
{
    std::uint32_t state = seed * 2654435761u + 1;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    for (auto &byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = std::uint8_t(state >> 7);
    }
    return bytes;
}

std::string encoded(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// Where two texts part, for a short report.
QString whereTheyDiffer(const QString &window, const QString &model)
{
    qsizetype at = 0;
    while (at < window.size() && at < model.size() && window[at] == model[at])
        ++at;
    const auto excerpt = [at](const QString &text) {
        const qsizetype from = std::max<qsizetype>(0, at - 20);
        QString part = text.mid(from, 50);
        part.replace(QLatin1Char('\n'), QStringLiteral("⏎"));
        return QStringLiteral("%1\"%2\"%3").arg(from > 0 ? QStringLiteral("…") : QString(), part,
                                                 from + 50 < text.size() ? QStringLiteral("…") : QString());
    };
    return QStringLiteral("%1 and %2 characters, first difference at %3: window %4, model %5")
        .arg(window.size()).arg(model.size()).arg(at).arg(excerpt(window), excerpt(model));
}

// Counts the message boxes the program shows, whoever their parent is.
class MessageCounter : public QObject {
public:
    int shown = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox *>(watched))
            ++shown;
        return false;
    }
};

QList<QMessageBox *> visibleMessages()
{
    QList<QMessageBox *> boxes;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
            boxes.append(box);
    }
    return boxes;
}

void activate(QWindow *window)
{
    QWindowSystemInterface::handleWindowActivated(window);
    QCoreApplication::processEvents();
}

// A fresh window over fresh files, with the model beside it.
class Session {
public:
    Session();
    ~Session();

    // Takes the step on both sides; false when the window can't take it now
    // (a message is waiting, there is no message to close, no file is on show).
    bool take(const Step &step);

    // Empty while the window shows what the model says.
    QString difference() const { return firstDifference; }
    const ViewerModel &model() const { return viewer; }

private:
    template<typename T> T *control(const char *name) const
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    void click(const char *button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    void fromProgramWindow();
    void compare(const QString &when);

    QTemporaryDir dir;
    MessageCounter messages;
    ViewerModel viewer;
    std::unique_ptr<Form1> form;
    std::unique_ptr<QWidget> other;
    QString firstDifference;
};

std::u16string helpText()
{
    return InfoText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toStdU16String();
}

Session::Session()
    : viewer(helpText())
{
    if (!dir.isValid()) {
        firstDifference = QStringLiteral("no temporary folder");
        return;
    }
    for (const SampleFile &sample : Files) {
        const QString path = dir.filePath(QLatin1String(sample.name));
        bool made = true;
        std::vector<std::uint8_t> bytes;
        switch (sample.kind) {
        case FileKind::Regular: {
            const QByteArray pattern = patternBytes(0, sample.size);
            bytes.assign(pattern.begin(), pattern.end());
            made = writeFile(path, pattern);
            break;
        }
        case FileKind::Missing:
            break;
        case FileKind::Directory:
            made = QDir(dir.path()).mkdir(QLatin1String(sample.name));
            break;
        case FileKind::Fifo:
            made = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
            break;
        }
        if (!made) {
            firstDifference = QStringLiteral("could not make %1").arg(path);
            return;
        }
        viewer.addFile(encoded(path), sample.kind, std::move(bytes));
    }

    qApp->installEventFilter(&messages);
    Module1::SelectedPath.clear();
    form = std::make_unique<Form1>();
    other = std::make_unique<QWidget>();
    other->setWindowTitle(QStringLiteral("another window of the program"));
    form->show();
    other->show();
    // Back to the main window with nothing chosen yet: nothing to load.
    activate(form->windowHandle());
    viewer.activateFromProgramWindow();
    compare(QStringLiteral("at the start"));
}

Session::~Session()
{
    other.reset();
    form.reset();
    Module1::SelectedPath.clear();
}

// The chooser, or another window of the program, closes and hands the
// activation back to the main window.
void Session::fromProgramWindow()
{
    activate(other->windowHandle());
    activate(form->windowHandle());
}

bool Session::take(const Step &step)
{
    if (!form)
        return false;
    const bool waiting = viewer.visible().messageShowing;
    if (waiting && step.kind != Step::CloseMessage && step.kind != Step::OtherApplication
        && step.kind != Step::Grow && step.kind != Step::Shrink)
        return false;

    switch (step.kind) {
    case Step::Load: {
        const QString path = dir.filePath(QLatin1String(Files[step.amount].name));
        Module1::SelectedPath = pathFromText(path);
        fromProgramWindow();
        viewer.choose(encoded(path));
        viewer.activateFromProgramWindow();
        break;
    }
    case Step::Next:
    case Step::Previous:
        for (int i = 1; i <= step.amount; ++i) {
            if (step.kind == Step::Next) {
                click("Bvolgende");
                viewer.next();
            } else {
                click("Bvorige");
                viewer.previous();
            }
            if (i < step.amount)
                compare(QStringLiteral("after click %1 of %2").arg(i).arg(step.amount));
        }
        break;
    case Step::Info:
        click("Command1");
        viewer.info();
        break;
    case Step::Cancel:
        Module1::SelectedPath.clear();
        fromProgramWindow();
        viewer.choose({});
        viewer.activateFromProgramWindow();
        break;
    case Step::OtherApplication: {
        QWindow *back = QGuiApplication::focusWindow();
        activate(nullptr);
        activate(back ? back : form->windowHandle());
        viewer.activateFromOtherApplication();
        break;
    }
    case Step::Reactivate:
        fromProgramWindow();
        viewer.activateFromProgramWindow();
        break;
    case Step::Grow:
    case Step::Shrink: {
        const std::string onShow = viewer.fileOnShow();
        if (onShow.empty())
            return false;
        QFile file(QFile::decodeName(QByteArray::fromStdString(onShow)));
        if (step.kind == Step::Grow) {
            const std::vector<std::uint8_t> bytes = grownBytes(step.seed, step.amount);
            if (!file.open(QIODevice::Append)
                || file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size())) {
                firstDifference = QStringLiteral("could not append to %1").arg(file.fileName());
                return true;
            }
            file.close();
            viewer.append(onShow, bytes);
        } else {
            const std::size_t length = viewer.length(onShow);
            if (length == 0)
                return false;
            const std::size_t left = length - std::min(length, std::size_t(step.amount));
            if (!file.resize(qint64(left))) {
                firstDifference = QStringLiteral("could not shrink %1").arg(file.fileName());
                return true;
            }
            viewer.truncate(onShow, left);
        }
        break;
    }
    case Step::CloseMessage: {
        if (!waiting)
            return false;
        const QList<QMessageBox *> boxes = visibleMessages();
        if (boxes.isEmpty()) {
            firstDifference = QStringLiteral("no message to close");
            return true;
        }
        QMessageBox *box = boxes.first();
        activate(box->windowHandle());
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        activate(form->windowHandle());
        viewer.closeMessage();
        viewer.activateFromProgramWindow();
        break;
    }
    }
    compare({});
    return true;
}

void Session::compare(const QString &when)
{
    if (!firstDifference.isEmpty())
        return;
    const ViewerModel::Visible &expected = viewer.visible();
    QStringList differences;
    const auto check = [&](const char *what, const QString &window, const QString &model) {
        if (window != model) {
            differences << (window.size() + model.size() > 80
                                ? QStringLiteral("%1: %2").arg(QLatin1String(what), whereTheyDiffer(window, model))
                                : QStringLiteral("%1: window \"%2\", model \"%3\"").arg(QLatin1String(what), window, model));
        }
    };
    // The text controls hand a no-break space back as a plain one.
    const auto asControlGivesIt = [](const std::u16string &text) {
        return QString::fromStdU16String(text).replace(QChar(0xA0), QLatin1Char(' '));
    };
    check("code pane", control<QPlainTextEdit>("Tasc")->toPlainText(), asControlGivesIt(expected.codes));
    check("text pane", control<QPlainTextEdit>("Ttekst")->toPlainText(), asControlGivesIt(expected.text));
    check("path box", control<QLineEdit>("Tbestand")->text(), QFile::decodeName(QByteArray::fromStdString(expected.path)));
    check("label", control<QLabel>("Laantal250")->text(), QString::fromStdString(expected.label));

    const QList<QMessageBox *> boxes = visibleMessages();
    if (boxes.size() != (expected.messageShowing ? 1 : 0))
        differences << QStringLiteral("messages showing: window %1, model %2").arg(boxes.size()).arg(int(expected.messageShowing));
    if (messages.shown != expected.messagesShown)
        differences << QStringLiteral("messages shown so far: window %1, model %2").arg(messages.shown).arg(expected.messagesShown);
    if (boxes.size() == 1 && expected.messageShowing) {
        const QString path = QFile::decodeName(QByteArray::fromStdString(expected.messagePath));
        if (!boxes.first()->text().contains(path))
            differences << QStringLiteral("the message does not name %1: \"%2\"").arg(path, boxes.first()->text());
    }

    if (!differences.isEmpty())
        firstDifference = (when.isEmpty() ? QString() : when + QStringLiteral(": ")) + differences.join(QStringLiteral("; "));
}

struct Failure {
    int step = -1;   // the index of the step after which the two differed; -1: at the start
    QString difference;
};

// Takes the steps on a fresh window; `taken` says which ones could be taken.
std::optional<Failure> replay(const std::vector<Step> &steps, std::vector<bool> *taken = nullptr)
{
    Session session;
    if (!session.difference().isEmpty())
        return Failure{-1, session.difference()};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const bool took = session.take(steps[i]);
        if (taken)
            taken->push_back(took);
        if (!session.difference().isEmpty())
            return Failure{int(i), session.difference()};
    }
    return std::nullopt;
}

// Greedy: leave out runs of steps, long runs first, then single steps, then
// join clicks in a row and make counts and sizes smaller, for as long as the
// two still differ; each try is a replay from a fresh window.
std::vector<Step> shrink(std::vector<Step> steps, Failure &failure, int &replays)
{
    steps.resize(std::size_t(failure.step + 1));
    QElapsedTimer clock;
    clock.start();
    const auto outOfTime = [&] { return clock.elapsed() > 45'000; };
    const auto stillFails = [&](std::vector<Step> candidate) {
        ++replays;
        const std::optional<Failure> found = replay(candidate);
        if (!found)
            return false;
        candidate.resize(std::size_t(found->step + 1));
        steps = std::move(candidate);
        failure = *found;
        return true;
    };

    bool shorter = true;
    while (shorter && !outOfTime()) {
        shorter = false;
        for (std::size_t chunk = std::max<std::size_t>(steps.size() / 2, 1); !outOfTime(); chunk /= 2) {
            for (std::size_t at = 0; at < steps.size() && !outOfTime();) {
                std::vector<Step> candidate = steps;
                candidate.erase(candidate.begin() + qsizetype(at),
                                candidate.begin() + qsizetype(std::min(at + chunk, steps.size())));
                if (stillFails(std::move(candidate)))
                    shorter = true;
                else
                    at += chunk;
            }
            if (chunk <= 1)
                break;
        }
        // Clicks in a row on the same button become one run of clicks.
        for (std::size_t at = 0; at + 1 < steps.size() && !outOfTime();) {
            const Step &step = steps[at];
            if ((step.kind == Step::Next || step.kind == Step::Previous) && steps[at + 1].kind == step.kind) {
                std::vector<Step> candidate = steps;
                candidate[at].amount += candidate[at + 1].amount;
                candidate.erase(candidate.begin() + qsizetype(at + 1));
                if (stillFails(std::move(candidate))) {
                    shorter = true;
                    continue;
                }
            }
            ++at;
        }
        for (std::size_t at = 0; at < steps.size() && !outOfTime(); ++at) {
            if (!hasAmount(steps[at]))
                continue;
            // The smallest amount that still fails, by halving the range.
            int low = 1;
            while (at < steps.size() && low < steps[at].amount && !outOfTime()) {
                const int middle = low + (steps[at].amount - low) / 2;
                std::vector<Step> candidate = steps;
                candidate[at].amount = middle;
                if (stillFails(std::move(candidate)))
                    shorter = true;
                else
                    low = middle + 1;
            }
        }
    }
    return steps;
}

// One random step, as a user might take it now: while a message waits, only
// what the message allows.
Step draw(std::mt19937 &random, const ViewerModel &model)
{
    const auto below = [&](std::uint32_t n) { return int(random() % n); };
    Step step;
    if (model.visible().messageShowing) {
        const int pick = below(10);
        step.kind = pick < 7 ? Step::CloseMessage : pick == 7 ? Step::OtherApplication : pick == 8 ? Step::Grow : Step::Shrink;
    } else {
        static constexpr std::pair<Step::Kind, int> weights[] = {
            {Step::Load, 15}, {Step::Next, 30}, {Step::Previous, 14}, {Step::Info, 5}, {Step::Cancel, 3},
            {Step::OtherApplication, 4}, {Step::Reactivate, 5}, {Step::Grow, 5}, {Step::Shrink, 4},
        };
        int pick = below(85);
        for (auto [kind, weight] : weights) {
            step.kind = kind;
            if (pick < weight)
                break;
            pick -= weight;
        }
    }

    switch (step.kind) {
    case Step::Load:
        // Mostly files that open, sometimes one that doesn't.
        step.amount = below(4) == 0 ? GoodFileCount + below(FileCount - GoodFileCount) : below(GoodFileCount);
        break;
    case Step::Next:
    case Step::Previous:
        // Mostly one click; sometimes a run, now and then one long enough to
        // go from the first block to the last.
        switch (below(16)) {
        case 0: step.amount = 125 + below(16); break;
        case 1: case 2: step.amount = 2 + below(30); break;
        default: step.amount = 1;
        }
        break;
    case Step::Grow: {
        const int size = below(4);
        step.amount = size == 0 ? 1 + below(9) : size == 1 ? 240 + below(21) : size == 2 ? 1 + below(1000) : 1 + below(40000);
        step.seed = random();
        break;
    }
    case Step::Shrink: {
        const int length = int(std::min<std::size_t>(model.length(model.fileOnShow()), 1'000'000));
        const int size = below(4);
        step.amount = size == 0 ? 1 + below(9) : size == 1 ? 240 + below(21) : size == 2 ? 1 + below(std::uint32_t(length) + 1) : std::max(length, 1);
        break;
    }
    default:
        break;
    }
    return step;
}

int stepsPerSeed()
{
    bool ok = false;
    const int steps = qEnvironmentVariableIntValue("BYTEKIJKER_MODEL_STEPS", &ok);
    return ok && steps > 0 ? steps : 1250;
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void randomSteps_data();
    void randomSteps();
};

namespace {

QtMessageHandler testHandler = nullptr;

// The offscreen platform says this of every message box it shows; thousands
// of times it would hide what matters.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    testHandler(type, context, message);
}

} // namespace

void TestModel::initTestCase()
{
    testHandler = qInstallMessageHandler(quietHandler);
}

void TestModel::randomSteps_data()
{
    QTest::addColumn<std::uint32_t>("seed");
    bool ok = false;
    const std::uint32_t chosen = std::uint32_t(qEnvironmentVariable("BYTEKIJKER_MODEL_SEED").toULong(&ok));
    if (ok) {
        QTest::addRow("seed %u", chosen) << chosen;
        return;
    }
    for (std::uint32_t seed : {1u, 2u, 3u, 4u})
        QTest::addRow("seed %u", seed) << seed;
}

void TestModel::randomSteps()
{
    QFETCH(std::uint32_t, seed);
    const int count = stepsPerSeed();
    std::mt19937 random(seed);

    std::vector<Step> steps;
    std::optional<Failure> failure;
    // What the walk went through, so that a walk that never gets anywhere shows.
    int loads = 0, messages = 0, lastBlock = 0, pastLastBlock = 0, emptyBlocks = 0, infoKept = 0, taken = 0;
    {
        Session session;
        if (!session.difference().isEmpty())
            failure = Failure{-1, session.difference()};
        for (int i = 0; i < count && !failure; ++i) {
            const Step step = draw(random, session.model());
            const auto helpShowing = [&] { return session.model().visible().codes.starts_with(u"Informatie"); };
            const int before = session.model().blockNumber();
            const bool helpBefore = helpShowing();
            steps.push_back(step);
            if (!session.take(step))
                continue;
            ++taken;
            if (!session.difference().isEmpty()) {
                failure = Failure{i, session.difference()};
                break;
            }
            const ViewerModel &model = session.model();
            loads += step.kind == Step::Load && model.blockNumber() == 1 && model.visible().path.ends_with(Files[step.amount].name);
            lastBlock += model.blockNumber() == 131;
            pastLastBlock += step.kind == Step::Next && before + step.amount > 131 && model.blockNumber() == 131
                && model.length(model.fileOnShow()) > 32750;
            emptyBlocks += model.blockNumber() > 1 && model.visible().text.empty();
            infoKept += helpBefore && step.kind == Step::Next && model.blockNumber() == before && helpShowing();
        }
        messages = session.model().visible().messagesShown;
    }

    if (failure) {
        int replays = 0;
        const std::vector<Step> shortest = shrink(steps, *failure, replays);
        std::vector<bool> took;
        replay(shortest, &took);
        QString report = QStringLiteral("seed %1: the window and the model differ after step %2 of %3.\n"
                                        "Shortest sequence found (%4 replays from a fresh window):\n")
                             .arg(seed).arg(steps.size()).arg(count).arg(replays);
        for (std::size_t i = 0; i < shortest.size(); ++i) {
            report += QStringLiteral("  %1. %2%3\n").arg(i + 1).arg(describe(shortest[i]),
                                                                    i < took.size() && !took[i] ? QStringLiteral("   (not possible then, skipped)") : QString());
        }
        report += QStringLiteral("Then: %1").arg(failure->difference);
        QFAIL(qPrintable(report));
    }

    qInfo("seed %u: %d steps (%d taken): %d loads, %d messages, %d steps ending on block 131, "
          "%d \">\" on block 131 of a longer file, %d empty blocks past the end, %d \">\" that left the help text",
          seed, count, taken, loads, messages, lastBlock, pastLastBlock, emptyBlocks, infoKept);
    if (count >= 1000) {
        // A walk this long must have been everywhere that matters.
        QVERIFY(loads > 50);
        QVERIFY(messages > 10);
        QVERIFY(lastBlock > 0);
        QVERIFY(pastLastBlock > 0);
        QVERIFY(emptyBlocks > 0);
        QVERIFY(infoKept > 0);
    }
}

QTEST_MAIN(TestModel)
#include "tst_model.moc"
