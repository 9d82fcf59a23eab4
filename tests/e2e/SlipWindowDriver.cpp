#include "SlipWindowDriver.h"

#include <QElapsedTimer>
#include <iostream>

#include "Command.h"
#include "FieldCatalogue.h"
#include "Until.h"
#include "VirtualDisplay.h"
#include "WindowClose.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QString WindowTitle = QStringLiteral("城镇居民医保结算单");

// The window's layout: the toolbar's height above the scroll box, the scroll
// box's frame around the picture the boxes lie on, and the toolbar buttons.
constexpr int ToolBarHeight = 29;
constexpr int ScrollFrame = 1;
constexpr int ButtonWidth = 75;
constexpr int ButtonMiddleY = 13;
constexpr int WindowWidth = 854;
constexpr int WindowHeight = 467;
constexpr int StatusBarHeight = 19;

// More than any box holds: End and this many Backspaces empty a box.
constexpr int BackspacesToEmpty = 40;

// The keys from here up carry only media and hardware functions on the
// virtual display's keyboard; the program has no use for them.
constexpr int LowestSpareKey = 200;

QString number(int value) { return QString::number(value); }


}  // namespace

SlipWindowDriver::SlipWindowDriver(VirtualDisplay &display, const QString &program,
                                   const QString &workingFolder)
    : m_display(display)
{
    QProcessEnvironment environment = display.environment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("PRINTER"));
    environment.remove(QStringLiteral("LPDEST"));
    m_program.setProcessEnvironment(environment);
    m_program.setWorkingDirectory(workingFolder);
    m_program.setProcessChannelMode(QProcess::MergedChannels);
    m_program.start(program, {});
    if (!m_program.waitForStarted(10000))
        ADD_FAILURE() << "The program cannot be started: " << m_program.errorString().toStdString();
}

SlipWindowDriver::~SlipWindowDriver()
{
    stop();
}

bool SlipWindowDriver::waitForWindow()
{
    const bool shown = waitUntil(
        [&] {
            if (programEnds(0))
                return true;
            QProcess search;
            search.setProcessEnvironment(m_display.environment());
            search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                     QStringLiteral("--name"), QLatin1Char('^') + WindowTitle + QLatin1Char('$')});
            search.waitForFinished(5000);
            m_window = QString::fromLatin1(search.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
            return !m_window.isEmpty();
        },
        30000);
    if (!shown || m_window.isEmpty()) {
        m_program.waitForReadyRead(100);
        ADD_FAILURE() << "The window was not shown; the program said: "
                      << m_program.readAll().toStdString() << "\n" << m_display.diagnosis().toStdString();
        return false;
    }
    return true;
}

void SlipWindowDriver::xdotool(const QStringList &arguments)
{
    runCommand(QStringLiteral("xdotool"), arguments, m_display.environment());
}

void SlipWindowDriver::clickBox(int box)
{
    const FieldSpec &field = fieldSpec(box);
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), m_window,
             number(ScrollFrame + field.left + field.width / 2),
             number(ToolBarHeight + ScrollFrame + field.top + field.height / 2),
             QStringLiteral("click"), QStringLiteral("1")});
}

void SlipWindowDriver::typeIntoBox(int box, const QString &text)
{
    clickBox(box);
    xdotool({QStringLiteral("key"), QStringLiteral("End"),
             QStringLiteral("key"), QStringLiteral("--repeat"), number(BackspacesToEmpty),
             QStringLiteral("--delay"), QStringLiteral("1"), QStringLiteral("BackSpace")});
    bindKeysFor(text);
    xdotool({QStringLiteral("type"), QStringLiteral("--"), text});
}

void SlipWindowDriver::bindKeysFor(const QString &text)
{
    // For a character the keyboard lacks, xdotool binds a key for the moment
    // of the key press, and the window at times reads the press before the
    // new binding and loses the character. A key of its own for each such
    // character, bound once before it is typed, is read reliably: the
    // window learns of the binding before the press comes.
    QStringList expressions;
    for (const char32_t character : text.toUcs4()) {
        if (character < 0x80 || m_boundCharacters.contains(character))
            continue;
        if (m_nextSpareKey < LowestSpareKey) {
            ADD_FAILURE() << "more characters to type than spare keys";
            return;
        }
        expressions << QStringLiteral("-e")
                    << QStringLiteral("keycode %1 = U%2").arg(m_nextSpareKey--).arg(uint(character), 4, 16, QLatin1Char('0'));
        m_boundCharacters.insert(character);
    }
    if (!expressions.isEmpty())
        runCommand(QStringLiteral("xmodmap"), expressions, m_display.environment());
}

void SlipWindowDriver::clickButton(int button)
{
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), m_window,
             number((button - 1) * ButtonWidth + ButtonWidth / 2), number(ButtonMiddleY),
             QStringLiteral("click"), QStringLiteral("1")});
}

void SlipWindowDriver::screenshot(const QString &path)
{
    runCommand(QStringLiteral("import"),
               {QStringLiteral("-window"), m_window.isEmpty() ? QStringLiteral("root") : m_window, path},
               m_display.environment());
}

bool SlipWindowDriver::programEnds(int waitMs)
{
    // The end of a process is only taken in by a wait, and waitForFinished()
    // is false for one whose end was already taken in.
    return m_program.state() == QProcess::NotRunning || m_program.waitForFinished(waitMs);
}

void SlipWindowDriver::stop()
{
    if (m_program.state() == QProcess::NotRunning)
        return;
    // Closing the window ends the program the way a clerk ends it, and the
    // program then ends its office; a program that does not end is killed
    // with its office.
    const bool closed = !m_window.isEmpty();
    QElapsedTimer ending;
    ending.start();
    if (closed) {
        requestWindowClose(m_display.name(), m_window);
        // Under heavy load Qt's X11 platform at times ignores a close request
        // that follows a synthetic click, until the next mouse event comes. A
        // click on the status bar, which does nothing, and a second request
        // end the program then, as a clerk's second try would.
        if (!programEnds(10000)) {
            std::cout << "The window stayed open; closing it again after a click on the status bar" << std::endl;
            xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), m_window, number(WindowWidth / 2),
                     number(WindowHeight - StatusBarHeight / 2), QStringLiteral("click"), QStringLiteral("1")});
            requestWindowClose(m_display.name(), m_window);
        }
    }
    if (!closed || !programEnds(30000)) {
        if (closed)
            ADD_FAILURE() << "The program did not end when its window was closed";
        stopOffice();
        m_program.kill();
        m_program.waitForFinished();
    }
    std::cout << "The program ended " << ending.elapsed() << " ms after its window was closed" << std::endl;
}

void SlipWindowDriver::stopOffice()
{
    // The program names its office's pipe after its own PID; the office
    // leads a process group of its own.
    const QByteArray pipe = QStringLiteral("settleslip-%1-").arg(m_program.processId()).toUtf8();
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isNumber = false;
        const pid_t pid = entry.toInt(&isNumber);
        QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (!isNumber || !commandLine.open(QIODevice::ReadOnly) || !commandLine.readAll().contains(pipe))
            continue;
        const pid_t group = ::getpgid(pid);
        if (group > 1 && group != ::getpgrp())
            ::kill(-group, SIGKILL);
    }
}
