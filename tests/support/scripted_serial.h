// A serial device without a terminal, for tests and fuzz targets: installed
// under the serial layer while the object lives. Every write is recorded and
// makes the next scripted reply the line's input; reads take from that input
// and find nothing once it is used up (a silent mount). No time passes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "scope/serial_link.h"

class ScriptedSerial {
public:
    ScriptedSerial();
    ~ScriptedSerial();
    ScriptedSerial(const ScriptedSerial&) = delete;
    ScriptedSerial& operator=(const ScriptedSerial&) = delete;

    // Queues the reply to the next write not yet answered.
    void Reply(const std::string& bytes) { replies.push_back(bytes); }
    // Queues the replies of a fuzz input: from byte `from` on, each a length
    // byte and that many bytes (the last one cut at the end of the input).
    void ReplyEach(const uint8_t* data, std::size_t size, std::size_t from = 1);

    std::deque<std::string> replies;
    std::string input;    // what the line holds now
    std::string written;  // every byte written, in order
    int opens = 0;
    bool refuseOpen = false;    // the device cannot be opened
    bool writesTimeOut = false; // writes fail with a time-out
    int writesBeforeTimeOut = -1; // when >= 0: that many writes go out, later ones time out
    bool endless = false;       // reads always bring a byte (a device that never stops)

private:
    SerialDevice previous_;
};
