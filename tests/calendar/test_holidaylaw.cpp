#include "calendar/dateex.h"
#include "calendar/holidaytable.h"

#include <QHash>
#include <QtTest>

// Every date from 1955 to 2026 against the national holidays as the law
// and its amendments give them. The expectation is written out here from the
// law's own terms, independently of the engine's table and its computations.
namespace {

// The Act on National Holidays and its amendments: name, month, a fixed day
// or the n-th Monday, first and last year in force (9999 = still in force).
struct TLawHoliday
{
    const char16_t *name;
    int month;
    int day;         // 0: by Monday
    int mondayIndex; // which Monday of the month, when day is 0
    int firstYear;
    int lastYear;
};

constexpr TLawHoliday kLaw[] = {
    {u"元日", 1, 1, 0, 1949, 9999},          {u"成人の日", 1, 15, 0, 1949, 1999},
    {u"成人の日", 1, 0, 2, 2000, 9999}, // Happy Monday, 1998 amendment
    {u"建国記念の日", 2, 11, 0, 1967, 9999}, {u"天皇誕生日", 2, 23, 0, 2020, 9999},
    {u"天皇誕生日", 4, 29, 0, 1949, 1988},   {u"みどりの日", 4, 29, 0, 1989, 2006},
    {u"昭和の日", 4, 29, 0, 2007, 9999},     {u"憲法記念日", 5, 3, 0, 1949, 9999},
    {u"みどりの日", 5, 4, 0, 2007, 9999},    {u"こどもの日", 5, 5, 0, 1949, 9999},
    {u"海の日", 7, 20, 0, 1996, 2002},       {u"海の日", 7, 0, 3, 2003, 2019},
    {u"海の日", 7, 0, 3, 2022, 9999},        {u"山の日", 8, 11, 0, 2016, 2019},
    {u"山の日", 8, 11, 0, 2022, 9999},       {u"敬老の日", 9, 15, 0, 1966, 2002},
    {u"敬老の日", 9, 0, 3, 2003, 9999},      {u"体育の日", 10, 10, 0, 1966, 1999},
    {u"体育の日", 10, 0, 2, 2000, 2019},     {u"スポーツの日", 10, 0, 2, 2022, 9999},
    {u"文化の日", 11, 3, 0, 1948, 9999},     {u"勤労感謝の日", 11, 23, 0, 1948, 9999},
    {u"天皇誕生日", 12, 23, 0, 1989, 2018},
};

// Days fixed by special acts: the Olympic moves of 2020 and 2021 and the
// imperial ceremonies.
struct TOneOff
{
    const char16_t *name;
    int year, month, day;
};

constexpr TOneOff kOneOffs[] = {
    {u"結婚の儀", 1959, 4, 10}, {u"大喪の礼", 1989, 2, 24},     {u"即位礼正殿の儀", 1990, 11, 12},
    {u"結婚の儀", 1993, 6, 9},  {u"即位の日", 2019, 5, 1},      {u"即位礼正殿の儀", 2019, 10, 22},
    {u"海の日", 2020, 7, 23},   {u"スポーツの日", 2020, 7, 24}, {u"山の日", 2020, 8, 10},
    {u"海の日", 2021, 7, 22},   {u"スポーツの日", 2021, 7, 23}, {u"山の日", 2021, 8, 8},
};

// The equinox days as announced, one digit per year from 1955: the March
// day minus 19 and the September day minus 21.
constexpr char kVernal[] = "222221222122212221222122212221222122211221122112211221122112211221122111";
constexpr char kAutumnal[] = "322232223222322232223222322222222222222222222222222222222122212221222122";

// Every substitute holiday (振替休日) since the clause took effect.
const char *const kFurikae[] = {
    "1973: 0430 0924",
    "1974: 0506 0916 1104",
    "1975: 1124",
    "1976: 1011",
    "1978: 0102 0116",
    "1979: 0212 0430",
    "1980: 1124",
    "1981: 0504",
    "1982: 0322 1011",
    "1984: 0102 0116 0430 0924",
    "1985: 0506 0916 1104",
    "1986: 1124",
    "1987: 0504",
    "1988: 0321",
    "1989: 0102 0116",
    "1990: 0212 0430 0924 1224",
    "1991: 0506 0916 1104",
    "1992: 0504",
    "1993: 1011",
    "1995: 0102 0116",
    "1996: 0212 0506 0916 1104",
    "1997: 0721 1124",
    "1998: 0504",
    "1999: 0322 1011",
    "2001: 0212 0430 0924 1224",
    "2002: 0506 0916 1104",
    "2003: 1124",
    "2005: 0321",
    "2006: 0102",
    "2007: 0212 0430 0924 1224",
    "2008: 0506 1124",
    "2009: 0506",
    "2010: 0322",
    "2012: 0102 0430 1224",
    "2013: 0506 1104",
    "2014: 0506 1124",
    "2015: 0506",
    "2016: 0321",
    "2017: 0102",
    "2018: 0212 0430 0924 1224",
    "2019: 0506 0812 1104",
    "2020: 0224 0506",
    "2021: 0809",
    "2023: 0102",
    "2024: 0212 0506 0812 0923 1104",
    "2025: 0224 0506 1124",
    "2026: 0506",
};

// Every citizens' holiday (国民の休日).
const char *const kKokumin[] = {
    "1988: 0504", "1989: 0504", "1990: 0504", "1991: 0504",      "1993: 0504", "1994: 0504", "1995: 0504",
    "1996: 0504", "1999: 0504", "2000: 0504", "2001: 0504",      "2002: 0504", "2004: 0504", "2005: 0504",
    "2006: 0504", "2009: 0922", "2015: 0922", "2019: 0430 0502", "2026: 0922",
};

QDate nthMonday(int year, int month, int n)
{
    QDate d(year, month, 1);
    while (d.dayOfWeek() != Qt::Monday)
        d = d.addDays(1);
    return d.addDays(7 * (n - 1));
}

QList<QDate> parseDays(const char *const *lines, size_t count)
{
    QList<QDate> out;
    for (size_t i = 0; i < count; ++i) {
        const QString line = QString::fromLatin1(lines[i]);
        const int year = line.left(4).toInt();
        for (const QString &md : line.mid(6).split(QLatin1Char(' ')))
            out << QDate(year, md.left(2).toInt(), md.mid(2).toInt());
    }
    return out;
}

struct TExpected
{
    QString name;
    bool furikae = false;
};

QHash<QDate, TExpected> expectedDays(int firstYear, int lastYear, int &doubleNamed)
{
    QHash<QDate, TExpected> days;
    auto name = [&](const QDate &d, const char16_t *text) {
        TExpected &e = days[d];
        if (!e.name.isEmpty()) // the law never gives a day two names
            ++doubleNamed;
        e.name = QString::fromUtf16(text);
    };
    for (int y = firstYear; y <= lastYear; ++y) {
        for (const TLawHoliday &h : kLaw)
            if (h.firstYear <= y && y <= h.lastYear)
                name(h.day ? QDate(y, h.month, h.day) : nthMonday(y, h.month, h.mondayIndex), h.name);
        name(QDate(y, 3, 19 + (kVernal[y - 1955] - '0')), u"春分の日");
        name(QDate(y, 9, 21 + (kAutumnal[y - 1955] - '0')), u"秋分の日");
    }
    for (const TOneOff &o : kOneOffs)
        name(QDate(o.year, o.month, o.day), o.name);
    for (const QDate &d : parseDays(kFurikae, std::size(kFurikae))) {
        if (days.contains(d))
            ++doubleNamed;
        days[d].name = QStringLiteral("振替休日");
        days[d].furikae = true;
    }
    for (const QDate &d : parseDays(kKokumin, std::size(kKokumin)))
        name(d, u"国民の休日");
    return days;
}

} // namespace

