#include "platform/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "platform/clock.h"
#include "platform/last_error.h"

namespace pl {

struct SerialPort {
    int fd = -1;
    std::string name;
    std::string path;
    SerialSettings settings;
    SerialTimeouts timeouts;
};

namespace {

// On a virtual clock a wait first gives the device this much real time to
// deliver what is already on its way (a pseudo-terminal hands bytes over
// asynchronously), then lets the virtual time pass at once.
constexpr int kVirtualGraceMs = 200;

std::mutex logMutex;
std::vector<SerialSettingsRecord> settingsLog;

SerialStatus Fail(SerialStatus status, int error) {
    SetLastError(static_cast<uint32_t>(error));
    return status;
}

SerialStatus StatusOfErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return kSerialNoDevice;
    case EACCES:
    case EPERM:
        return kSerialAccessDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return kSerialBusy;
    case ENOTTY:
        return kSerialNotATerminal;
    default:
        return kSerialIoError;
    }
}

// Milliseconds from now until `deadline` (negative when it has passed).
int32_t Remaining(uint32_t deadline) { return static_cast<int32_t>(deadline - GetTickCount()); }

enum Wait { kWaitTimedOut, kWaitReady, kWaitHungUp };

// Waits up to ms (-1: without limit) until the descriptor is ready for
// `events`, or the line hangs up.
Wait WaitReady(int fd, short events, int ms) {
    pollfd p{fd, events, 0};
    bool virtualClock = IsVirtualClock();
    int realMs = virtualClock ? kVirtualGraceMs : ms;
    int r;
    do {
        r = ::poll(&p, 1, realMs);
    } while (r < 0 && errno == EINTR);
    if (r > 0) return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) ? kWaitHungUp : kWaitReady;
    if (virtualClock && ms > 0) Sleep(static_cast<uint32_t>(ms));
    return kWaitTimedOut;
}

speed_t SpeedOf(int baud) {
    switch (baud) {
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
    }
}

bool ValidSettings(const SerialSettings& s) {
    return SpeedOf(s.baud) != B0 && s.dataBits == 8 && (s.parity == kParityNone || s.parity == kParityEven) &&
           (s.stopBits == 1 || s.stopBits == 2);
}

// Raw 8-bit line with the settings' speed, parity, stop bits and flow control.
void FillTermios(const SerialSettings& s, termios* t) {
    cfmakeraw(t);
    t->c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t->c_cflag |= CS8 | CREAD | CLOCAL | HUPCL;
    if (s.parity == kParityEven) t->c_cflag |= PARENB;
    if (s.stopBits == 2) t->c_cflag |= CSTOPB;
    if (s.handshake) t->c_cflag |= CRTSCTS;
    t->c_iflag &= ~static_cast<tcflag_t>(INPCK | IGNPAR | PARMRK | ISTRIP);
    // A byte with a parity error is dropped, so it never passes as good data.
    if (s.parityCheck) t->c_iflag |= INPCK | IGNPAR;
    t->c_cc[VMIN] = 0;
    t->c_cc[VTIME] = 0;
    cfsetispeed(t, SpeedOf(s.baud));
    cfsetospeed(t, SpeedOf(s.baud));
}

constexpr tcflag_t kLineFlags = CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS;

bool LineShown(int fd, const termios& wanted) {
    termios now{};
    if (tcgetattr(fd, &now) != 0) return false;
    return (now.c_cflag & kLineFlags) == (wanted.c_cflag & kLineFlags) &&
           (now.c_iflag & INPCK) == (wanted.c_iflag & INPCK) && cfgetospeed(&now) == cfgetospeed(&wanted);
}

// Sets DTR and (without handshake) RTS. Returns 0, kSerialUnshownModem when
// the device has no modem lines, or -1 with errno set when it failed.
int SetModemLines(int fd, const SerialSettings& s) {
    int on = 0;
    int off = 0;
    (s.dtr ? on : off) |= TIOCM_DTR;
    if (!s.handshake) (s.rts ? on : off) |= TIOCM_RTS;
    else on |= TIOCM_RTS;
    if ((on == 0 || ioctl(fd, TIOCMBIS, &on) == 0) && (off == 0 || ioctl(fd, TIOCMBIC, &off) == 0)) return 0;
    if (errno == ENOTTY || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) return kSerialUnshownModem;
    return -1;
}

