#include "OfficeProcess.h"

#include "Exception.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// Spawn attributes for a child in the process group `group` (0: a group of
// its own), with no signal blocked and every signal at its default.
class SpawnAttributes {
public:
    explicit SpawnAttributes(pid_t group)
    {
        posix_spawnattr_init(&m_attributes);
        sigset_t noSignals, defaultSignals;
        sigemptyset(&noSignals);
        sigfillset(&defaultSignals);
        posix_spawnattr_setsigmask(&m_attributes, &noSignals);
        posix_spawnattr_setsigdefault(&m_attributes, &defaultSignals);
        posix_spawnattr_setpgroup(&m_attributes, group);
        posix_spawnattr_setflags(&m_attributes,
                                 POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&m_attributes); }
    SpawnAttributes(const SpawnAttributes &) = delete;
    SpawnAttributes &operator=(const SpawnAttributes &) = delete;

    const posix_spawnattr_t *get() const { return &m_attributes; }

private:
    posix_spawnattr_t m_attributes;
};

} // namespace

OfficeProcess::OfficeProcess(const QString &program, const QStringList &arguments)
{
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &bytes : storage)
        argv.push_back(bytes.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    const SpawnAttributes ownGroup(0);
    const int error = posix_spawn(&m_pid, argv[0], &actions, ownGroup.get(), argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw Exception(QStringLiteral("LibreOffice (%1) cannot be started: %2")
                            .arg(program, QString::fromLocal8Bit(std::strerror(error))));
    startGuard();
}

void OfficeProcess::startGuard()
{
    // The guard waits for the end of a pipe whose write end only this
    // process holds (close-on-exec), so it reads end-of-file when this
    // process closes it or dies, and then kills the office's group, itself
    // included.
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return;  // the office runs unguarded; the destructor still stops it
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[0], 0);
    for (int fd = 1; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    const SpawnAttributes officeGroup(m_pid);
    const QByteArray group = QByteArray::number(m_pid);
    char shell[] = "/bin/sh", option[] = "-c", script[] = "read _; kill -KILL -\"$0\"";
    char *argv[] = {shell, option, script, const_cast<char *>(group.constData()), nullptr};
    if (posix_spawn(&m_guardPid, shell, &actions, officeGroup.get(), argv, environ) == 0) {
        m_guardPipe = ends[1];
    } else {
        m_guardPid = -1;
        ::close(ends[1]);
    }
    ::close(ends[0]);
    posix_spawn_file_actions_destroy(&actions);
}

OfficeProcess::~OfficeProcess()
{
    // The group leader stays a zombie until collected, so the group id cannot
    // be reused before the group is killed.
    kill();
    int status = 0;
    if (m_guardPid > 0) {
        ::close(m_guardPipe);
        while (waitpid(m_guardPid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
}

bool OfficeProcess::hasExited() const
{
    siginfo_t info {};
    return waitid(P_PID, m_pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == m_pid;
}

void OfficeProcess::kill() const noexcept
{
    ::kill(-m_pid, SIGKILL);
}

bool OfficeProcess::waitForExit(int milliseconds) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!hasExited()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
