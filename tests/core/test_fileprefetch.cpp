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
    void readerRunsAtIdlePriority();
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

// A reader that gets no processor: it only sleeps, until asked to stop (or
// for five seconds), and says whether it was asked.
TFilePrefetch::TParse sleepingReader(std::atomic<bool> &started, std::atomic<bool> &stopSeen)
{
    return [started = &started, stopSeen = &stopSeen](const QByteArray &, const std::atomic<bool> &stop) {
        *started = true;
        for (int i = 0; i < 5000 && !stop; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        *stopSeen = bool(stop);
        return true;
    };
}

} // namespace

// The reader runs at idle priority, so that it never keeps the main thread
// waiting for the processor; what it made of the file is taken once it is
// done. (Whether it is waited for while it works depends on the machine's
// load: an idle reader on a busy machine is rightly given up.)
void TestFilePrefetch::readerRunsAtIdlePriority()
{
    TTestHome home;
    const QString path = writeFile(home, "bytes");
    std::atomic<int> policy = -1;
    std::atomic<bool> parsed = false;
    TFilePrefetch prefetch(path, 1024, [&](const QByteArray &bytes, const std::atomic<bool> &) {
        policy = sched_getscheduler(0);
        parsed = true;
        return bytes == "bytes";
    });
    QTRY_VERIFY_WITH_TIMEOUT(parsed, 30000); // an idle reader waits for a free processor
    QVERIFY(prefetch.HoldsCurrent(path));
    QVERIFY(prefetch.Ended());
    QCOMPARE(prefetch.Bytes(), QByteArray("bytes"));
    QCOMPARE(int(policy), SCHED_IDLE);
}

// A reader that gets no processor is asked to stop
// within a few slices and the answer is no, so that the load reads the file
// itself; what the reader fills stays its own until it has ended.
void TestFilePrefetch::starvedReaderIsGivenUp()
{
    TTestHome home;
    const QString path = writeFile(home, "bytes");
    std::atomic<bool> started = false;
    std::atomic<bool> stopSeen = false;
    QElapsedTimer waited;
    {
        TFilePrefetch prefetch(path, 1024, sleepingReader(started, stopSeen));
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
        TFilePrefetch prefetch(path, 1024, sleepingReader(started, stopSeen));
        QTRY_VERIFY(started);
    }
    QVERIFY(stopSeen);
}

QTEST_GUILESS_MAIN(TestFilePrefetch)
#include "test_fileprefetch.moc"