void Record(const SerialPort* port, const SerialSettings& settings, int unshown) {
    std::lock_guard<std::mutex> lock(logMutex);
    settingsLog.push_back({port->name, port->path, settings, unshown});
}

SerialStatus Apply(SerialPort* port, const SerialSettings& s) {
    if (!ValidSettings(s)) return Fail(kSerialBadSetting, EINVAL);
    termios t{};
    if (tcgetattr(port->fd, &t) != 0) return Fail(StatusOfErrno(errno), errno);
    FillTermios(s, &t);
    if (tcsetattr(port->fd, TCSANOW, &t) != 0) return Fail(kSerialIoError, errno);
    int unshown = LineShown(port->fd, t) ? 0 : kSerialUnshownLine;
    int lines = SetModemLines(port->fd, s);
    if (lines < 0) return Fail(kSerialIoError, errno);
    port->settings = s;
    Record(port, s, unshown | lines);
    return kSerialOk;
}

// The number after "COM" in a port name, or 0 for any other name.
int PortNumber(const std::string& name) {
    if (name.size() < 4) return 0;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
    size_t end = name.size();
    if (name.back() == ':') --end;
    if (end <= 3 || end - 3 > 6) return 0;
    int n = 0;
    for (size_t i = 3; i < end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

}  // namespace

std::string SerialDevicePath(const std::string& portName) {
    int n = PortNumber(portName);
    if (n < 1) return {};
    std::string variable = "ZENDAVORI_COM" + std::to_string(n);
    const char* path = std::getenv(variable.c_str());
    if (path && *path) return path;
    return "/dev/ttyS" + std::to_string(n - 1);
}

SerialStatus OpenSerialPort(const std::string& portName, SerialPort** port) {
    if (!port) return Fail(kSerialNotOpen, EINVAL);
    *port = nullptr;
    std::string path = SerialDevicePath(portName);
    if (path.empty()) return Fail(kSerialNoDevice, ENOENT);
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Fail(StatusOfErrno(errno), errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !::isatty(fd)) {
        int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return Fail(StatusOfErrno(error), error);
    }
    auto* p = new SerialPort;
    p->fd = fd;
    p->name = portName;
    p->path = path;
    SerialStatus status = Apply(p, SerialSettings{});
    if (status != kSerialOk) {
        CloseSerialPort(p);
        return status;
    }
    *port = p;
    return kSerialOk;
}

void CloseSerialPort(SerialPort* port) {
    if (!port) return;
    ::close(port->fd);
    delete port;
}

SerialStatus GetSerialSettings(const SerialPort* port, SerialSettings* settings) {
    if (!port || !settings) return Fail(kSerialNotOpen, EBADF);
    *settings = port->settings;
    return kSerialOk;
}

SerialStatus SetSerialSettings(SerialPort* port, const SerialSettings& settings) {
    if (!port) return Fail(kSerialNotOpen, EBADF);
    return Apply(port, settings);
}

SerialStatus GetSerialTimeouts(const SerialPort* port, SerialTimeouts* timeouts) {
    if (!port || !timeouts) return Fail(kSerialNotOpen, EBADF);
    *timeouts = port->timeouts;
    return kSerialOk;
}

SerialStatus SetSerialTimeouts(SerialPort* port, const SerialTimeouts& timeouts) {
    if (!port) return Fail(kSerialNotOpen, EBADF);
    port->timeouts = timeouts;
    return kSerialOk;
}

SerialStatus ReadSerial(SerialPort* port, void* buffer, int n, int* count) {
    if (count) *count = 0;
    if (!port || !count) return Fail(kSerialNotOpen, EBADF);
    if (n <= 0 || !buffer) return kSerialOk;
    const SerialTimeouts& to = port->timeouts;
    uint32_t start = GetTickCount();
    bool totalLimit = to.readTotalMultiplier != 0 || to.readTotalConstant != 0;
    uint32_t deadline = start + to.readTotalMultiplier * static_cast<uint32_t>(n) + to.readTotalConstant;
    uint32_t lastByte = start;
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (*count < n) {
        ssize_t r = ::read(port->fd, bytes + *count, static_cast<size_t>(n - *count));
        if (r > 0) {
            *count += static_cast<int>(r);
            lastByte = GetTickCount();
            continue;
        }
        // In raw mode with no minimum an empty line reads as 0 bytes; a line
        // that went away fails (EIO).
        if (r < 0 && errno != EAGAIN && errno != EINTR) return Fail(kSerialIoError, errno);
        bool limited = totalLimit;
        int32_t left = totalLimit ? Remaining(deadline) : 0;
        if (*count > 0 && to.readInterval != 0) {
            int32_t interval = Remaining(lastByte + to.readInterval);
            left = limited ? std::min(left, interval) : interval;
            limited = true;
        }
        if (limited && left <= 0) break;
        if (WaitReady(port->fd, POLLIN, limited ? left : -1) == kWaitHungUp) {
            // What came before the line went away is still handed over.
            ssize_t last = ::read(port->fd, bytes + *count, static_cast<size_t>(n - *count));
            if (last > 0) *count += static_cast<int>(last);
            return Fail(kSerialIoError, EIO);
        }
    }
    return kSerialOk;
}

SerialStatus WriteSerial(SerialPort* port, const void* buffer, int n, int* count) {
    int written = 0;
    if (count) *count = 0;
    if (!port) return Fail(kSerialNotOpen, EBADF);
    if (n <= 0 || !buffer) return kSerialOk;
    const SerialTimeouts& to = port->timeouts;
    bool limit = to.writeTotalMultiplier != 0 || to.writeTotalConstant != 0;
    uint32_t deadline = GetTickCount() + to.writeTotalMultiplier * static_cast<uint32_t>(n) + to.writeTotalConstant;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    SerialStatus status = kSerialOk;
    while (written < n) {
        ssize_t r = ::write(port->fd, bytes + written, static_cast<size_t>(n - written));
        if (r > 0) {
            written += static_cast<int>(r);
            continue;
        }
        if (r < 0 && errno != EAGAIN && errno != EINTR) {
            status = Fail(kSerialIoError, errno);
            break;
        }
        int32_t wait = limit ? Remaining(deadline) : -1;
        if (limit && wait <= 0) {
            status = Fail(kSerialTimedOut, ETIMEDOUT);
            break;
        }
        if (WaitReady(port->fd, POLLOUT, wait) == kWaitHungUp) {
            status = Fail(kSerialIoError, EIO);
            break;
        }
    }
    if (count) *count = written;
    return status;
}

SerialStatus PurgeSerial(SerialPort* port, int flags) {
    if (!port) return Fail(kSerialNotOpen, EBADF);
    int queue = (flags & kPurgeInput) && (flags & kPurgeOutput) ? TCIOFLUSH
                : (flags & kPurgeInput)                      ? TCIFLUSH
                : (flags & kPurgeOutput)                     ? TCOFLUSH
                                                             : -1;
    if (queue >= 0 && tcflush(port->fd, queue) != 0) return Fail(kSerialIoError, errno);
    return kSerialOk;
}

const char* SerialStatusText(SerialStatus status) {
    switch (status) {
    case kSerialOk: return "No error";
    case kSerialNoDevice: return "No such serial port";
    case kSerialAccessDenied: return "Access to the serial port denied";
    case kSerialBusy: return "The serial port is in use";
    case kSerialNotATerminal: return "The device is not a serial port";
    case kSerialBadSetting: return "Unsupported serial port setting";
    case kSerialIoError: return "Serial port failure";
    case kSerialTimedOut: return "Serial port time-out";
    case kSerialNotOpen: return "The serial port is not open";
    }
    return "Unknown serial port status";
}

std::vector<SerialSettingsRecord> SerialSettingsLog() {
    std::lock_guard<std::mutex> lock(logMutex);
    return settingsLog;
}

void ResetSerialSettingsLog() {
    std::lock_guard<std::mutex> lock(logMutex);
    settingsLog.clear();
}

}  // namespace pl
