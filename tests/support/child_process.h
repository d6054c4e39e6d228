// SPDX-License-Identifier: MIT
#pragma once
// A helper program of the tests run as a process of its own, its standard input and output on
// pipes: the test hands it bytes, reads what it tells, and waits for it or kills it.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace durava::testing {

class ChildProcess {
  public:
    // The exit code of a child that the kill ended, the same on every platform.
    static constexpr int kKilled = 128 + 9;

    // `program` is the file name of a helper built beside the running test.
    ChildProcess(std::string_view program, const std::vector<std::string>& arguments);
    // Kills the child if it still runs, so that a failed test leaves none behind.
    ~ChildProcess();
    ChildProcess(ChildProcess&&) noexcept;

    bool Started() const;
    bool Write(std::string_view bytes);
    // Reads some more of what it told; false once its output has ended.
    bool ReadMore();
    // Reads until `text` has been told, or to the end of its output.
    void ReadUntil(std::string_view text);
    void ReadToEnd();
    const std::string& Told() const { return m_told; }
    // Its exit code, once it has ended.
    int Wait();
    // Ends it at once, as a crash or a power cut would; kKilled unless it had ended already.
    int Kill();

  private:
    struct Handles;
    std::unique_ptr<Handles> m_handles;
    std::string m_told;
};

}  // namespace durava::testing
