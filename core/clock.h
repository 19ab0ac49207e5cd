#pragma once

#include <QDateTime>

// The one source of "now". Rules never read the wall clock; they are given the
// moment, so tests and the command-line tool can fix it.
class TClock
{
public:
    virtual ~TClock() = default;
    virtual QDateTime now() const = 0;
};

class TSystemClock final : public TClock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class TFixedClock final : public TClock
{
public:
    explicit TFixedClock(QDateTime moment = {}) : m_now(std::move(moment)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &moment) { m_now = moment; }
    void advanceSecs(qint64 secs) { m_now = m_now.addSecs(secs); }

private:
    QDateTime m_now;
};
