// A file system that hangs, for the tests: as a network share whose server has
// gone away, or a FUSE file system whose program has stalled.
//   hungfs <folder> [--stall <what>]...
// Mounts itself at the folder (as root) and holds a fixed tree, read-only,
// owned by root and readable by all:
//   folder/          a folder
//   folder/inside    a file of 10 bytes
//   file             a file of 1000 bytes
// In every file the byte at offset i is (i * 7 + i / 251) % 256, the tests'
// pattern, so that a test can check what it read. Nothing is cached: the
// kernel asks again for every name and every attribute, and each read
// reaches this program as it was made.
// Prints "ready" once mounted.
// Each --stall names one kind of call to take from the kernel and hold
// unanswered, as a share that has stopped answering does (a path is from the
// mount's root, "." being the root itself):
//   list:<path>           reading the folder's entries (the folder itself
//                         opens: as on a share, whose listing then doesn't
//                         come; and wine, which opens in its server, one
//                         thread for all its programs, stays free)
//   open:<path>           opening the file
//   read:<path>@<offset>  reading the file at that offset or beyond
//                         (reads before it are answered)
//   statfs                asking the file system's size
// Each time it holds a call it prints "held <kind> <path>" ("held statfs"
// for statfs). The kernel's asking to interrupt a held call is ignored: a
// process killed while its call is held can't end until the call is answered
// or the file system unmounted.
// On SIGUSR2 it answers every held call as it would have at once, holds no
// more, and prints "released".
// On SIGTERM or SIGINT it unmounts, which fails every waiting call, and ends.
// Speaks the kernel's FUSE protocol directly.

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/fuse.h>
#include <poll.h>
#include <span>
#include <string>
#include <string_view>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t ending = 0, releasing = 0;

struct Node {
    std::uint64_t inode;
    std::uint64_t parent;
    std::string_view name;
    std::string_view path;   // from the root, "." for the root itself
    std::uint32_t mode;
    std::uint64_t size;
};

// The tree the comment at the top describes; the root stays writable by its
// owner, as it was before it held anything.
// clang-format off
constexpr Node tree[] = {
    {FUSE_ROOT_ID, FUSE_ROOT_ID, "", ".", S_IFDIR | 0755, 0},
    {2, FUSE_ROOT_ID, "folder", "folder", S_IFDIR | 0555, 0},
    {3, 2, "inside", "folder/inside", S_IFREG | 0444, 10},
    {4, FUSE_ROOT_ID, "file", "file", S_IFREG | 0444, 1000},
};
// clang-format on

const Node *find(auto matches)
{
    const auto found = std::find_if(std::begin(tree), std::end(tree), matches);
    return found == std::end(tree) ? nullptr : found;
}

const Node *node(std::uint64_t inode)
{
    return find([inode](const Node &node) { return node.inode == inode; });
}

// The root is its own parent, but not its own child.
bool isChild(const Node &node, std::uint64_t parent)
{
    return node.parent == parent && node.inode != FUSE_ROOT_ID;
}

fuse_attr attributes(const Node &node)
{
    fuse_attr attributes{};
    attributes.ino = node.inode;
    attributes.mode = node.mode;
    attributes.nlink = S_ISDIR(node.mode) ? 2 : 1;
    attributes.size = node.size;
    attributes.blocks = (node.size + 511) / 512;
    attributes.blksize = 4096;
    return attributes;
}

// One message, as the device takes a reply only whole.
void reply(int device, std::uint64_t unique, int error, const void *body = nullptr, std::size_t size = 0)
{
    fuse_out_header header{std::uint32_t(sizeof header + size), -error, unique};
    iovec parts[] = {{&header, sizeof header}, {const_cast<void *>(body), size}};
    if (::writev(device, parts, size ? 2 : 1) < 0)
        std::perror("hungfs: reply");
}

template<typename Body> void reply(int device, std::uint64_t unique, const Body &body)
{
    reply(device, unique, 0, &body, sizeof body);
}

fuse_in_header headerOf(std::span<const char> request)
{
    fuse_in_header header;
    std::memcpy(&header, request.data(), sizeof header);
    return header;
}

// A request's fixed part after its header; zeros where the kernel sent less.
template<typename Argument> Argument argumentOf(std::span<const char> request)
{
    Argument argument{};
    const auto rest = request.subspan(sizeof(fuse_in_header));
    std::memcpy(&argument, rest.data(), std::min(rest.size(), sizeof argument));
    return argument;
}

void lookUp(int device, const fuse_in_header &header, std::span<const char> request)
{
    const auto rest = request.subspan(sizeof header);
    const std::string_view name(rest.data(), ::strnlen(rest.data(), rest.size()));
    const Node *found = find([&](const Node &node) { return isChild(node, header.nodeid) && node.name == name; });
    if (!found)
        return reply(device, header.unique, ENOENT);
    fuse_entry_out entry{};   // valid for no time: asked again each time
    entry.nodeid = found->inode;
    entry.attr = attributes(*found);
    reply(device, header.unique, entry);
}

