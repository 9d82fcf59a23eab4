#pragma once

#include "Exception.h"
#include "OfficeProcess.h"

#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <memory>

// How our office is started and how long it may take to answer.
struct OfficeOptions {
    QString program = QStringLiteral("/usr/lib/libreoffice/program/soffice");
    std::chrono::milliseconds startTimeout = std::chrono::seconds(60);
    std::chrono::milliseconds callTimeout = std::chrono::seconds(30);
};

// The office stopped, crashed or did not answer: the connection is gone and
// the next use needs a fresh office.
class OfficeFailure : public Exception {
public:
    using Exception::Exception;
};

// A headless LibreOffice of our own, reached over a private pipe. It never
// attaches to an office the user runs, and it has a profile of its own that
// lives only as long as it does.
class Office {
public:
    // How the names of our offices' profile folders begin.
    static inline const QString ProfileFolderPrefix = QStringLiteral("settleslip-office-");

    // Starts the office and connects to it within options.startTimeout.
    // Throws Exception when it cannot be started or does not answer; stops
    // early, with Abort, when `cancelled` becomes true.
    explicit Office(const OfficeOptions &options, const std::atomic<bool> *cancelled = nullptr);
    // Asks the office to end, and kills it when it does not.
    ~Office();
    Office(const Office &) = delete;
    Office &operator=(const Office &) = delete;

    // Sets the process environment the office and the UNO runtime need, and
    // has a write to the pipe of a dead office fail instead of ending the
    // program.
    // Changing the environment is not safe while other threads read it, so
    // a program that starts offices from a background thread calls this on
    // its main thread first.
    static void prepareEnvironment();

    pid_t pid() const { return m_process->pid(); }
    css::uno::Reference<css::frame::XComponentLoader> loader() const { return m_desktop.get(); }
    // Kills the office; any call waiting for it then fails. Thread-safe.
    void kill() const noexcept { m_process->kill(); }
    bool hasExited() const { return m_process->hasExited(); }

private:
    void connect(const QString &pipeName, const std::atomic<bool> *cancelled);

    OfficeOptions m_options;
    QTemporaryDir m_profile;
    std::unique_ptr<OfficeProcess> m_process;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
};
