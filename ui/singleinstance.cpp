#include "ui/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <memory>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray kActivate = "activate\n";
// A client says one word; anything longer is not one of ours.
constexpr qsizetype kMaxMessage = 64;

bool addressOf(const QByteArray &path, sockaddr_un &addr)
{
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<size_t>(path.size()) >= sizeof addr.sun_path)
        return false;
    std::memcpy(addr.sun_path, path.constData(), static_cast<size_t>(path.size()));
    return true;
}

// The temporary folder is shared: a socket of the same name that belongs to
// another user must neither make this start give way nor hear from it.
bool peerIsThisUser(int fd)
{
    ucred cred{};
    socklen_t len = sizeof cred;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0 && cred.uid == ::getuid();
}

void closeFd(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

} // namespace

TSingleInstance::TSingleInstance(QString name, QObject *parent)
    : QObject(parent), m_path(QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + name))
{
}

TSingleInstance::~TSingleInstance()
{
    if (m_listenFd >= 0) {
        closeFd(m_listenFd);
        ::unlink(m_path.constData());
    }
}

QString TSingleInstance::DefaultName()
{
    return QStringLiteral("quillmere-%1").arg(::getuid());
}

bool TSingleInstance::activateRunningInstance(int timeoutMs)
{
    sockaddr_un addr;
    if (!addressOf(m_path, addr))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A program that is alive but not answering must not hold this start
    // for longer than the timeout, in the connect nor in the write.
    const timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    bool asked = false;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) == 0 && peerIsThisUser(fd))
        asked = ::send(fd, kActivate.constData(), static_cast<size_t>(kActivate.size()), MSG_NOSIGNAL) == kActivate.size();
    closeFd(fd);
    return asked;
}

bool TSingleInstance::listen()
{
    if (m_listenFd >= 0)
        return true;
    sockaddr_un addr;
    if (!addressOf(m_path, addr))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // The socket file takes the socket's mode: only this user may connect.
    ::fchmod(fd, S_IRUSR | S_IWUSR);
    const auto bindTo = [&] { return ::bind(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) == 0; };
    bool bound = bindTo();
    if (!bound && errno == EADDRINUSE) {
        // A socket left behind by a program that died is not a running one.
        ::unlink(m_path.constData());
        bound = bindTo();
    }
    if (!bound || ::listen(fd, 8) != 0) {
        closeFd(fd);
        return false;
    }
    m_listenFd = fd;
    auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TSingleInstance::acceptClients);
    return true;
}

void TSingleInstance::acceptClients()
{
    for (;;) {
        const int client = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0)
            return;
        if (!peerIsThisUser(client)) {
            closeFd(client);
            continue;
        }
        auto *notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
        // The socket lives as long as its notifier, however that ends.
        connect(notifier, &QObject::destroyed, [client] { closeFd(client); });
        struct TClient
        {
            QByteArray heard;
            bool answered = false;
        };
        auto state = std::make_shared<TClient>();
        connect(notifier, &QSocketNotifier::activated, this, [this, notifier, client, state] {
            char buffer[kMaxMessage];
            const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                return;
            if (n <= 0) { // gone, or failed: done with
                notifier->setEnabled(false);
                notifier->deleteLater();
                return;
            }
            if (state->answered || state->heard.size() >= kMaxMessage)
                return; // asked already, or not one of ours
            state->heard.append(buffer, n);
            if (state->heard.contains("activate")) {
                state->answered = true;
                Q_EMIT activationRequested();
            }
        });
    }
}
