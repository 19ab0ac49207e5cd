#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// One running program per user: the first start listens on a per-user local
// socket; a later start finds it, asks it to come forward and ends.
//
// Plain Unix sockets rather than Qt's network module: that module and the
// Kerberos and proxy libraries it brings were loaded on every start for this
// one exchange of a word.
class TSingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit TSingleInstance(QString name = DefaultName(), QObject *parent = nullptr);
    ~TSingleInstance() override;

    // True when another instance of this user answered and was asked to come
    // forward.
    bool activateRunningInstance(int timeoutMs = 1000);
    // Starts listening; false when the name could not be taken.
    bool listen();

    static QString DefaultName();

Q_SIGNALS:
    void activationRequested();

private:
    void acceptClients();

    QByteArray m_path;
    int m_listenFd = -1;
};
