#include "form1.h"

#include "chooser/fopen.h"
#include "common/appicon.h"
#include "common/controls.h"
#include "common/fonts.h"
#include "common/module1.h"
#include "platform/closewait.h"
#include "platform/handover.h"
#include "platform/pathtext.h"
#include "viewer/activationwatcher.h"
#include "viewer/bytes/blocktext.h"
#include "viewer/bytes/numbertext.h"
#include "viewer/infotext.h"
#include "viewer/warning.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <thread>
#include <utility>

namespace {

// Sizes and positions are logical pixels, so Qt scales them on high-DPI screens.
constexpr QSize ClientSize(511, 462);
constexpr QColor LightGrey(192, 192, 192);
constexpr QColor Yellow(255, 255, 0);
constexpr QColor PaleYellow(255, 255, 225);
// How long a load or a block's read may wait before the user is told that
// its drive doesn't answer.
constexpr std::chrono::seconds NoAnswerAfter(5);
// The chooser opens a little below and to the right of the main window.
constexpr QPoint ChooserOffset(53, 56);

QPlainTextEdit *makePane(const QRect &geometry, QWidget *parent)
{
    auto *pane = new QPlainTextEdit(parent);
    pane->setGeometry(geometry);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // A long run of bytes without a space still wraps at the pane's edge.
    pane->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Tab moves on to the next control, as in every other box of the window.
    pane->setTabChangesFocus(true);
    return pane;
}

// What a screen reader says for the block label: the number on show.
QString spokenBlockNumber(std::int16_t block)
{
    return QStringLiteral("Blok %1").arg(block);
}

// A background with the text colour chosen for it, so that a dark or
// high-contrast desktop theme can't put its own text colour on it.
void paint(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A file on a drive that stops answering can hold up its closing too, so
// each is closed on a thread of its own.
std::shared_ptr<FileChannel> closedApart(FileChannel file)
{
    return {new FileChannel(std::move(file)), [](FileChannel *closing) {
                try {
                    std::thread([closing] { delete closing; }).detach();
                } catch (const std::system_error &) {
                    delete closing;
                }
            }};
}

}   // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Bestand in  ASCII-code (decimaal) en tekst"));
    setWindowIcon(appIcon());
    setFixedSize(ClientSize);
    paint(this, LightGrey, Qt::black);

    Bopen = makeButton(QStringLiteral("Bestand openen"), {4, 2, 187, 33}, 18, this);
    Command1 = makeButton(QStringLiteral("Info"), {196, 2, 85, 33}, 18, this);
    Bvolgende = makeButton(QStringLiteral(">"), {286, 2, 83, 33}, 18, this);
    Bvorige = makeButton(QStringLiteral("<"), {372, 2, 79, 33}, 18, this);

    Laantal250 = new QLabel(QStringLiteral("0"), this);
    Laantal250->setGeometry(454, 2, 55, 33);
    Laantal250->setFont(msSansSerif(18));
    paint(Laantal250, Yellow, Qt::black);

    Tbestand = new QLineEdit(this);
    Tbestand->setGeometry(4, 38, 505, 21);
    Tbestand->setFont(arial(8.25));

    Tasc = makePane({4, 62, 505, 291}, this);
    Ttekst = makePane({4, 354, 505, 105}, this);

    waitNotice = new QLabel(this);
    waitNotice->setGeometry(Tbestand->geometry());
    waitNotice->setFont(arial(8.25));
    paint(waitNotice, PaleYellow, Qt::black);
    waitNotice->hide();
    noAnswer = new QTimer(this);
    noAnswer->setSingleShot(true);
    noAnswer->setInterval(NoAnswerAfter);

    nameControl(Bopen, "Bopen", QStringLiteral("Bestand openen"),
                QStringLiteral("Opent een venster waarin u het bestand kiest dat getoond wordt"));
    nameControl(Command1, "Command1", QStringLiteral("Info"),
                QStringLiteral("Zet uitleg over het programma in het bovenste venster"));
    nameControl(Bvolgende, "Bvolgende", QStringLiteral("Volgende blok"),
                QStringLiteral("Toont de volgende 250 tekens van het bestand"));
    nameControl(Bvorige, "Bvorige", QStringLiteral("Vorige blok"),
                QStringLiteral("Toont de vorige 250 tekens van het bestand"));
    nameControl(Laantal250, "Laantal250", spokenBlockNumber(BlockNumber),
                QStringLiteral("Het nummer van het blok van 250 tekens dat te zien is; "
                               "blok 1 is byte 1 tot en met 250 van het bestand"));
    nameControl(Tbestand, "Tbestand", QStringLiteral("Pad van het bestand"),
                QStringLiteral("Het volledige pad van het getoonde bestand"));
    nameControl(Tasc, "Tasc", QStringLiteral("Decimale codes"),
                QStringLiteral("De ASCII-code (decimaal) van elk teken van het blok"));
    nameControl(Ttekst, "Ttekst", QStringLiteral("Tekst"), QStringLiteral("De tekens van het blok als tekst"));
    nameControl(waitNotice, "waitNotice", QStringLiteral("Wachten"),
                QStringLiteral("Waar het programma op wacht: een station dat nog niet antwoordt"));

