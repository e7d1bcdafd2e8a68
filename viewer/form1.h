#pragma once

#include "common/awaited.h"
#include "viewer/bytes/blocks.h"
#include "viewer/bytes/filechannel.h"
#include "viewer/failuremessages.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class ActivationHandOver;
class fOpen;

// The main window: the file on show as decimal codes (upper pane) and as text
// (lower pane), one block of 250 bytes at a time.
//
// Names. The window, its controls, BlockNumber and the steps LoadSelectedFile,
// NextBlock, PreviousBlock and ShowBlock keep the names of the program's
// design, so that the design and the code can be read side by side; every
// other name is the code's own.
//   Form1        this window
//   Bopen        the "Bestand openen" button: opens the chooser (fOpen)
//   Command1     the "Info" button: the help text (InfoText) in the upper pane
//   Bvolgende    the ">" button: the next block
//   Bvorige      the "<" button: the previous block
//   Laantal250   the yellow label: the number of the block on show
//   Tbestand     the path box: the path of the file on show
//   Tasc         the upper pane: the block's bytes as decimal codes
//   Ttekst       the lower pane: the block's bytes as text
//   BlockNumber  the block on show, 1 for the file's first 250 bytes; 0 before any load
//
// Opening a file and reading a block wait on its drive, which may stop
// answering; both are made through Awaited, off the window's thread. While
// one is awaited the window says so (waitNotice, a busy pointer) and takes
// every input but the one that needs the answer: ">" and "<" while a block
// is read. Past NoAnswerAfter a message says that the drive doesn't answer;
// the file on show stays, and the answer is taken when it comes.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

public slots:
    // Opens the chosen file afresh and shows its first block; runs on every
    // activation of this window from within the program.
    void LoadSelectedFile();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void NextBlock();
    void PreviousBlock();
    void showInfo();
    void showChooser();
    void takeActivationBack();
    void forgetReportedFailure();
    void tellNoAnswer();

private:
    // A block as read: what the file holds at the block's place, up to 250
    // bytes, or the read's error.
    struct BlockBytes {
        std::array<std::uint8_t, blocks::Size> data;
        ReadResult read;
    };
    // A load as made on its own thread: the file opened, or why not, and its
    // first block.
    struct Loaded {
        OpenResult opened;   // its channel moved to `channel`
        std::shared_ptr<FileChannel> channel;
        BlockBytes first;
    };
    static Loaded load(const std::filesystem::path &path);
    void showLoaded(const std::filesystem::path &path, Loaded loaded);
    static BlockBytes readBlock(FileChannel &file, std::int16_t block);
    void page(std::int16_t block, PagingDirection direction);
    void showPage(std::int16_t block, PagingDirection direction, const BlockBytes &bytes);
    void ShowBlock(const BlockBytes &bytes);
    void showBlockNumber();
    void showWaiting(bool answered, const QString &notice, const QString &path);
    void endWaiting();
    void reportLoadFailure(const std::filesystem::path &path, const QString &title,
                           const std::function<QString()> &message);
    void reportPagingFailure(const ReadResult &failure, PagingDirection direction);
    void showMessage(const QString &title, const QString &message);

    QPushButton *Bopen;
    QPushButton *Command1;
    QPushButton *Bvolgende;
    QPushButton *Bvorige;
    QLabel *Laantal250;
    QLineEdit *Tbestand;
    QPlainTextEdit *Tasc;
    QPlainTextEdit *Ttekst;
    QLabel *waitNotice;   // over the path box, while a load or a block's read is awaited
    QTimer *noAnswer;

    QPointer<fOpen> chooser;   // while the chooser is open
    std::unique_ptr<ActivationHandOver> handOver;   // while the chooser is open

    std::int16_t BlockNumber = 0;
    std::shared_ptr<FileChannel> channel;   // closed off the window's thread
    Awaited<Loaded> loading{this};
    Awaited<BlockBytes> paging{this};
    std::filesystem::path loadingPath;   // the path of the load last begun
    QString waitingPath;   // the path of the call awaited last, for the message
    QString pathOnShow;   // as the path box showed it at the load; the user may type over it since
    // The last path that failed to load, already reported: later activations
    // with the same choice stay silent instead of showing the message again,
    // until the chooser makes a new choice.
    std::filesystem::path reportedFailure;
    // Whether a failed read while paging the file on show has been reported;
    // once per loaded file is enough.
    bool pagingFailureReported = false;
};
