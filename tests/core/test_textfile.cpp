#include "core/global.h"
#include "core/textfile.h"
#include "support/testhome.h"

#include <QtTest>

// Text files as every editor loads and saves them: CP932 with CR LF on disk,
// '\n' in memory, and the size above which loading shows the busy cursor.
class TestTextFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void encodeText_data();
    void encodeText();
    void decodeText_data();
    void decodeText();
    void busyThreshold_data();
    void busyThreshold();
    void loadMissing();
    void loadRoundTrip();
    void loadDamagedBytes();
    void loadFolderIsAnError();
};

void TestTextFile::encodeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lf becomes crlf") << "a\nb\n" << QByteArray("a\r\nb\r\n");
    QTest::newRow("crlf stays single") << "a\r\nb" << QByteArray("a\r\nb");
    QTest::newRow("blank lines") << "\n\n" << QByteArray("\r\n\r\n");
    QTest::newRow("japanese") << QStringLiteral("予定\nメモ") << QByteArray("\x97\x5c\x92\xe8\r\n\x83\x81\x83\x82");
    QTest::newRow("empty") << "" << QByteArray();
}

void TestTextFile::encodeText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QByteArray out;
    QVERIFY(EncodeText(text, out));
    QCOMPARE(out, bytes);
}

void TestTextFile::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << "a\nb\n";
    QTest::newRow("lf only") << QByteArray("a\nb") << "a\nb";
    QTest::newRow("lone cr") << QByteArray("a\rb") << "a\nb";
    QTest::newRow("cr cr lf") << QByteArray("a\r\r\nb") << "a\n\nb";
    QTest::newRow("so with trail backslash") << QByteArray("\x83\x5c\x83\x74\x83\x67") << QStringLiteral("ソフト");
}

void TestTextFile::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeText(bytes), text);
}

void TestTextFile::busyThreshold_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("busy");
    QTest::newRow("51200 bytes") << 51200 << false;
    QTest::newRow("51201 bytes") << 51201 << true;
    QTest::newRow("empty") << 0 << false;
}

void TestTextFile::busyThreshold()
{
    QFETCH(int, size);
    QFETCH(bool, busy);
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("notebook.txt");
    home.write(path, QByteArray(size, 'x'));
    const TTextLoad load = LoadTextFile(path);
    QVERIFY(load.exists);
    QVERIFY(load.ok);
    QCOMPARE(load.busy, busy);
    QCOMPARE(load.text.size(), size);
}

void TestTextFile::loadMissing()
{
    TTestHome home;
    const TTextLoad load = LoadTextFile(home.dataFolder() + QStringLiteral("none.txt"));
    QVERIFY(!load.exists);
    QVERIFY(load.ok);
    QVERIFY(load.text.isEmpty());
    QVERIFY(load.error.isEmpty());
}

void TestTextFile::loadRoundTrip()
{
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("20240101.txt");
    const QString text = QStringLiteral("今日の予定\n\n① 会議 10時～12時\nｶﾀｶﾅ\n");
    QByteArray bytes;
    QVERIFY(EncodeText(text, bytes));
    home.write(path, bytes);
    const TTextLoad load = LoadTextFile(path);
    QVERIFY(load.ok);
    QCOMPARE(load.text, text);
}

void TestTextFile::loadDamagedBytes()
{
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("damaged.txt");
    home.write(path, QByteArray("ok\r\n\xff\x82"));
    const TTextLoad load = LoadTextFile(path);
    QVERIFY(load.ok);
    QVERIFY(load.text.startsWith(QStringLiteral("ok\n")));
    QVERIFY(load.text.contains(QChar(0xFFFD)));
}

void TestTextFile::loadFolderIsAnError()
{
    TTestHome home;
    const TTextLoad load = LoadTextFile(home.dataFolder());
    QVERIFY(load.exists);
    QVERIFY(!load.ok);
    QVERIFY(!load.error.isEmpty());
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
