#include "support/scripted_serial.h"

#include <algorithm>

namespace {

ScriptedSerial* active = nullptr;

pl::SerialStatus Open(const std::string&, void** port) {
    if (active->refuseOpen) {
        *port = nullptr;
        return pl::kSerialNoDevice;
    }
    ++active->opens;
    *port = active;
    return pl::kSerialOk;
}
void Close(void*) {}
pl::SerialStatus Configure(void*, const pl::SerialSettings&) { return pl::kSerialOk; }
pl::SerialStatus Timeouts(void*, const pl::SerialTimeouts&) { return pl::kSerialOk; }

pl::SerialStatus Read(void*, void* buffer, int n, int* count) {
    auto* bytes = static_cast<char*>(buffer);
    if (active->endless) {
        std::fill(bytes, bytes + n, 'x');
        *count = n;
        return pl::kSerialOk;
    }
    std::size_t take = std::min(active->input.size(), static_cast<std::size_t>(n));
    std::copy_n(active->input.begin(), take, bytes);
    active->input.erase(0, take);
    *count = static_cast<int>(take);
    return pl::kSerialOk;
}

pl::SerialStatus Write(void*, const void* buffer, int n, int* count) {
    *count = 0;
    if (active->writesTimeOut || active->writesBeforeTimeOut == 0) return pl::kSerialTimedOut;
    if (active->writesBeforeTimeOut > 0) --active->writesBeforeTimeOut;
    active->written.append(static_cast<const char*>(buffer), static_cast<std::size_t>(n));
    *count = n;
    if (!active->replies.empty()) {
        active->input = active->replies.front();
        active->replies.pop_front();
    }
    return pl::kSerialOk;
}

pl::SerialStatus Purge(void*) {
    active->input.clear();
    return pl::kSerialOk;
}

}  // namespace

ScriptedSerial::ScriptedSerial() {
    active = this;
    previous_ = InstallSerialDevice(SerialDevice{Open, Close, Configure, Timeouts, Read, Write, Purge});
}

void ScriptedSerial::ReplyEach(const uint8_t* data, std::size_t size, std::size_t from) {
    std::size_t i = from;
    while (i < size) {
        std::size_t length = data[i++];
        std::size_t take = std::min(length, size - i);
        Reply(std::string(reinterpret_cast<const char*>(data + i), take));
        i += take;
    }
}

ScriptedSerial::~ScriptedSerial() {
    ResetSerialLink();
    InstallSerialDevice(previous_);
    active = nullptr;
}
