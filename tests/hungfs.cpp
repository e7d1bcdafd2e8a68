// A file system that hangs, for the tests: as a network share whose server has
// gone away, or a FUSE file system whose program has stalled.
//   hungfs <folder>
// Mounts itself at the folder (as root) and answers what it takes to reach
// the folder: the kernel's greeting, the folder's own attributes, and "no
// such entry" for any name in it; nothing else. Prints "ready" once mounted.
// On SIGUSR1 it stalls, and prints "stalled": it takes no request from the
// kernel any more, so every call on the file system waits, as it does on a
// share gone away, and can still be killed (a request taken and not answered
// could not). On
// SIGTERM or SIGINT it unmounts, which fails every waiting call, and ends.
// Speaks the kernel's FUSE protocol directly.

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/fuse.h>
#include <poll.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t ending = 0, stalled = 0;

void end(int)
{
    ending = 1;
}

void stall(int)
{
    stalled = 1;
}

template<typename Body> void reply(int device, std::uint64_t unique, int error, const Body *body)
{
    std::vector<char> message(sizeof(fuse_out_header) + (body ? sizeof(Body) : 0));
    const fuse_out_header header{std::uint32_t(message.size()), -error, unique};
    std::memcpy(message.data(), &header, sizeof header);
    if (body)
        std::memcpy(message.data() + sizeof header, body, sizeof(Body));
    if (::write(device, message.data(), message.size()) < 0)
        std::perror("hungfs: reply");
}

}   // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: hungfs <folder>\n");
        return 2;
    }
    const int device = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    const std::string options =
        "fd=" + std::to_string(device) + ",rootmode=40000,user_id=0,group_id=0,default_permissions,allow_other";
    if (device < 0 || ::mount("hungfs", argv[1], "fuse.hungfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        std::fprintf(stderr, "hungfs: can't mount a FUSE file system here: %s\n", std::strerror(errno));
        return 77;
    }
    struct sigaction ending_action {};
    ending_action.sa_handler = end;   // without SA_RESTART: the read returns
    ::sigaction(SIGTERM, &ending_action, nullptr);
    ::sigaction(SIGINT, &ending_action, nullptr);
    struct sigaction stall_action {};
    stall_action.sa_handler = stall;
    ::sigaction(SIGUSR1, &stall_action, nullptr);
    std::printf("ready\n");
    std::fflush(stdout);

    // The signals come only while it waits, so that once stalled it takes
    // no request that was already on its way.
    sigset_t waiting;
    sigset_t blocked;
    ::sigemptyset(&blocked);
    for (const int signal : {SIGTERM, SIGINT, SIGUSR1})
        ::sigaddset(&blocked, signal);
    ::sigprocmask(SIG_BLOCK, &blocked, &waiting);

    std::vector<char> request(FUSE_MIN_READ_BUFFER + (1 << 20));
    bool told = false;
    while (!ending) {
        if (stalled) {
            if (!told) {
                std::printf("stalled\n");
                std::fflush(stdout);
                told = true;
            }
            ::sigsuspend(&waiting);
            continue;
        }
        pollfd kernel{device, POLLIN, 0};
        if (::ppoll(&kernel, 1, nullptr, &waiting) <= 0)
            continue;
        const ssize_t size = ::read(device, request.data(), request.size());
        if (size < ssize_t(sizeof(fuse_in_header)))
            continue;
        fuse_in_header header;
        std::memcpy(&header, request.data(), sizeof header);
        switch (header.opcode) {
        case FUSE_INIT: {
            fuse_init_out init{};
            init.major = FUSE_KERNEL_VERSION;
            init.minor = FUSE_KERNEL_MINOR_VERSION;
            init.max_write = 4096;
            reply(device, header.unique, 0, &init);
            break;
        }
        case FUSE_GETATTR: {
            fuse_attr_out attributes{};
            attributes.attr.ino = header.nodeid;
            attributes.attr.mode = S_IFDIR | 0755;
            attributes.attr.nlink = 2;
            reply(device, header.unique, 0, &attributes);
            break;
        }
        case FUSE_LOOKUP:
            reply<char>(device, header.unique, ENOENT, nullptr);
            break;
        default:
            break;   // never answered
        }
    }
    ::umount2(argv[1], MNT_DETACH);
    ::close(device);
    return 0;
}
