#pragma once

// What the main window should show, worked out without a window: the files it
// may be asked to open, the user's choice, and the window's visible state. The
// random test in tst_model.cpp drives this model and the real window with the
// same steps and compares the two after each one.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class ViewerModel {
public:
    enum class Kind { Regular, Missing, Directory, Fifo };

    // Everything the user can see of the main window.
    struct Visible {
        std::u16string codes;          // the code pane (or the help text)
        std::u16string text;           // the text pane
        std::string path;              // the path box
        std::string label = "0";       // the block number at the top right
        bool messageShowing = false;   // a message about a failed open
        std::string messagePath;       // the path that message names
        int messagesShown = 0;         // messages about failed opens so far
    };

    // `helpText` is what "Info" puts into the code pane, line breaks as "\n".
    explicit ViewerModel(std::u16string helpText);

    // The files on disk. Only regular files have bytes; the others fail to open.
    void addFile(const std::string &path, Kind kind, std::vector<std::uint8_t> bytes = {});
    void append(const std::string &path, const std::vector<std::uint8_t> &bytes);
    void truncate(const std::string &path, std::size_t length);
    std::size_t length(const std::string &path) const;

    // What the user does.
    void choose(const std::string &path);   // the chooser's answer; empty for Cancel
    void activateFromProgramWindow();       // loads the choice
    void activateFromOtherApplication() {}  // never loads
    void next();
    void previous();
    void info();
    void closeMessage();

    const Visible &visible() const { return shown; }
    int blockNumber() const { return block; }
    // The path of the open file, empty before the first good load.
    const std::string &fileOnShow() const { return openPath; }

private:
    struct File {
        Kind kind = Kind::Missing;
        std::vector<std::uint8_t> bytes;
    };

    void showBlock();
    void showBlockNumber();
    const File *fileAt(const std::string &path) const;

    std::map<std::string, File> files;
    std::u16string help;
    Visible shown;
    int block = 0;
    std::string openPath;
    std::string selected;
    std::string reported;   // the last failed path, already told to the user
};