void openFile(int device, const fuse_in_header &header, std::span<const char> request)
{
    if ((argumentOf<fuse_open_in>(request).flags & O_ACCMODE) != O_RDONLY)
        return reply(device, header.unique, EROFS);
    fuse_open_out opened{};
    opened.open_flags = FOPEN_DIRECT_IO;   // each read reaches us as made: no cache, no read-ahead
    reply(device, header.unique, opened);
}

void readFile(int device, const fuse_in_header &header, std::span<const char> request)
{
    const Node *file = node(header.nodeid);
    if (!file || S_ISDIR(file->mode))
        return reply(device, header.unique, EISDIR);
    const fuse_read_in wanted = argumentOf<fuse_read_in>(request);
    std::vector<char> bytes;
    for (std::uint64_t offset = wanted.offset; offset < file->size && bytes.size() < wanted.size; ++offset)
        bytes.push_back(char((offset * 7 + offset / 251) % 256));
    reply(device, header.unique, 0, bytes.data(), bytes.size());
}

// Adds one entry if it fits; each entry's offset is where the next one starts.
bool addEntry(std::vector<char> &entries, std::size_t limit, std::uint64_t offset, const Node &node,
              std::string_view name)
{
    const std::size_t size = FUSE_DIRENT_ALIGN(FUSE_NAME_OFFSET + name.size());
    if (entries.size() + size > limit)
        return false;
    const fuse_dirent entry{node.inode, offset + 1, std::uint32_t(name.size()), node.mode >> 12};
    const std::size_t at = entries.size();
    entries.resize(at + size, 0);
    std::memcpy(entries.data() + at, &entry, FUSE_NAME_OFFSET);
    std::memcpy(entries.data() + at + FUSE_NAME_OFFSET, name.data(), name.size());
    return true;
}

void list(int device, const fuse_in_header &header, std::span<const char> request)
{
    const Node *folder = node(header.nodeid);
    if (!folder || !S_ISDIR(folder->mode))
        return reply(device, header.unique, ENOTDIR);
    std::vector<const Node *> shown{folder, node(folder->parent)};
    std::vector<std::string_view> names{".", ".."};
    for (const Node &child : tree)
        if (isChild(child, folder->inode)) {
            shown.push_back(&child);
            names.push_back(child.name);
        }
    const fuse_read_in wanted = argumentOf<fuse_read_in>(request);
    std::vector<char> entries;
    for (std::uint64_t index = wanted.offset; index < shown.size(); ++index)
        if (!addEntry(entries, wanted.size, index, *shown[index], names[index]))
            break;
    reply(device, header.unique, 0, entries.data(), entries.size());
}

void tellSize(int device, const fuse_in_header &header)
{
    fuse_statfs_out size{};
    size.st.blocks = 2048;   // 1 MiB, all of it taken: nothing can be written
    size.st.bsize = 512;
    size.st.frsize = 512;
    size.st.files = std::size(tree);
    size.st.namelen = 255;
    reply(device, header.unique, size);
}

void answer(int device, std::span<const char> request)
{
    const fuse_in_header header = headerOf(request);
    switch (header.opcode) {
    case FUSE_INIT: {
        // No READDIRPLUS among the flags: a plain READDIR lists a folder.
        fuse_init_out init{};
        init.major = FUSE_KERNEL_VERSION;
        init.minor = FUSE_KERNEL_MINOR_VERSION;
        init.max_write = 4096;
        return reply(device, header.unique, init);
    }
    case FUSE_LOOKUP:
        return lookUp(device, header, request);
    case FUSE_GETATTR: {
        const Node *found = node(header.nodeid);
        if (!found)
            return reply(device, header.unique, ENOENT);
        fuse_attr_out out{};   // valid for no time: asked again each time
        out.attr = attributes(*found);
        return reply(device, header.unique, out);
    }
    case FUSE_OPEN:
        return openFile(device, header, request);
    case FUSE_READ:
        return readFile(device, header, request);
    case FUSE_OPENDIR:   // the kernel asks only for a folder it has looked up
        return reply(device, header.unique, fuse_open_out{});
    case FUSE_READDIR:
        return list(device, header, request);
    case FUSE_STATFS:
        return tellSize(device, header);
    case FUSE_RELEASE:
    case FUSE_RELEASEDIR:
    case FUSE_FLUSH:
    case FUSE_ACCESS:
        return reply(device, header.unique, 0);
    case FUSE_FORGET:
    case FUSE_BATCH_FORGET:
    case FUSE_INTERRUPT:   // what it would interrupt is answered, or held on purpose
        return;   // not to be answered
    default:
        return reply(device, header.unique, ENOSYS);
    }
}

