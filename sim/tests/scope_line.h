// SPDX-License-Identifier: GPL-3.0-or-later
// The scope's end of the line, for the sensor's tests: the slave side of the pseudo-terminal,
// opened and set raw the way a serial port is, with reads that always time out.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace kvor::sim::test {

using Bytes = std::vector<std::uint8_t>;

Bytes RequestFrame(int command, std::initializer_list<std::uint16_t> words = {});
std::uint16_t WordAt(const Bytes& bytes, std::size_t index); // index-th 16-bit word, high first

class ScopeLine {
  public:
    explicit ScopeLine(const std::string& path);
    ~ScopeLine();
    ScopeLine(const ScopeLine&) = delete;
    ScopeLine& operator=(const ScopeLine&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    void close();
    bool write(const Bytes& bytes);
    // Reads until `count` bytes have come or `timeoutSeconds` has passed.
    Bytes read(std::size_t count, double timeoutSeconds);
    // Everything that arrives until the line has been quiet for `quietSeconds`.
    Bytes readUntilQuiet(double quietSeconds, double timeoutSeconds);
    // Sends a request and reads `answerBytes` bytes of answer.
    Bytes exchange(const Bytes& request, std::size_t answerBytes, double timeoutSeconds = 2.0);
    // What the line reports once the far end is gone: 0 (end of file) or -EIO.
    int readAfterHangUp(double timeoutSeconds);

  private:
    int fd_ = -1;
};

} // namespace kvor::sim::test
