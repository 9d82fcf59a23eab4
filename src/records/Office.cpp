#include "Office.h"

#include "OfficeProfile.h"
#include "UnoText.h"
#include "Watchdog.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <csignal>
#include <mutex>
#include <thread>
#include <unistd.h>

using namespace css;

namespace {

// The UNO runtime of this process, bootstrapped from the office's own
// settings (without them the type library is missing and the bootstrap
// crashes). It is made once and lives as long as the program.
uno::Reference<uno::XComponentContext> localContext()
{
    static std::once_flag once;
    static uno::Reference<uno::XComponentContext> context;
    std::call_once(once, [] {
        Office::prepareEnvironment();
        context = cppu::defaultBootstrap_InitialComponentContext();
    });
    return context;
}

QString uniquePipeName()
{
    static std::atomic<int> counter = 0;
    return QStringLiteral("settleslip-%1-%2").arg(getpid()).arg(counter++);
}

} // namespace

void Office::prepareEnvironment()
{
    static std::once_flag once;
    std::call_once(once, [] {
        setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc", 1);
        // The office needs a home folder even with a profile of its own (a
        // service account may have none).
        if (qEnvironmentVariableIsEmpty("HOME"))
            qputenv("HOME", QFile::encodeName(QDir::tempPath()));
        // A call to an office that has just died writes to its closed pipe;
        // the signal that brings would end the whole program, where the
        // failed write makes the call fail and the clerk sees a message.
        // Our offices are spawned with every signal at its default.
        std::signal(SIGPIPE, SIG_IGN);
    });
}

Office::Office(const OfficeOptions &options, const std::atomic<bool> *cancelled)
    : m_options(options), m_profile(QDir(QDir::tempPath()).filePath(ProfileFolderPrefix + QStringLiteral("XXXXXX")))
{
    if (!m_profile.isValid())
        throw Exception(QStringLiteral("No folder for LibreOffice's settings can be made in %1: %2")
                            .arg(QDir::tempPath(), m_profile.errorString()));
    prepareEnvironment();
    seedOfficeProfile(m_profile.path(), options.program);
    const QString pipeName = uniquePipeName();
    m_process = std::make_unique<OfficeProcess>(
        options.program,
        QStringList{QStringLiteral("--headless"), QStringLiteral("--invisible"),
                    QStringLiteral("--norestore"), QStringLiteral("--nologo"),
                    QStringLiteral("--nodefault"), QStringLiteral("--nolockcheck"),
                    QStringLiteral("-env:UserInstallation=")
                        + QUrl::fromLocalFile(m_profile.path()).toString(QUrl::FullyEncoded),
                    QStringLiteral("--accept=pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipeName)});
    connect(pipeName, cancelled);
}

void Office::connect(const QString &pipeName, const std::atomic<bool> *cancelled)
{
    // The office may accept the connection and then hang; the watchdog turns
    // that into a failed call as well.
    Watchdog watchdog(m_options.startTimeout, [this] { kill(); });
    const uno::Reference<bridge::XUnoUrlResolver> resolver = bridge::UnoUrlResolver::create(localContext());
    const rtl::OUString url = toOUString(
        QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipeName));
    const auto failure = [this](const QString &why) {
        return Exception(QStringLiteral("LibreOffice (%1) %2").arg(m_options.program, why));
    };
    for (;;) {
        if (cancelled && *cancelled)
            throw Abort();
        try {
            const uno::Reference<uno::XComponentContext> remote(resolver->resolve(url), uno::UNO_QUERY_THROW);
            m_desktop = frame::Desktop::create(remote);
            return;
        } catch (const connection::NoConnectException &) {
            // not listening yet
        } catch (const uno::Exception &error) {
            if (watchdog.fired())
                break;
            throw failure(QStringLiteral("did not accept the connection: %1").arg(toQString(error.Message)));
        }
        if (watchdog.fired())
            break;
        if (hasExited())
            throw failure(QStringLiteral("ended while starting"));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    throw failure(QStringLiteral("did not answer within %1 seconds of its start")
                      .arg(std::chrono::duration_cast<std::chrono::seconds>(m_options.startTimeout).count()));
}

Office::~Office()
{
    if (m_desktop.is() && !hasExited()) {
        Watchdog watchdog(std::chrono::seconds(5), [this] { kill(); });
        try {
            m_desktop->terminate();
        } catch (const uno::Exception &) {
            // The bridge closes as the office ends; nothing is left to do.
        }
        m_desktop.clear();
        m_process->waitForExit(5000);
    }
    m_desktop.clear();
    m_process.reset();  // kills what is left and collects it
}
