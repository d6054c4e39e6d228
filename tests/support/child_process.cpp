// SPDX-License-Identifier: MIT
#include "support/child_process.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;
#endif

namespace durava::testing {

#ifdef _WIN32

struct ChildProcess::Handles {
    HANDLE process = nullptr, input = nullptr, output = nullptr;

    ~Handles() {
        for (HANDLE handle : {process, input, output}) {
            if (handle) CloseHandle(handle);
        }
    }
};

namespace {

std::filesystem::path Beside(std::string_view program) {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    return std::filesystem::path(self).replace_filename(std::filesystem::path(program));
}

// The child's runtime reads its arguments back in the ANSI code page.
std::wstring Wide(std::string_view argument) {
    const int length = static_cast<int>(argument.size());
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, argument.data(), length, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, argument.data(), length, wide.data(),
                        static_cast<int>(wide.size()));
    return wide;
}

// As the child's runtime splits its command line: backslashes count only before a quote.
std::wstring Quoted(const std::wstring& wide) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : wide) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L'"';
}

}  // namespace

ChildProcess::ChildProcess(std::string_view program, const std::vector<std::string>& arguments)
    : m_handles(std::make_unique<Handles>()) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE childInput = nullptr, childOutput = nullptr;
    if (!CreatePipe(&childInput, &m_handles->input, &inherited, 0)) return;
    if (!CreatePipe(&m_handles->output, &childOutput, &inherited, 0)) {
        CloseHandle(childInput);
        return;
    }
    // Only the child's ends go to the child, or its output would never end.
    SetHandleInformation(m_handles->input, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(m_handles->output, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    const std::filesystem::path path = Beside(program);
    std::wstring command = Quoted(path.wstring());
    for (const std::string& argument : arguments) command += L" " + Quoted(Wide(argument));
    // Wine now and then loses a new process before it has begun (ERROR_INTERNAL_ERROR, about one
    // start in thousands); the next start goes through.
    for (int attempt = 0; attempt < 3 && !m_handles->process; ++attempt) {
        PROCESS_INFORMATION started{};
        if (CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                           nullptr, &startup, &started)) {
            CloseHandle(started.hThread);
            m_handles->process = started.hProcess;
        } else if (GetLastError() != ERROR_INTERNAL_ERROR) {
            break;
        }
    }
    CloseHandle(childInput);
    CloseHandle(childOutput);
}

bool ChildProcess::Started() const {
    return m_handles && m_handles->process;
}

bool ChildProcess::Write(std::string_view bytes) {
    DWORD written = 0;
    return WriteFile(m_handles->input, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

bool ChildProcess::ReadMore() {
    char buffer[4096];
    DWORD got = 0;
    if (!ReadFile(m_handles->output, buffer, sizeof buffer, &got, nullptr) || got == 0) {
        return false;
    }
    m_told.append(buffer, got);
    return true;
}

int ChildProcess::Wait() {
    WaitForSingleObject(m_handles->process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(m_handles->process, &code);
    return static_cast<int>(code);
}

int ChildProcess::Kill() {
    // Fails, leaving its own exit code, when it has ended already.
    TerminateProcess(m_handles->process, kKilled);
    return Wait();
}

#else

struct ChildProcess::Handles {
    pid_t pid = 0;
    int input = -1, output = -1;
    int exitCode = -1;  // once waited for

    ~Handles() {
        for (const int fd : {input, output}) {
            if (fd >= 0) ::close(fd);
        }
    }
};

namespace {

std::filesystem::path Beside(std::string_view program) {
    return std::filesystem::read_symlink("/proc/self/exe").replace_filename(program);
}

}  // namespace

ChildProcess::ChildProcess(std::string_view program, const std::vector<std::string>& arguments)
    : m_handles(std::make_unique<Handles>()) {
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const std::string path = Beside(program).string();
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&m_handles->pid, path.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        m_handles->pid = 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    m_handles->input = in[1];
    m_handles->output = out[0];
}

bool ChildProcess::Started() const {
    return m_handles && m_handles->pid != 0;
}

bool ChildProcess::Write(std::string_view bytes) {
    ssize_t written;
    do {
        written = ::write(m_handles->input, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(bytes.size());
}

bool ChildProcess::ReadMore() {
    char buffer[4096];
    ssize_t got;
    do {
        got = ::read(m_handles->output, buffer, sizeof buffer);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return false;
    m_told.append(buffer, static_cast<std::size_t>(got));
    return true;
}

int ChildProcess::Wait() {
    if (m_handles->exitCode >= 0) return m_handles->exitCode;
    int status = 0;
    while (::waitpid(m_handles->pid, &status, 0) < 0 && errno == EINTR) {
    }
    // As a shell tells it: 128 and the signal for a child that a signal ended.
    m_handles->exitCode = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return m_handles->exitCode;
}

int ChildProcess::Kill() {
    // Not yet reaped, so the pid is still this child's even if it has ended.
    if (m_handles->exitCode < 0) ::kill(m_handles->pid, SIGKILL);
    return Wait();
}

#endif

ChildProcess::~ChildProcess() {
    if (Started()) Kill();
}

ChildProcess::ChildProcess(ChildProcess&&) noexcept = default;

void ChildProcess::ReadUntil(std::string_view text) {
    while (m_told.find(text) == std::string::npos && ReadMore()) {
    }
}

void ChildProcess::ReadToEnd() {
    while (ReadMore()) {
    }
}

}  // namespace durava::testing
