#include "core/fileprefetch.h"
#include "support/testhome.h"

#include <QElapsedTimer>
#include <QtTest>

#include <sched.h>

#include <thread>

class TestFilePrefetch : public QObject
{
    Q_OBJECT

private slots:
    void workingReaderIsWaitedFor();
    void starvedReaderIsGivenUp();
    void readerNobodyTookIsStopped();
};

namespace {

QString writeFile(const TTestHome &home, const QByteArray &bytes)
{
    const QString path = home.dataFolder() + QStringLiteral("file.dat");
    home.write(path, bytes);
    return path;
}

} // namespace

// A reader that keeps the processor busy for longer than many waiting slices
// is waited for, and it runs at idle priority.
void TestFilePrefetch::workingReaderIsWaitedFor()
{
    TTestHome home;
    const QString path = writeFile(home, "bytes");
    int policy = -1;
    QByteArray seen;
    TFilePrefetch prefetch(path, 1024, [&](const QByteArray &bytes, const std::atomic<bool> &stop) {
        policy = sched_getscheduler(0);
        seen = bytes;
        QElapsedTimer busy;
        busy.start();
        volatile quint64 sum = 0;
        while (busy.elapsed() < 10 * TFilePrefetch::kWaitSlice.count() && !stop)
            sum = sum + 1;
        return !stop;
    });
    QVERIFY(prefetch.HoldsCurrent(path));
    QVERIFY(prefetch.Ended());
    QCOMPARE(seen, QByteArray("bytes"));
    QCOMPARE(prefetch.Bytes(), QByteArray("bytes"));
    QCOMPARE(policy, SCHED_IDLE);
}

// A reader that gets no processor (here it only sleeps) is asked to stop
// within a few slices and the answer is no, so that the load reads the file
// itself; what the reader fills stays its own until it has ended.
void TestFilePrefetch::starvedReaderIsGivenUp()
{
    TTestHome home;
    const QString path = writeFile(home, "bytes");
    std::atomic<bool> stopSeen = false;
    QElapsedTimer waited;
    {
        TFilePrefetch prefetch(path, 1024, [&](const QByteArray &, const std::atomic<bool> &stop) {
            for (int i = 0; i < 5000 && !stop; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            stopSeen = bool(stop);
            return true;
        });
        waited.start();
        QVERIFY(!prefetch.HoldsCurrent(path));
        QVERIFY(waited.elapsed() < 2000);
    }
    QVERIFY(stopSeen);
}

// The owner going away (a second start handing over, say) stops a reading
// nobody took rather than waiting for its end.
void TestFilePrefetch::readerNobodyTookIsStopped()
{
    TTestHome home;
    const QString path = writeFile(home, "bytes");
    std::atomic<bool> started = false;
    std::atomic<bool> stopSeen = false;
    {
        TFilePrefetch prefetch(path, 1024, [&](const QByteArray &, const std::atomic<bool> &stop) {
            started = true;
            for (int i = 0; i < 5000 && !stop; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            stopSeen = bool(stop);
            return true;
        });
        QTRY_VERIFY(started);
    }
    QVERIFY(stopSeen);
}

QTEST_GUILESS_MAIN(TestFilePrefetch)
#include "test_fileprefetch.moc"
