#include "core/startheap.h"

#include <QFile>
#include <QTemporaryFile>
#include <QtEndian>
#include <QtTest>

#include <cstdlib>
#include <thread>

#include <sys/mman.h>
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

constexpr std::size_t kPage = 4096;

// A private mapping of a file, and how many of its pages the process has
// mapped in (the present bit of each page's entry in pagemap).
struct TMapping
{
    TMapping(int fd, std::size_t bytes, int protection) : size(bytes)
    {
        void *p = ::mmap(nullptr, bytes, protection, MAP_PRIVATE, fd, 0);
        at = p == MAP_FAILED ? nullptr : p;
    }
    ~TMapping()
    {
        if (at)
            ::munmap(at, size);
    }
    TMapping(const TMapping &) = delete;
    TMapping &operator=(const TMapping &) = delete;

    int presentPages() const
    {
        QFile pagemap(QStringLiteral("/proc/self/pagemap"));
        if (!pagemap.open(QIODevice::ReadOnly) || !pagemap.seek(qint64(reinterpret_cast<quintptr>(at) / kPage * 8)))
            return -1;
        const QByteArray entries = pagemap.read(qint64(size / kPage * 8));
        int present = 0;
        for (qsizetype i = 0; i + 8 <= entries.size(); i += 8)
            present += (qFromLittleEndian<quint64>(entries.constData() + i) >> 63) & 1;
        return present;
    }

    void *at = nullptr;
    std::size_t size;
};

} // namespace

#define SKIP_UNLESS_PREPARED()                                                                     \
    if (!m_prepared)                                                                               \
    QSKIP("this allocator keeps its own pages (a sanitizer, or not glibc)")

// The room the start prepares is what the next large blocks get, on the
// heap and advised for huge pages, in the main thread and in a reader's; the
// pages of read-only files are mapped in ahead of use.
class TestStartHeap : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_prepared = PrepareStartHeap(std::size_t(16) << 20); }

    void nextBlocksLieInAdvisedRoom()
    {
        SKIP_UNLESS_PREPARED();
        void *block = std::malloc(std::size_t(6) << 20);
        QVERIFY(block);
        // Past the block's first huge-page boundary, which the advice starts at.
        QVERIFY(advisedForHugePages(static_cast<char *>(block) + (std::size_t(4) << 20)));
        std::free(block);
    }

    // The room starts at a huge-page boundary: the start's first blocks,
    // small ones too, do not land in a stretch of small pages before it.
    void firstBlocksLieInAdvisedRoomToo()
    {
        SKIP_UNLESS_PREPARED();
        void *block = std::malloc(100 * 1024);
        QVERIFY(block);
        QVERIFY(advisedForHugePages(block));
        std::free(block);
    }

    void readerThreadsHeapToo()
    {
        SKIP_UNLESS_PREPARED();
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
        SKIP_UNLESS_PREPARED();
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

    // Read-only file mappings get their pages mapped in without a touch:
    // code always, constant data up to the size given. Writable mappings
    // are left alone, as mapping them for reading would only fault again.
    void readOnlyMappingsArePrefaulted()
    {
        QTemporaryFile small;
        QTemporaryFile large;
        QVERIFY(small.open() && large.open());
        QVERIFY(small.resize(64 * kPage) && large.resize(512 * kPage));
        TMapping constant(small.handle(), 64 * kPage, PROT_READ);
        TMapping code(large.handle(), 512 * kPage, PROT_READ | PROT_EXEC);
        TMapping tooLarge(large.handle(), 512 * kPage, PROT_READ);
        TMapping writable(small.handle(), 64 * kPage, PROT_READ | PROT_WRITE);
        for (const TMapping *m : {&constant, &code, &tooLarge, &writable}) {
            QVERIFY(m->at);
            QCOMPARE(m->presentPages(), 0);
        }

        if (PrefaultReadOnlyMappings(128 * kPage) == 0)
            QSKIP("this system cannot map pages in ahead of use");
        QCOMPARE(constant.presentPages(), 64);
        QCOMPARE(code.presentPages(), 512);
        QCOMPARE(tooLarge.presentPages(), 0);
        QCOMPARE(writable.presentPages(), 0);
    }

private:
    bool m_prepared = false;
};

QTEST_APPLESS_MAIN(TestStartHeap)
#include "test_startheap.moc"