    // The keyboard order; the label has its place in it but never takes the focus.
    setTabOrder(Tasc, Ttekst);
    setTabOrder(Ttekst, Bopen);
    setTabOrder(Bopen, Bvolgende);
    setTabOrder(Bvolgende, Bvorige);
    setTabOrder(Bvorige, Tbestand);
    setTabOrder(Tbestand, Command1);
    Tasc->setFocus();

    connect(Bvolgende, &QPushButton::clicked, this, &Form1::NextBlock);
    connect(Bvorige, &QPushButton::clicked, this, &Form1::PreviousBlock);
    connect(Command1, &QPushButton::clicked, this, &Form1::showInfo);
    connect(Bopen, &QPushButton::clicked, this, &Form1::showChooser);
    connect(noAnswer, &QTimer::timeout, this, &Form1::tellNoAnswer);
    connect(new ActivationWatcher(this), &ActivationWatcher::activated, this, &Form1::LoadSelectedFile);
}

Form1::~Form1()
{
    if (chooser) {
        chooser->disconnect(this);
        delete chooser;
    }
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!putOffUntilLastFrameDone(this, event))
        QWidget::closeEvent(event);
}

void Form1::LoadSelectedFile()
{
    // An activation while that path's opening is still awaited adds nothing:
    // the answer on its way is the one it would get.
    if (Module1::SelectedPath.empty() || (loading.waiting() && Module1::SelectedPath == loadingPath))
        return;
    const std::filesystem::path chosen = loadingPath = Module1::SelectedPath;
    const bool answered = loading.start([chosen] { return load(chosen); },
                                        [this, chosen](Loaded loaded) { showLoaded(chosen, std::move(loaded)); });
    showWaiting(answered, QStringLiteral("Het bestand wordt geopend: %1").arg(pathText(chosen)), pathText(chosen));
}

// The new file is opened and its first block read before the old one is let
// go, so a file that can't be shown leaves the one on show as it was.
Form1::Loaded Form1::load(const std::filesystem::path &path)
{
    Loaded loaded;
    loaded.opened = FileChannel::open(path);
    if (loaded.opened.error == OpenError::None) {
        loaded.channel = closedApart(std::move(loaded.opened.channel));
        loaded.first = readBlock(*loaded.channel, 1);
    }
    return loaded;
}

void Form1::showLoaded(const std::filesystem::path &path, Loaded loaded)
{
    endWaiting();
    const QString shown = pathText(path);
    if (loaded.opened.error != OpenError::None)
        return reportLoadFailure(path, openFailureTitle(), [&] { return openFailureMessage(shown, loaded.opened); });
    if (loaded.first.read.failed())
        return reportLoadFailure(path, readFailureTitle(),
                                 [&] { return readFailureMessage(shown, loaded.first.read); });

    paging.abandon();   // a block of the file that was on show
    endWaiting();
    reportedFailure.clear();
    pagingFailureReported = false;
    channel = std::move(loaded.channel);
    BlockNumber = 1;
    ShowBlock(loaded.first);
    showBlockNumber();
    pathOnShow = shown;
    Tbestand->setText(shown);
}

// While a block is read the block on show stays, and paging on is refused:
// it would page from a block not yet known.
void Form1::NextBlock()
{
    if (!paging.waiting())
        page(BlockNumber + 1, PagingDirection::Next);
}

void Form1::PreviousBlock()
{
    if (!paging.waiting())
        page(BlockNumber - 1, PagingDirection::Previous);
}

