#include "tools/tavo-send/PhoneConnection.h"

#include <iostream>

#include "kit/CodingErrors.h"
#include "kit/TavoFraming.h"

namespace tavo {

namespace {

// Status replies are a few dozen bytes; anything far larger means the peer is not a receiver.
constexpr std::uint32_t largestFrame = 1 << 20;

}  // namespace

PhoneConnection::PhoneConnection(const std::string& host, std::uint16_t port)
    : socket_(io_), closeTimer_(io_) {
    asio::ip::tcp::resolver resolver(io_);
    asio::connect(socket_, resolver.resolve(host, std::to_string(port)));
    socket_.set_option(asio::ip::tcp::no_delay(true));
    readHeader();
    thread_ = std::thread([this] { io_.run(); });
}

PhoneConnection::~PhoneConnection() {
    if (thread_.joinable()) {
        asio::post(io_, [this] { end(asio::error::operation_aborted); });
        thread_.join();
    }
}

void PhoneConnection::send(Bytes frame) {
    {
        const std::lock_guard lock(mutex_);
        if (failure_) {
            return;
        }
        queued_.push_back(std::move(frame));
        ++unwritten_;
    }
    asio::post(io_, [this] {
        if (writing_.empty()) {
            writeQueued();
        }
    });
}

bool PhoneConnection::waitForStatus(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    changed_.wait_until(lock, deadline, [this] { return statusReplies_ > 0 || failure_; });
    return statusReplies_ > 0;
}

void PhoneConnection::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return unwritten_ == 0 || failure_; });
}

void PhoneConnection::linger(std::chrono::duration<double> time) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, time, [this] { return failure_.has_value(); });
}

void PhoneConnection::close(std::chrono::duration<double> grace) {
    flush();
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    asio::post(io_, [this, grace] {
        std::error_code ignored;
        socket_.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
        closeTimer_.expires_after(std::chrono::duration_cast<std::chrono::nanoseconds>(grace));
        closeTimer_.async_wait([this](std::error_code error) {
            if (!error) {
                end(asio::error::operation_aborted);
            }
        });
    });
    thread_.join();
}

std::optional<std::string> PhoneConnection::failure() const {
    const std::lock_guard lock(mutex_);
    return failure_;
}

void PhoneConnection::readHeader() {
    readBuffer_.resize(TavoFraming::headerLength);
    asio::async_read(
        socket_, asio::buffer(readBuffer_), [this](std::error_code error, std::size_t) {
            if (error) {
                end(error);
                return;
            }
            const std::uint32_t length = TavoFraming::decodeLength(readBuffer_).value();
            if (length > largestFrame) {
                end(asio::error::message_size);
                return;
            }
            readBody(length);
        });
}

void PhoneConnection::readBody(std::size_t length) {
    readBuffer_.resize(length);
    asio::async_read(socket_, asio::buffer(readBuffer_),
                     [this](std::error_code error, std::size_t) {
                         if (error) {
                             end(error);
                             return;
                         }
                         printFrame();
                         readHeader();
                     });
}

void PhoneConnection::printFrame() {
    try {
        const TavoMessage message = TavoFraming::decode(readBuffer_);
        if (const TavoReceiverStatus* status = message.status()) {
            std::cout << "status: " << rawValue(status->outputMode) << std::endl;
            const std::lock_guard lock(mutex_);
            ++statusReplies_;
        } else {
            std::cout << "received: " << rawValue(message.kind()) << std::endl;
        }
        changed_.notify_all();
    } catch (const DecodingError& error) {
        std::cerr << "tavo-send: undecodable frame from the receiver: " << error.what()
                  << std::endl;
    }
}

void PhoneConnection::writeQueued() {
    {
        const std::lock_guard lock(mutex_);
        writing_.assign(std::make_move_iterator(queued_.begin()),
                        std::make_move_iterator(queued_.end()));
        queued_.clear();
    }
    if (writing_.empty()) {
        return;
    }
    std::vector<asio::const_buffer> buffers;
    buffers.reserve(writing_.size());
    for (const Bytes& frame : writing_) {
        buffers.push_back(asio::buffer(frame));
    }
    asio::async_write(socket_, buffers, [this](std::error_code error, std::size_t) {
        if (error) {
            end(error);
            return;
        }
        {
            const std::lock_guard lock(mutex_);
            unwritten_ -= writing_.size();
        }
        changed_.notify_all();
        writing_.clear();
        writeQueued();
    });
}

// Every path that stops the connection ends here, on the I/O thread; the io_context then runs out
// of work and its thread ends.
void PhoneConnection::end(std::error_code error) {
    {
        const std::lock_guard lock(mutex_);
        const bool expected =
            closing_ && (error == asio::error::eof || error == asio::error::operation_aborted);
        if (!expected && !failure_) {
            failure_ = error == asio::error::eof ? "the receiver closed the connection"
                       : error == asio::error::message_size
                           ? "the peer sent an oversized frame; is it a Tavo receiver?"
                           : "connection lost: " + error.message();
        }
    }
    changed_.notify_all();
    closeTimer_.cancel();
    std::error_code ignored;
    socket_.close(ignored);
}

}  // namespace tavo
