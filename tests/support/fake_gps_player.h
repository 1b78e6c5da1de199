// A GPS receiver on a pseudo-terminal for tests: tests/support/fake_gps_player.py
// run by Debian's python3 (gpsd's gps.fake from python3-gps) plays an NMEA log
// in a loop, and its device becomes the serial port "COM<n>:" through
// ZENDAVORI_COM<n>. The player is ended when the object goes.
#pragma once

#include <string>

class FakeGpsPlayer {
public:
    // Starts the player on `log` (silent: the line kept, nothing sent) and
    // waits up to 10 s for its device.
    FakeGpsPlayer(const std::string& sourceDir, const std::string& log, bool silent, int portNumber);
    ~FakeGpsPlayer();
    FakeGpsPlayer(const FakeGpsPlayer&) = delete;
    FakeGpsPlayer& operator=(const FakeGpsPlayer&) = delete;

    // The pseudo-terminal's path; empty when the player did not start (what
    // it printed is in Error()).
    const std::string& DevicePath() const { return path_; }
    const std::string& Error() const { return error_; }

private:
    int pid_ = -1;
    std::string path_;
    std::string error_;
};
