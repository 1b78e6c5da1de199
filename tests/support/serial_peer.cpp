#include "support/serial_peer.h"

#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace {

constexpr auto kWaitLimit = std::chrono::seconds(2);

void MakeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return;
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
}

void WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (fd >= 0 && done < bytes.size()) {
        ssize_t r = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (r <= 0) return;
        done += static_cast<size_t>(r);
    }
}

}  // namespace

SerialPeer::SerialPeer(int portNumber, bool holdLine) : portNumber_(portNumber) {
    char name[128] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0) {
        path_ = name;
        MakeRaw(master_);
        MakeRaw(slave_);
    }
    if (!holdLine && slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    setenv(("ZENDAVORI_COM" + std::to_string(portNumber_)).c_str(), path_.c_str(), 1);
    thread_ = std::thread([this] { Run(); });
}

SerialPeer::~SerialPeer() {
    stop_ = true;
    thread_.join();
    CloseMaster();
    if (slave_ >= 0) ::close(slave_);
    unsetenv(("ZENDAVORI_COM" + std::to_string(portNumber_)).c_str());
}

std::string SerialPeer::PortName() const { return "COM" + std::to_string(portNumber_) + ":"; }

void SerialPeer::Respond(const std::string& request, const std::string& reply) {
    std::lock_guard<std::mutex> lock(mutex_);
    rules_.push_back({request, reply});
}

void SerialPeer::RespondToCommand(const std::string& start, char end, const std::string& reply) {
    std::lock_guard<std::mutex> lock(mutex_);
    rules_.push_back({start, reply, end});
}

bool SerialPeer::Matches(const Rule& rule, const std::string& received) {
    if (rule.end == 0)
        return received.size() >= rule.request.size() &&
               received.compare(received.size() - rule.request.size(), rule.request.size(), rule.request) == 0;
    if (received.empty() || received.back() != rule.end) return false;
    std::size_t start = received.rfind(rule.request);
    return start != std::string::npos && received.find(rule.end, start + rule.request.size()) == received.size() - 1;
}

void SerialPeer::ClearRules() {
    std::lock_guard<std::mutex> lock(mutex_);
    rules_.clear();
}

void SerialPeer::Send(const std::string& bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    WriteAll(master_, bytes);
}

void SerialPeer::SetReading(bool reading) { reading_ = reading; }

void SerialPeer::HangUp() {
    std::lock_guard<std::mutex> lock(mutex_);
    CloseMaster();
}

bool SerialPeer::IsPortOpen() {
    std::lock_guard<std::mutex> lock(mutex_);
    pollfd p{master_, 0, 0};
    return master_ >= 0 && ::poll(&p, 1, 0) >= 0 && !(p.revents & POLLHUP);
}

void SerialPeer::CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

std::string SerialPeer::Received() {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

std::string SerialPeer::TakeReceived() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string all;
    all.swap(received_);
    return all;
}

bool SerialPeer::WaitReceived(const std::string& text) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, kWaitLimit, [&] { return received_.find(text) != std::string::npos; });
}

bool SerialPeer::WaitPending(int n) {
    auto end = std::chrono::steady_clock::now() + kWaitLimit;
    while (std::chrono::steady_clock::now() < end) {
        int pending = 0;
        if (ioctl(slave_, FIONREAD, &pending) == 0 && pending >= n) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

void SerialPeer::Run() {
    while (!stop_) {
        int fd;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            fd = master_;
        }
        if (fd < 0 || !reading_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 10) <= 0) continue;
        if (!(p.revents & POLLIN)) {
            // A line with no slave open hangs up at once: wait for the program.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        char buf[256];
        std::lock_guard<std::mutex> lock(mutex_);
        if (master_ < 0) continue;
        ssize_t r = ::read(master_, buf, sizeof buf);
        if (r <= 0) continue;
        received_.append(buf, static_cast<size_t>(r));
        for (const Rule& rule : rules_)
            if (Matches(rule, received_)) WriteAll(master_, rule.reply);
        changed_.notify_all();
    }
}
