#include "core/startheap.h"

#include <QFile>
#include <QtTest>

#include <cstdlib>
#include <thread>

#include <unistd.h>

namespace {

// The kernel's flags of the mapping that holds `address`, from smaps.
QByteArray flagsOfMappingAt(const void *address)
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return {};
    const auto at = reinterpret_cast<quintptr>(address);
    bool inside = false;
    for (QByteArray line = smaps.readLine(); !line.isEmpty(); line = smaps.readLine()) {
        const int dash = line.indexOf('-');
        const int space = line.indexOf(' ');
        if (dash > 0 && space > dash && line.at(0) != 'V') {
            bool ok1 = false;
            bool ok2 = false;
            const quintptr from = line.left(dash).toULongLong(&ok1, 16);
            const quintptr to = line.mid(dash + 1, space - dash - 1).toULongLong(&ok2, 16);
            inside = ok1 && ok2 && at >= from && at < to;
        } else if (inside && line.startsWith("VmFlags:")) {
            return line.mid(8).trimmed();
        }
    }
    return {};
}

bool advisedForHugePages(const void *address)
{
    return flagsOfMappingAt(address).split(' ').contains("hg");
}

} // namespace

// The room the start prepares is what the next large blocks get, on the
// heap and advised for huge pages, in the main thread and in a reader's.
class TestStartHeap : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (!PrepareStartHeap(std::size_t(16) << 20))
            QSKIP("this allocator keeps its own pages (a sanitizer, or not glibc)");
    }

    void nextBlocksLieInAdvisedRoom()
    {
        void *block = std::malloc(std::size_t(6) << 20);
        QVERIFY(block);
        // Past the block's first huge-page boundary, which the advice starts at.
        QVERIFY(advisedForHugePages(static_cast<char *>(block) + (std::size_t(4) << 20)));
        std::free(block);
    }

    void readerThreadsHeapToo()
    {
        bool advised = false;
        std::thread reader([&advised] {
            PrepareThreadHeap(std::size_t(12) << 20);
            void *block = std::malloc(std::size_t(6) << 20);
            advised = block && advisedForHugePages(static_cast<char *>(block) + (std::size_t(4) << 20));
            std::free(block);
        });
        reader.join();
        QVERIFY(advised);
    }

    // Freed room stays with the heap during the start (it would come back
    // in small pages), and goes back to the system once the start is over:
    // the program stays resident for weeks.
    void freedRoomIsKeptOnlyDuringTheStart()
    {
        const auto heapEnd = [] { return reinterpret_cast<quintptr>(::sbrk(0)); };
        void *block = std::malloc(std::size_t(6) << 20);
        QVERIFY(block);
        const quintptr before = heapEnd();
        std::free(block);
        QCOMPARE(heapEnd(), before);

        EndStartHeap();
        block = std::malloc(std::size_t(6) << 20);
        QVERIFY(block);
        std::free(block);
        QVERIFY(heapEnd() < before);
    }
};

QTEST_APPLESS_MAIN(TestStartHeap)
#include "test_startheap.moc"
