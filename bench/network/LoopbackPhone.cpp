#include "bench/network/LoopbackPhone.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tavo {

namespace {

[[noreturn]] void throwErrno(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

LoopbackPhone::LoopbackPhone(std::uint16_t port) {
    socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) {
        throwErrno("socket");
    }
    const int on = 1;
    ::setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(socket_);
        throw std::system_error(error, std::generic_category(), "connect");
    }
    reader_ = std::thread([socket = socket_] {
        char buffer[64 * 1024];
        while (::read(socket, buffer, sizeof buffer) > 0) {
        }
    });
}

LoopbackPhone::~LoopbackPhone() {
    ::shutdown(socket_, SHUT_RDWR);
    reader_.join();
    ::close(socket_);
}

void LoopbackPhone::write(ByteView bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throwErrno("send");
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
}

}  // namespace tavo