struct Stall {
    std::uint32_t opcode;
    std::string_view kind;
    std::string_view path;
    std::uint64_t inode = 0;
    std::uint64_t from = 0;   // for a read: the first offset held
};

// "list:<path>", "open:<path>", "read:<path>@<offset>" or "statfs".
bool parse(std::string_view text, Stall &stall)
{
    const std::size_t colon = text.find(':'), at = text.find('@');
    stall.kind = text.substr(0, colon);
    stall.path = colon == text.npos ? "" : text.substr(colon + 1, at == text.npos ? at : at - colon - 1);
    const std::string_view offset = at == text.npos ? "0" : text.substr(at + 1);
    const auto [end, error] = std::from_chars(offset.begin(), offset.end(), stall.from);
    stall.opcode = stall.kind == "list"     ? FUSE_READDIR
                   : stall.kind == "open"   ? FUSE_OPEN
                   : stall.kind == "read"   ? FUSE_READ
                   : stall.kind == "statfs" ? FUSE_STATFS
                                            : 0;
    const Node *held = find([&](const Node &node) { return node.path == stall.path; });
    stall.inode = held ? held->inode : 0;
    return stall.opcode == FUSE_STATFS
           || (stall.opcode && held && error == std::errc{} && end == offset.end()
               && (at == text.npos) == (stall.opcode != FUSE_READ)
               && S_ISDIR(held->mode) == (stall.opcode == FUSE_READDIR));
}

const Stall *stallFor(const std::vector<Stall> &stalls, std::span<const char> request)
{
    const fuse_in_header header = headerOf(request);
    for (const Stall &stall : stalls) {
        if (stall.opcode != header.opcode)
            continue;
        if (stall.opcode == FUSE_STATFS)
            return &stall;
        if (stall.inode == header.nodeid
            && (stall.opcode != FUSE_READ || argumentOf<fuse_read_in>(request).offset >= stall.from))
            return &stall;
    }
    return nullptr;
}

void tell(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

}   // namespace

int main(int argc, char *argv[])
{
    std::vector<Stall> stalls;
    bool understood = argc >= 2 && argc % 2 == 0;
    for (int at = 2; understood && at < argc; at += 2)
        understood = std::string_view(argv[at]) == "--stall" && parse(argv[at + 1], stalls.emplace_back());
    if (!understood) {
        std::fprintf(stderr,
                     "usage: hungfs <folder> [--stall list:<path> | open:<path> | read:<path>@<offset> | statfs]...\n");
        return 2;
    }
    const int device = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    const std::string options =
        "fd=" + std::to_string(device) + ",rootmode=40000,user_id=0,group_id=0,default_permissions,allow_other";
    if (device < 0 || ::mount("hungfs", argv[1], "fuse.hungfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        std::fprintf(stderr, "hungfs: can't mount a FUSE file system here: %s\n", std::strerror(errno));
        return 77;
    }
    struct sigaction ending_action = {};
    ending_action.sa_handler = [](int) { ending = 1; };   // without SA_RESTART: the read returns
    ::sigaction(SIGTERM, &ending_action, nullptr);
    ::sigaction(SIGINT, &ending_action, nullptr);
    struct sigaction release_action = {};
    release_action.sa_handler = [](int) { releasing = 1; };
    ::sigaction(SIGUSR2, &release_action, nullptr);

    // The signals come only while it waits, so that a release is never
    // missed between looking at the flag and waiting.
    sigset_t waiting;
    sigset_t blocked;
    ::sigemptyset(&blocked);
    for (const int signal : {SIGTERM, SIGINT, SIGUSR2})
        ::sigaddset(&blocked, signal);
    ::sigprocmask(SIG_BLOCK, &blocked, &waiting);
    tell("ready");

    std::vector<char> request(FUSE_MIN_READ_BUFFER + (1 << 20));
    std::vector<std::vector<char>> held;
    while (!ending) {
        if (releasing) {
            releasing = 0;
            stalls.clear();   // before answering: nothing answered is held again
            for (const std::vector<char> &one : held)
                answer(device, one);
            held.clear();
            tell("released");
        }
        pollfd kernel{device, POLLIN, 0};
        if (::ppoll(&kernel, 1, nullptr, &waiting) <= 0)
            continue;
        const ssize_t size = ::read(device, request.data(), request.size());
        if (size < 0 && errno == ENODEV)
            break;   // unmounted from outside: nothing more will come
        if (size < ssize_t(sizeof(fuse_in_header)))
            continue;
        const std::span<const char> taken(request.data(), std::size_t(size));
        if (const Stall *stall = stallFor(stalls, taken)) {
            held.emplace_back(taken.begin(), taken.end());
            const std::string line =
                "held " + std::string(stall->kind) + (stall->path.empty() ? "" : " " + std::string(stall->path));
            tell(line.c_str());
        } else
            answer(device, taken);
    }
    ::umount2(argv[1], MNT_DETACH);
    ::close(device);
    return 0;
}
