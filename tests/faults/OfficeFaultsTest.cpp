// Faults around one running recorder: its office killed in the middle of a
// save, the ledger locked by another process, a file it may not write, the
// disk full. Each leaves both files as they were (or, when the save still
// went through, with the whole record) and the next save works. As root the
// tests mount in a mount namespace of their own, so nothing they mount
// outlives them.

#include "CalcWorkbook.h"
#include "FaultFolder.h"
#include "Office.h"
#include "PaymentLedger.h"
#include "PaymentRecorder.h"
#include "StarterWorkbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

bool canMount = false;
QTemporaryDir *offices = nullptr;  // where the offices of this run keep their profiles

class OfficeFaults : public ::testing::Test {
public:
    static void setUpShared()
    {
        root = new QTemporaryDir;
        folder = root->filePath(QStringLiteral("work"));
        QDir().mkpath(folder);
        reader = new Office(OfficeOptions());
        makeWorkingFolder(*reader, folder);
        OfficeOptions options;
        options.callTimeout = std::chrono::seconds(10);
        recorder = new PaymentRecorder(folder, options);
    }
    static void tearDownShared()
    {
        delete recorder;
        delete reader;
        delete root;
    }

protected:
    QString ledger() const { return recorder->ledgerPath(); }
    QString workbook() const { return recorder->workbookPath(); }
    QStringList files() const { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

    QString saveMessage()
    {
        try {
            recorder->save(sampleSlip());
        } catch (const Exception &error) {
            return error.message();
        }
        return {};
    }

    // The ledger's lines and the workbook's counter agree.
    void expectInStep()
    {
        const int lines = wholeLedgerLines(bytesOf(ledger()));
        ASSERT_GE(lines, 0) << "the ledger holds part of a line";
        EXPECT_EQ(workbookCounter(*reader, workbook()), FirstFreeRow + lines);
    }

    // The fault was reported by the name of `file`, and nothing was written.
    void expectRefused(const QString &message, const QString &file, const QByteArray &ledgerBefore,
                       const QByteArray &workbookBefore, const QStringList &filesBefore)
    {
        EXPECT_TRUE(message.contains(file)) << message.toStdString();
        EXPECT_EQ(bytesOf(ledger()), ledgerBefore);
        EXPECT_EQ(bytesOf(workbook()), workbookBefore);
        EXPECT_EQ(files().join(QLatin1Char(' ')).toStdString(), filesBefore.join(QLatin1Char(' ')).toStdString());
    }

    static inline QTemporaryDir *root = nullptr;
    static inline QString folder;
    static inline Office *reader = nullptr;
    static inline PaymentRecorder *recorder = nullptr;
};

class SharedRecorder : public ::testing::Environment {
public:
    void SetUp() override { OfficeFaults::setUpShared(); }
    void TearDown() override { OfficeFaults::tearDownShared(); }
};
[[maybe_unused]] const auto *const sharedRecorder = ::testing::AddGlobalTestEnvironment(new SharedRecorder);

TEST_F(OfficeFaults, AnOfficeKilledInTheMiddleOfASaveIsReportedAndTheNextSaveWorks)
{
    ASSERT_EQ(saveMessage().toStdString(), "");  // the recorder's office is up
    const pid_t readerGroup = reader->pid();
    const QString lockFile = CalcWorkbook::lockFilePath(workbook());
    const QByteArray ledgerBefore = bytesOf(ledger()), workbookBefore = bytesOf(workbook());
    const QStringList filesBefore = files();

    // Kills the recorder's office as soon as it has the workbook open.
    std::atomic<bool> killed = false, saving = true;
    std::thread killer([&] {
        while (saving && !QFile::exists(lockFile))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        for (const pid_t office : officesWithProfileIn(offices->path()))
            if (getpgid(office) != readerGroup && ::kill(office, SIGKILL) == 0)
                killed = true;
    });
    const auto start = std::chrono::steady_clock::now();
    const QString message = saveMessage();
    const auto took = std::chrono::steady_clock::now() - start;
    saving = false;
    killer.join();

    ASSERT_TRUE(killed) << "no office of the recorder was found to kill";
    EXPECT_LT(took, std::chrono::seconds(30));
    if (message.isEmpty())  // the office finished the save before it died
        expectInStep();
    else
        expectRefused(message, workbook(), ledgerBefore, workbookBefore, filesBefore);
    EXPECT_EQ(saveMessage().toStdString(), "");
    expectInStep();
}

// Holds a lock on the ledger in a process of its own until destroyed.
class OtherProcessLock {
public:
    explicit OtherProcessLock(const QString &path)
    {
        const QByteArray name = QFile::encodeName(path);
        int ready[2];
        if (pipe(ready) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {  // only async-signal-safe calls from here
            const int fd = ::open(name.constData(), O_RDWR);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            const char done = fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0 ? 'y' : 'n';
            if (write(ready[1], &done, 1) != 1 || done != 'y')
                _exit(1);
            for (;;)
                pause();
        }
        char done = 'n';
        m_locked = m_pid > 0 && read(ready[0], &done, 1) == 1 && done == 'y';
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~OtherProcessLock()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    bool locked() const { return m_locked; }

private:
    pid_t m_pid = -1;
    bool m_locked = false;
};

TEST_F(OfficeFaults, ALedgerLockedByAnotherProcessIsReportedByName)
{
    const QByteArray ledgerBefore = bytesOf(ledger()), workbookBefore = bytesOf(workbook());
    const QStringList filesBefore = files();
    {
        OtherProcessLock other(ledger());
        ASSERT_TRUE(other.locked());
        const QString message = saveMessage();
        EXPECT_TRUE(message.contains(QStringLiteral("in use"))) << message.toStdString();
        expectRefused(message, ledger(), ledgerBefore, workbookBefore, filesBefore);
    }
    EXPECT_EQ(saveMessage().toStdString(), "");
    expectInStep();
}

// Makes one file read-only for this process, root included: a read-only bind
// mount of the file over itself as root, its permissions otherwise.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString &path) : m_path(QFile::encodeName(path))
    {
        if (geteuid() != 0) {
            m_made = chmod(m_path.constData(), 0444) == 0;
            return;
        }
        m_made = canMount && mount(m_path.constData(), m_path.constData(), nullptr, MS_BIND, nullptr) == 0
                 && mount(nullptr, m_path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnlyFile()
    {
        if (geteuid() != 0)
            chmod(m_path.constData(), 0644);
        else if (m_made)
            umount2(m_path.constData(), MNT_DETACH);
    }
    bool made() const { return m_made; }

private:
    QByteArray m_path;
    bool m_made = false;
};

TEST_F(OfficeFaults, AReadOnlyLedgerOrWorkbookIsReportedByName)
{
    for (const bool ofLedger : {true, false}) {
        SCOPED_TRACE(ofLedger ? "read-only ledger" : "read-only workbook");
        const QString file = ofLedger ? ledger() : workbook();
        const QByteArray ledgerBefore = bytesOf(ledger()), workbookBefore = bytesOf(workbook());
        const QStringList filesBefore = files();
        {
            ReadOnlyFile readOnly(file);
            if (!readOnly.made())
                GTEST_SKIP() << "a file cannot be made read-only here (as root that needs a mount)";
            expectRefused(saveMessage(), file, ledgerBefore, workbookBefore, filesBefore);
        }
        EXPECT_EQ(saveMessage().toStdString(), "");
        expectInStep();
    }
}

// A small file system of its own mounted over the working folder for the
// life of the object, holding copies of the ledger and the workbook.
class FullDisk {
public:
    FullDisk(const QString &folder, int freePages) : m_folder(QFile::encodeName(folder))
    {
        const QDir dir(folder);
        const QByteArray ledger = bytesOf(dir.filePath(PaymentLedger::FileName));
        const QByteArray workbook = bytesOf(dir.filePath(PaymentWorkbook::FileName));
        if (mount("tmpfs", m_folder.constData(), "tmpfs", 0, "size=1m") != 0)
            return;
        m_mounted = true;
        for (const auto &[name, bytes] : {std::pair{PaymentLedger::FileName, ledger}, std::pair{PaymentWorkbook::FileName, workbook}}) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                return;
        }
        QFile filler(dir.filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly))
            return;
        const QByteArray page(4096, 'x');
        while (filler.write(page) == page.size() && filler.flush()) {
        }
        filler.close();
        m_filled = filler.resize(std::max<qint64>(0, (filler.size() / 4096 - freePages) * 4096));
    }
    ~FullDisk()
    {
        if (m_mounted)
            umount2(m_folder.constData(), MNT_DETACH);
    }
    bool ready() const { return m_filled; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
    bool m_filled = false;
};

TEST_F(OfficeFaults, AFullDiskIsReportedByNameAndNothingIsHalfWritten)
{
    if (!canMount)
        GTEST_SKIP() << "mounting a small file system needs root";
    // From no room at all, a page more each time, up to the room the save
    // needs: every save that finds too little is refused whole.
    int freePages = 0;
    for (QString message = QStringLiteral("(none yet)"); !message.isEmpty(); ++freePages) {
        ASSERT_LT(freePages, 128) << "no save succeeded on the small disk";
        SCOPED_TRACE(freePages);
        FullDisk disk(folder, freePages);
        ASSERT_TRUE(disk.ready());
        const QByteArray ledgerBefore = bytesOf(ledger()), workbookBefore = bytesOf(workbook());
        const QStringList filesBefore = files();
        message = saveMessage();
        if (message.isEmpty()) {
            expectInStep();
        } else {
            EXPECT_TRUE(message.contains(ledger()) || message.contains(workbook())) << message.toStdString();
            expectRefused(message, message.contains(ledger()) ? ledger() : workbook(), ledgerBefore, workbookBefore,
                          filesBefore);
        }
    }
    std::cout << "the save needed " << freePages - 1 << " free pages" << std::endl;
}

} // namespace

int main(int argc, char **argv)
{
    // Mounts stay in a mount namespace of this process, made before any
    // thread starts; the offices it starts share it.
    canMount = geteuid() == 0 && unshare(CLONE_NEWNS) == 0
               && mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    QTemporaryDir profiles;
    offices = &profiles;
    qputenv("TMPDIR", QFile::encodeName(profiles.path()));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
