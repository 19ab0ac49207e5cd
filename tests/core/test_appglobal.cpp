#include "core/appglobal.h"
#include "core/global.h"

#include <QtTest>

// Where the program keeps its settings and how the data-file paths are formed.
class TestAppGlobal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void defaultProgramFolder_data();
    void defaultProgramFolder();
    void withTrailingSlash_data();
    void withTrailingSlash();
    void dataFilePaths();
    void productName();

private:
    QHash<QByteArray, QByteArray> m_saved;
};

namespace {
const QList<QByteArray> kVariables{"QUILLMERE_HOME", "XDG_DATA_HOME", "HOME"};
}

void TestAppGlobal::init()
{
    m_saved.clear();
    for (const QByteArray &name : kVariables)
        if (qEnvironmentVariableIsSet(name.constData()))
            m_saved.insert(name, qgetenv(name.constData()));
}

void TestAppGlobal::cleanup()
{
    for (const QByteArray &name : kVariables) {
        if (m_saved.contains(name))
            qputenv(name.constData(), m_saved.value(name));
        else
            qunsetenv(name.constData());
    }
}

void TestAppGlobal::defaultProgramFolder_data()
{
    QTest::addColumn<QString>("quillmereHome"); // null: unset
    QTest::addColumn<QString>("xdgDataHome");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("expected");
    QTest::newRow("QUILLMERE_HOME wins") << "/q/home"
                                         << "/q/xdg"
                                         << "/q/user"
                                         << "/q/home/";
    QTest::newRow("QUILLMERE_HOME with slash") << "/q/home/" << QString() << "/q/user"
                                               << "/q/home/";
    QTest::newRow("empty QUILLMERE_HOME ignored") << ""
                                                  << "/q/xdg"
                                                  << "/q/user"
                                                  << "/q/xdg/quillmere/";
    QTest::newRow("XDG_DATA_HOME") << QString() << "/q/xdg"
                                   << "/q/user"
                                   << "/q/xdg/quillmere/";
    QTest::newRow("home fallback") << QString() << QString() << "/q/user"
                                   << "/q/user/.local/share/quillmere/";
    QTest::newRow("japanese folder") << QStringLiteral("/q/ホーム") << QString() << "/q/user"
                                     << QStringLiteral("/q/ホーム/");
}

void TestAppGlobal::defaultProgramFolder()
{
    QFETCH(QString, quillmereHome);
    QFETCH(QString, xdgDataHome);
    QFETCH(QString, home);
    QFETCH(QString, expected);
    auto set = [](const char *name, const QString &value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toUtf8());
    };
    set("QUILLMERE_HOME", quillmereHome);
    set("XDG_DATA_HOME", xdgDataHome);
    set("HOME", home);
    QCOMPARE(DefaultProgramFolder(), expected);
}

void TestAppGlobal::withTrailingSlash_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("added") << "/a/b"
                           << "/a/b/";
    QTest::newRow("kept") << "/a/b/"
                          << "/a/b/";
    QTest::newRow("root") << "/"
                          << "/";
    QTest::newRow("empty stays empty") << ""
                                       << "";
}

void TestAppGlobal::withTrailingSlash()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(WithTrailingSlash(path), expected);
}

void TestAppGlobal::dataFilePaths()
{
    TGlobal g;
    g.ProgramFolder = QStringLiteral("/p/");
    g.CurrentDataFolder = QStringLiteral("/d/データ/");
    QCOMPARE(g.SettingsFile(), QStringLiteral("/p/settings.cnf"));
    QCOMPARE(g.HelpFile(), QStringLiteral("/p/quillmere.hlp"));
    QCOMPARE(g.ScheduleFile(), QStringLiteral("/d/データ/schedule.dat"));
    QCOMPARE(g.ToDoFile(), QStringLiteral("/d/データ/todo.dat"));
    QCOMPARE(g.HolidayFile(), QStringLiteral("/d/データ/holidays.dat"));
    QCOMPARE(g.DayOffFile(), QStringLiteral("/d/データ/daysoff.dat"));
    QCOMPARE(g.SpecialDayFile(), QStringLiteral("/d/データ/spcldays.dat"));
    QCOMPARE(g.MemoFolder(), QStringLiteral("/d/データ/Memo/"));
    QCOMPARE(g.NoteFolder(), QStringLiteral("/d/データ/Note/"));
    QCOMPARE(g.TemplateFolder(), QStringLiteral("/d/データ/Templates/"));
    // A registered path without its separator is not corrected: names are appended.
    g.CurrentDataFolder = QStringLiteral("/d/x");
    QCOMPARE(g.ScheduleFile(), QStringLiteral("/d/xschedule.dat"));
}

void TestAppGlobal::productName()
{
    QCOMPARE(GetProductNameText(), QStringLiteral("Quillmere"));
    QCOMPARE(TGlobal().AppTitle, QStringLiteral("Quillmere"));
    QVERIFY(IsNewCommonControls());
}

QTEST_GUILESS_MAIN(TestAppGlobal)
#include "test_appglobal.moc"