void Form1::page(std::int16_t block, PagingDirection direction)
{
    const bool possible =
        direction == PagingDirection::Next ? blocks::mayHaveNext(BlockNumber) : blocks::hasPrevious(BlockNumber);
    if (!possible || !channel)
        return showBlockNumber();
    const std::shared_ptr<FileChannel> file = channel;
    const bool answered =
        paging.start([file, block] { return readBlock(*file, block); },
                     [this, block, direction](const BlockBytes &bytes) { showPage(block, direction, bytes); });
    showWaiting(answered, QStringLiteral("Blok %1 wordt gelezen uit %2").arg(block).arg(pathOnShow), pathOnShow);
}

// The file goes on when a read at the next block's place gives bytes, whatever
// length it reports; that one read also fills the new block. It goes back
// whenever the read succeeds.
void Form1::showPage(std::int16_t block, PagingDirection direction, const BlockBytes &bytes)
{
    endWaiting();
    if (bytes.read.failed()) {
        reportPagingFailure(bytes.read, direction);
    } else if (direction == PagingDirection::Previous || bytes.read.count > 0) {
        BlockNumber = block;
        ShowBlock(bytes);
    }
    showBlockNumber();
}

void Form1::showInfo()
{
    // The pane makes one line break of each CR LF itself.
    Tasc->setPlainText(InfoText());
}

void Form1::showChooser()
{
    if (!chooser) {
        chooser = new fOpen;
        chooser->move(pos() + ChooserOffset);
        connect(chooser, &fOpen::chosen, this, &Form1::forgetReportedFailure);
        connect(chooser, &fOpen::closing, this, &Form1::takeActivationBack);
    }
    // From the chooser's opening on, so that the hand-back knows the user's
    // last press in it.
    if (!handOver)
        handOver = std::make_unique<ActivationHandOver>();
    chooser->show();
    handOver->handOver(this, chooser);
}

// Window managers differ in where the focus goes when a window closes; the
// main window takes it back itself, and its activation loads the choice. It
// does so while the chooser still holds the focus: a Wayland compositor may
// grant an activation only on behalf of the focused window, and an X11 window
// manager only one as recent as the user's close.
void Form1::takeActivationBack()
{
    const auto back = handOver ? std::move(handOver) : std::make_unique<ActivationHandOver>();   // the chooser goes
    if (isVisible())
        back->handOver(chooser, this);
}

// A choice made in the chooser is a new attempt, told again when it fails,
// even when it names the path that failed before.
void Form1::forgetReportedFailure()
{
    reportedFailure.clear();
}

// A screen reader hears the number too: the label's name carries it.
void Form1::showBlockNumber()
{
    Laantal250->setText(QString::fromStdString(numberText(BlockNumber)));
    Laantal250->setAccessibleName(spokenBlockNumber(BlockNumber));
}

Form1::BlockBytes Form1::readBlock(FileChannel &file, std::int16_t block)
{
    BlockBytes bytes;
    bytes.read = file.readAt(blocks::offset(block), bytes.data);
    return bytes;
}

void Form1::ShowBlock(const BlockBytes &bytes)
{
    const BlockText shown = blockText({bytes.data.data(), bytes.read.count});
    Tasc->setPlainText(QString::fromLatin1(shown.codes));
    Ttekst->setPlainText(QString::fromStdU16String(shown.text));
}

// The message is worded only when it is shown: an activation with a choice
// already reported costs nothing more than the attempt.
void Form1::reportLoadFailure(const std::filesystem::path &path, const QString &title,
                              const std::function<QString()> &message)
{
    if (path == reportedFailure)
        return;
    reportedFailure = path;
    showMessage(title, message());
}

// An answer that came at once leaves no trace; one still awaited is shown as
// awaited, over the path box and by the pointer, and timed.
void Form1::showWaiting(bool answered, const QString &notice, const QString &path)
{
    if (answered)
        return;
    waitNotice->setText(notice);
    waitNotice->show();
    setCursor(Qt::BusyCursor);
    waitingPath = path;
    noAnswer->start();
}

void Form1::endWaiting()
{
    if (loading.waiting() || paging.waiting())
        return;
    waitNotice->hide();
    unsetCursor();
    noAnswer->stop();
}

void Form1::tellNoAnswer()
{
    showMessage(noAnswerTitle(), noAnswerMessage(waitingPath));
}

void Form1::reportPagingFailure(const ReadResult &failure, PagingDirection direction)
{
    if (std::exchange(pagingFailureReported, true))
        return;
    showMessage(readFailureTitle(), pagingFailureMessage(pathOnShow, failure, direction));
}

void Form1::showMessage(const QString &title, const QString &message)
{
    (new Warning(title, message, this))->open();
}
