#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running program per user: the first start listens on a per-user local
// socket; a later start finds it, asks it to come forward and ends.
class TSingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit TSingleInstance(QString name = DefaultName(), QObject *parent = nullptr);
    ~TSingleInstance() override;

    // True when another instance answered and was asked to come forward.
    bool activateRunningInstance(int timeoutMs = 1000);
    // Starts listening; false when the name could not be taken.
    bool listen();

    static QString DefaultName();

Q_SIGNALS:
    void activationRequested();

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
};
