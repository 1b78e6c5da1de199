// The far end of a serial line for tests: a pseudo-terminal whose slave side
// the program opens as its port (through ZENDAVORI_COM<n>), and a thread on
// the master side that records every byte the program sends and answers by
// script: each time what has come so far ends with a rule's request, the
// rule's reply is sent.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class SerialPeer {
public:
    // Makes the pseudo-terminal and points ZENDAVORI_COM<portNumber> at it.
    // With `holdLine` the peer keeps its own slave handle, so the line never
    // hangs up between the program's opens; without, the master side sees a
    // hang-up exactly while the program's port is closed (IsPortOpen).
    explicit SerialPeer(int portNumber, bool holdLine = true);
    ~SerialPeer();
    SerialPeer(const SerialPeer&) = delete;
    SerialPeer& operator=(const SerialPeer&) = delete;

    // "COM<n>:" and the slave device's path.
    std::string PortName() const;
    std::string DevicePath() const { return path_; }

    // Answers `reply` when the bytes received end with `request`.
    void Respond(const std::string& request, const std::string& reply);
    // Answers `reply` to each command that starts with `start` and ends with
    // `end` (its first `end` after `start`), whatever lies between: the set
    // commands whose coordinates vary.
    void RespondToCommand(const std::string& start, char end, const std::string& reply);
    // Forgets every rule.
    void ClearRules();
    // Sends bytes now, unasked.
    void Send(const std::string& bytes);
    // Stops or resumes reading (a line whose far end takes nothing).
    void SetReading(bool reading);
    // Hangs up: closes the master side, so the line goes dead.
    void HangUp();
    // Without a held line: whether the program has the port open now.
    bool IsPortOpen();

    // Everything received so far.
    std::string Received();
    // Everything received so far, then forgotten.
    std::string TakeReceived();
    // Waits (real time, up to 2 s) until the received bytes contain `text`.
    bool WaitReceived(const std::string& text);
    // Waits (up to 2 s) until the program's side holds at least n unread bytes.
    bool WaitPending(int n);

private:
    struct Rule {
        std::string request;  // the end of the bytes, or with `end` a command's start
        std::string reply;
        char end = 0;
    };
    static bool Matches(const Rule& rule, const std::string& received);
    void Run();
    void CloseMaster();

    int portNumber_;
    int master_ = -1;
    int slave_ = -1;  // kept open so the line never hangs up between opens
    std::string path_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string received_;
    std::vector<Rule> rules_;
    std::atomic<bool> reading_{true};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
