#pragma once

#include <QProcess>
#include <QSet>
#include <QString>

class VirtualDisplay;

// The program started on a virtual display and worked as a clerk works it:
// mouse clicks on the boxes and buttons and typed keys, all through xdotool,
// at the places the window has on the screen.
class SlipWindowDriver {
public:
    // Starts `program` in `workingFolder`; the print spooler is the one the
    // test's environment names.
    SlipWindowDriver(VirtualDisplay &display, const QString &program, const QString &workingFolder);
    // Stops the program, and the office it started, by their PIDs.
    ~SlipWindowDriver();
    SlipWindowDriver(const SlipWindowDriver &) = delete;
    SlipWindowDriver &operator=(const SlipWindowDriver &) = delete;

    // Waits (up to 30 s) for the window to be shown; false when it is not,
    // the program's own output then being in the test's failures.
    bool waitForWindow();

    void clickBox(int number);
    // Clicks the box, empties it with End and Backspace, and types `text`.
    // Characters the keyboard lacks (Chinese) are typed on keys of their own.
    void typeIntoBox(int number, const QString &text);
    // Button1 (Print), Button2 (Save) or Button3 (Clear).
    void clickButton(int number);
    // Saves a picture of the window, or of the whole screen when no window
    // was found.
    void screenshot(const QString &path);

    // Ends the program, and with it any office it started.
    void stop();

private:
    // Whether the program has ended, or ends within `waitMs`.
    bool programEnds(int waitMs);
    void xdotool(const QStringList &arguments);
    void bindKeysFor(const QString &text);
    void stopOffice();

    VirtualDisplay &m_display;
    QProcess m_program;
    QString m_window;
    QSet<char32_t> m_boundCharacters;
    int m_nextSpareKey = 255;
};
