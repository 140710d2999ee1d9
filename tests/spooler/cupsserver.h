#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <vector>
#include <thread>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A CUPS scheduler of the test's own: its configuration, spool, state and logs in a temporary
// folder, listening on a free port of 127.0.0.1, with one queue "qtest" (the generic PDF
// printer) that writes every job into out/job.pdf and is the server's default destination.
//
// It is started before the application object exists, so that the program's print support
// (libcups, through CUPS_SERVER) talks to it and to nothing else, and it is stopped by its
// process id when the object goes; the child also gets SIGTERM should the test process die.
namespace spooler {

using namespace Qt::StringLiterals;

class CupsServer
{
public:
    static constexpr const char *kCupsd = "/usr/sbin/cupsd";
    static constexpr const char *kLpadmin = "/usr/sbin/lpadmin";
    static constexpr const char *kPpd = "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd";

    CupsServer() { m_error = start(); }
    ~CupsServer() { stop(); }
    CupsServer(const CupsServer &) = delete;
    CupsServer &operator=(const CupsServer &) = delete;

    // Why the server is not there; empty when it runs.
    const QString &error() const { return m_error; }
    bool isRunning() const { return m_pid > 0 && m_error.isEmpty(); }
    // "127.0.0.1:<port>", the value for CUPS_SERVER.
    QString address() const { return u"127.0.0.1:%1"_s.arg(m_port); }
    // The file the queue writes its jobs into.
    QString jobFile() const { return m_dir.filePath(u"out/job.pdf"_s); }
    QString errorLog() const
    {
        QFile log(m_dir.filePath(u"log/error_log"_s));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    void stop()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 100; ++i) { // up to 5 s, then it is killed
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }

private:
    static int freePort()
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        socklen_t length = sizeof addr;
        int port = 0;
        if (::bind(s, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0
            && ::getsockname(s, reinterpret_cast<sockaddr *>(&addr), &length) == 0)
            port = ntohs(addr.sin_port);
        ::close(s);
        return port;
    }

    static bool answers(int port)
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(quint16(port));
        const bool ok = ::connect(s, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
        ::close(s);
        return ok;
    }

    // Runs a program with arguments and waits for it; its exit status, or -1.
    static int run(const QStringList &command, bool dieWithParent = false, pid_t *started = nullptr)
    {
        QList<QByteArray> bytes;
        for (const QString &c : command)
            bytes.append(QFile::encodeName(c));
        std::vector<char *> argv;
        for (QByteArray &b : bytes)
            argv.push_back(b.data());
        argv.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid < 0)
            return -1;
        if (pid == 0) {
            if (dieWithParent)
                ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        if (started) {
            *started = pid;
            return 0;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static bool write(const QString &path, const QString &text)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
               && file.write(text.toUtf8()) == text.toUtf8().size();
    }

    QString start()
    {
        for (const char *program : {kCupsd, kLpadmin, kPpd}) {
            if (!QFileInfo::exists(QString::fromLatin1(program)))
                return u"%1 is missing (packages cups, cups-client, cups-filters)"_s.arg(QLatin1String(program));
        }
        if (!m_dir.isValid())
            return u"no temporary folder"_s;
        const QDir root(m_dir.path());
        for (const char *sub : {"spool", "cache", "state", "tmp", "log", "out"})
            root.mkpath(QLatin1String(sub));
        // The filters and the file backend run as the unprivileged user of the scheduler.
        for (const char *open : {"tmp", "out"})
            ::chmod(QFile::encodeName(root.filePath(QLatin1String(open))).constData(), 01777);
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        m_port = freePort();
        if (m_port == 0)
            return u"no free port on 127.0.0.1"_s;
        const QString cupsd = root.filePath(u"cupsd.conf"_s);
        const QString files = root.filePath(u"cups-files.conf"_s);
        const bool written =
            write(cupsd, u"Listen 127.0.0.1:%1\n"
                         "LogLevel warn\nWebInterface No\nBrowsing Off\nDefaultAuthType None\n"
                         "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                         "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                         "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n"_s
                             .arg(m_port))
            && write(files, u"ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                            "StateDir %1/state\nTempDir %1/tmp\nAccessLog %1/log/access_log\n"
                            "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\nFileDevice Yes\n"_s
                                .arg(m_dir.path()));
        if (!written)
            return u"cannot write the scheduler's configuration"_s;
        run({QString::fromLatin1(kCupsd), u"-f"_s, u"-c"_s, cupsd, u"-s"_s, files}, true, &m_pid);
        if (m_pid <= 0)
            return u"cupsd did not start"_s;
        bool up = false;
        for (int i = 0; i < 200 && !up; ++i) { // up to 10 s
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return u"cupsd stopped at once: %1"_s.arg(errorLog());
            }
            up = answers(m_port);
        }
        if (!up)
            return u"cupsd does not answer on port %1"_s.arg(m_port);
        const QString host = address();
        if (run({QString::fromLatin1(kLpadmin), u"-h"_s, host, u"-p"_s, u"qtest"_s, u"-E"_s,
                 u"-v"_s, u"file://"_s + jobFile(), u"-P"_s, QString::fromLatin1(kPpd)})
                != 0
            || run({QString::fromLatin1(kLpadmin), u"-h"_s, host, u"-d"_s, u"qtest"_s}) != 0)
            return u"lpadmin could not set up the queue qtest: %1"_s.arg(errorLog());
        return {};
    }

    QTemporaryDir m_dir;
    int m_port = 0;
    pid_t m_pid = -1;
    QString m_error;
};

} // namespace spooler
