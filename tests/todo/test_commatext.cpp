#include "todo/commatext.h"

#include <QtTest>

using Fields = QList<QByteArray>;

class TestCommaText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void join_data();
    void join();
    void split_data();
    void split();
    void count_data();
    void count();
    void roundTripOfTrickyFields();
};

void TestCommaText::join_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("bare") << Fields{"1", "abc", ""} << QByteArray("1,abc,");
    QTest::newRow("space quoted") << Fields{"a b"} << QByteArray("\"a b\"");
    QTest::newRow("comma quoted") << Fields{"a,b", "c"} << QByteArray("\"a,b\",c");
    QTest::newRow("quote doubled") << Fields{"say \"hi\""} << QByteArray("\"say \"\"hi\"\"\"");
    QTest::newRow("lone quote") << Fields{"\""} << QByteArray("\"\"\"\"");
    QTest::newRow("empty fields") << Fields{"", ""} << QByteArray(",");
    QTest::newRow("tab stays bare") << Fields{"a\tb"} << QByteArray("a\tb");
    // 表 is 95 5C in CP932: the trail byte is a backslash, which means nothing here.
    QTest::newRow("two-byte") << Fields{"\x95\x5c", "\x83\x41 x"} << QByteArray("\x95\x5c,\"\x83\x41 x\"");
    QTest::newRow("none") << Fields{} << QByteArray();
}

void TestCommaText::join()
{
    QFETCH(Fields, fields);
    QFETCH(QByteArray, line);
    QCOMPARE(JoinCommaText(fields, ',', " ,"), line);
}

void TestCommaText::split_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<Fields>("fields");
    QTest::newRow("empty text") << QByteArray() << Fields{};
    QTest::newRow("one field") << QByteArray("abc") << Fields{"abc"};
    QTest::newRow("trailing separator") << QByteArray("a,") << Fields{"a", ""};
    QTest::newRow("adjacent separators") << QByteArray("a,,b") << Fields{"a", "", "b"};
    QTest::newRow("only a comma") << QByteArray(",") << Fields{"", ""};
    QTest::newRow("spaces stay") << QByteArray(" a b ,c") << Fields{" a b ", "c"};
    QTest::newRow("quoted comma") << QByteArray("\"a,b\",c") << Fields{"a,b", "c"};
    QTest::newRow("doubled quote") << QByteArray("\"say \"\"hi\"\"\",x") << Fields{"say \"hi\"", "x"};
    QTest::newRow("after closing quote dropped") << QByteArray("\"ab\"cd,e") << Fields{"ab", "e"};
    QTest::newRow("unterminated quote") << QByteArray("\"ab,c") << Fields{"ab,c"};
    QTest::newRow("quote inside bare field") << QByteArray("a\"b,c") << Fields{"a\"b", "c"};
    QTest::newRow("empty quoted") << QByteArray("\"\",x") << Fields{"", "x"};
    QTest::newRow("quoted at end") << QByteArray("x,\"\"") << Fields{"x", ""};
    QTest::newRow("two-byte") << QByteArray("\x95\x5c,\x83\x41") << Fields{"\x95\x5c", "\x83\x41"};
}

void TestCommaText::split()
{
    QFETCH(QByteArray, line);
    QFETCH(Fields, fields);
    QCOMPARE(SplitCommaText(line, ","), fields);
}

void TestCommaText::count_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("no separator") << QByteArray("abc") << 0;
    QTest::newRow("two") << QByteArray("1,a,2001/01/01") << 2;
    QTest::newRow("quoted comma") << QByteArray("\"a,b\",c") << 1;
    QTest::newRow("doubled quotes even") << QByteArray("\"a\"\"b\",c,d") << 2;
    QTest::newRow("odd quote hides the rest") << QByteArray("a\"b,c,d") << 0;
    // The quote opening the second field makes the count even again, so the
    // separators inside that field count though splitting passes over them.
    QTest::newRow("quoted field after an odd quote") << QByteArray("a\"b,\"c,d\"") << 1;
    QTest::newRow("unterminated after an odd quote") << QByteArray("a\"b,\"c,d,e") << 2;
    QTest::newRow("twelve") << QByteArray(",,,,,,,,,,,,") << 12;
}

void TestCommaText::count()
{
    QFETCH(QByteArray, line);
    QFETCH(int, count);
    QCOMPARE(CountSeparators(line, ","), count);
}

void TestCommaText::roundTripOfTrickyFields()
{
    const Fields fields{"", " ", ",", "\"", "\"\"", "a \"b\", c", " lead", "trail ", "\x81\x40"};
    const QByteArray line = JoinCommaText(fields, ',', " ,");
    QCOMPARE(SplitCommaText(line, ","), fields);
    QCOMPARE(CountSeparators(line, ","), fields.size() - 1);
}

QTEST_GUILESS_MAIN(TestCommaText)
#include "test_commatext.moc"