class TestHolidayLaw : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tablesAreComplete();
    void everyDateFrom1955To2026();
};

void TestHolidayLaw::tablesAreComplete()
{
    QCOMPARE(int(std::strlen(kVernal)), 2026 - 1955 + 1);
    QCOMPARE(int(std::strlen(kAutumnal)), 2026 - 1955 + 1);
    QCOMPARE(parseDays(kFurikae, std::size(kFurikae)).size(), 95);
    QCOMPARE(parseDays(kKokumin, std::size(kKokumin)).size(), 20);
}

void TestHolidayLaw::everyDateFrom1955To2026()
{
    TZoDateEx engine;
    engine.SetAutoEquinox(true);
    engine.SetAutoFurikae(true);
    engine.SetAutoKokumin(true);
    FillBuiltInHolidays(*engine.HolidayList());

    int doubleNamed = 0;
    const QHash<QDate, TExpected> law = expectedDays(1955, 2026, doubleNamed);
    QCOMPARE(doubleNamed, 0);
    int holidays = 0, mismatches = 0;
    for (QDate d(1955, 1, 1); d <= QDate(2026, 12, 31); d = d.addDays(1)) {
        const TExpected e = law.value(d);
        TZoDayKinds expected;
        if (d.dayOfWeek() == Qt::Sunday)
            expected |= dkSunday;
        if (d.dayOfWeek() == Qt::Saturday)
            expected |= dkSaturday;
        if (!e.name.isEmpty())
            expected |= e.furikae ? dkFurikae : dkHoliday;
        holidays += e.name.isEmpty() ? 0 : 1;

        bool special = true, dayOff = true, holiday = false;
        const QString text = engine.GetDayText(d, &special, &dayOff, &holiday);
        const TZoDayKinds kinds = engine.GetDayKinds(d);
        if (kinds != expected || text != e.name || holiday == e.name.isEmpty() || special || dayOff) {
            // Report every wrong day, not only the first.
            qWarning("%s: kinds %d expected %d, text \"%s\" expected \"%s\"", qPrintable(d.toString(Qt::ISODate)),
                     int(kinds), int(expected), qPrintable(text), qPrintable(e.name));
            ++mismatches;
        }
    }
    QCOMPARE(mismatches, 0);
    QCOMPARE(holidays, law.size());
}

QTEST_GUILESS_MAIN(TestHolidayLaw)
#include "test_holidaylaw.moc"
