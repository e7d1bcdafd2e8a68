#include "form1.h"

#include "activationwatcher.h"
#include "bytes/blocktext.h"
#include "bytes/numbertext.h"
#include "chooser/fopen.h"
#include "common/appicon.h"
#include "common/controls.h"
#include "common/fonts.h"
#include "common/module1.h"
#include "infotext.h"
#include "platform/closewait.h"
#include "platform/handover.h"
#include "platform/pathtext.h"
#include "warning.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <utility>

namespace {

// Sizes and positions are logical pixels, so Qt scales them on high-DPI screens.
constexpr QSize ClientSize(511, 462);
constexpr QColor LightGrey(192, 192, 192);
constexpr QColor Yellow(255, 255, 0);
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
    if (Module1::SelectedPath.empty())
        return;
    // The new file is opened and its first block read before the old one is
    // let go, so a file that can't be shown leaves the one on show as it was.
    const QString path = pathText(Module1::SelectedPath);
    OpenResult opened = FileChannel::open(Module1::SelectedPath);
    if (opened.error != OpenError::None)
        return reportLoadFailure(openFailureTitle(), [&] { return openFailureMessage(path, opened); });
    const BlockBytes first = readBlock(opened.channel, 1);
    if (first.read.failed())
        return reportLoadFailure(readFailureTitle(), [&] { return readFailureMessage(path, first.read); });

    reportedFailure.clear();
    pagingFailureReported = false;
    channel = std::move(opened.channel);
    BlockNumber = 1;
    ShowBlock(first);
    showBlockNumber();
    pathOnShow = path;
    Tbestand->setText(path);
}

// The file goes on when a read at the next block's place gives bytes, whatever
// length it reports; that one read also fills the new block.
void Form1::NextBlock()
{
    if (blocks::mayHaveNext(BlockNumber)) {
        const BlockBytes next = readBlock(channel, BlockNumber + 1);
        if (next.read.failed()) {
            reportPagingFailure(next.read, PagingDirection::Next);
        } else if (next.read.count > 0) {
            ++BlockNumber;
            ShowBlock(next);
        }
    }
    showBlockNumber();
}

void Form1::PreviousBlock()
{
    if (blocks::hasPrevious(BlockNumber)) {
        if (const BlockBytes previous = readBlock(channel, BlockNumber - 1); previous.read.failed()) {
            reportPagingFailure(previous.read, PagingDirection::Previous);
        } else {
            --BlockNumber;
            ShowBlock(previous);
        }
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
void Form1::reportLoadFailure(const QString &title, const std::function<QString()> &message)
{
    if (Module1::SelectedPath == reportedFailure)
        return;
    reportedFailure = Module1::SelectedPath;
    showMessage(title, message());
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
