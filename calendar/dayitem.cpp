#include "calendar/dayitem.h"

#include "core/cp932.h"
#include "core/errors.h"

#include <QtEndian>

#include <cstring>

namespace {

QUuid newGuid()
{
    const QUuid id = QUuid::createUuid();
    if (id.isNull())
        throw EQuillmereError(QStringLiteral("Holiday - GUIDの生成に失敗しました。"));
    return id;
}

bool yearAdmits(const TZoDayItem &rule, int year)
{
    switch (rule.YearType) {
    case ytThisYear:
        return rule.Year == year;
    case ytAfterThisYear:
        return rule.Year <= year && (rule.LastYear == 0 || year <= rule.LastYear);
    case ytBeforeThisYear:
        return rule.Year >= year;
    }
    // Unknown stored values have always admitted every year.
    return true;
}

bool monthDayMatches(const TZoDayItem &rule, int year, int month, int day)
{
    if (rule.Month != month)
        return false;
    if (rule.Day == 0)
        return day == ZoDaysInMonth(year, month);
    return rule.Day == day;
}

bool nthWeekdayMatches(const TZoDayItem &rule, int year, int month, int day, int weekday)
{
    if (rule.Month != month)
        return false;
    const int dim = ZoDaysInMonth(year, month);
    // Weekday of the 1st from the date's own weekday, so no calendar lookup.
    const int firstWeekday = ((weekday - (day - 1)) % 7 + 7) % 7;
    const int target = NthWeekdayOfMonth(FirstWeekdayOfSet(rule.DaysOfWeek), rule.NumOfDayOfWeek, firstWeekday, dim);
    return target != 0 && target == day;
}

void putLE16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void putLE32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

quint16 getLE16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}
quint32 getLE32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

constexpr qsizetype kFixedHead = 30;

} // namespace

int ZoDaysInMonth(int year, int month)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return days[month - 1];
}

int FirstWeekdayOfSet(TZoDaysOfWeek set)
{
    for (int w = 0; w < 7; ++w)
        if (set.contains(w))
            return w;
    return zodwSunday;
}

int NthWeekdayOfMonth(int weekday, int n, int firstWeekday, int daysInMonth)
{
    if (n <= 0 || daysInMonth <= 0)
        return 0;
    const int first = 1 + ((weekday - firstWeekday) % 7 + 7) % 7;
    if (n > 4)
        return first + 7 * ((daysInMonth - first) / 7);
    const int day = first + 7 * (n - 1);
    return day <= daysInMonth ? day : 0;
}

TZoDayItem::TZoDayItem() : m_guid(newGuid()) {}

TZoDayItem::TZoDayItem(int month, int day, const QString &text)
    : Month(quint16(month)), Day(quint16(day)), DayType(dtMonthDay), DayText(text), m_guid(newGuid())
{
}

TZoDayItem::TZoDayItem(int year, TZoYearType yearType, int month, int day, const QString &text)
    : Year(quint16(year)), Month(quint16(month)), Day(quint16(day)), DayType(dtYearMonthDay), YearType(yearType),
      DayText(text), m_guid(newGuid())
{
}

TZoDayItem::TZoDayItem(int year, int month, int day, const QString &text)
    : TZoDayItem(year, ytThisYear, month, day, text)
{
}

void TZoDayItem::Assign(const TZoDayItem &source)
{
    m_guid = source.m_guid;
    Year = source.Year;
    Month = source.Month;
    Day = source.Day;
    DayType = source.DayType;
    DaysOfWeek = source.DaysOfWeek;
    NumOfDayOfWeek = source.NumOfDayOfWeek;
    YearType = source.YearType;
    LastYear = source.LastYear;
    DayText = source.DayText;
}

bool TZoDayItem::Matches(const QDate &date) const
{
    if (!date.isValid())
        return false;
    return Matches(date.year(), date.month(), date.day(), ZoWeekday(date));
}

bool TZoDayItem::Matches(int year, int month, int day, int weekday) const
{
    switch (DayType) {
    case dtDayOfWeek:
        return DaysOfWeek.contains(weekday);
    case dtMonthDay:
        return monthDayMatches(*this, year, month, day);
    case dtMonthDayOfWeekNum:
        return nthWeekdayMatches(*this, year, month, day, weekday);
    case dtYearMonthDay:
        return yearAdmits(*this, year) && monthDayMatches(*this, year, month, day);
    case dtYearMonthDayOfWeekNum:
        return yearAdmits(*this, year) && nthWeekdayMatches(*this, year, month, day, weekday);
    }
    return false;
}

QString TZoDayItem::DisplayText() const
{
    static const char16_t *const letters[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    QString weekdays;
    for (int w = 0; w < 7; ++w)
        if (DaysOfWeek.contains(w))
            weekdays += QString::fromUtf16(letters[w]);
    if (!weekdays.isEmpty())
        weekdays += QStringLiteral("曜日");

    QString yearPart;
    if (YearType == ytAfterThisYear && LastYear != 0)
        yearPart = QString::asprintf("%4d年～%4d年の", int(Year), int(LastYear));
    else
        yearPart = QString::asprintf("%4d年", int(Year)) + (YearType == ytAfterThisYear    ? QStringLiteral("以降の")
                                                            : YearType == ytBeforeThisYear ? QStringLiteral("以前の")
                                                                                           : QString());

    const QString monthDay = Day != 0 ? QString::asprintf("%2.2d月%2.2d日", int(Month), int(Day))
                                      : QString::asprintf("%2.2d月月末", int(Month));
    const QString nth = NumOfDayOfWeek > 4 ? QString::asprintf("%2.2d月最終", int(Month))
                                           : QString::asprintf("%2.2d月第%1d", int(Month), int(NumOfDayOfWeek));

    switch (DayType) {
    case dtDayOfWeek:
        return weekdays;
    case dtMonthDay:
        return monthDay;
    case dtMonthDayOfWeekNum:
        return nth + weekdays;
    case dtYearMonthDay:
        return yearPart + monthDay;
    case dtYearMonthDayOfWeekNum:
        return yearPart + nth + weekdays;
    }
    return {};
}

bool TZoDayItem::WriteRecord(QByteArray &out) const
{
    QByteArray text;
    if (!cp932::encode(DayText, text))
        return false;
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);

    const QByteArray uuid = m_guid.toRfc4122(); // big-endian fields
    char guid[16];
    qToLittleEndian<quint32>(qFromBigEndian<quint32>(uuid.constData()), guid);
    qToLittleEndian<quint16>(qFromBigEndian<quint16>(uuid.constData() + 4), guid + 4);
    qToLittleEndian<quint16>(qFromBigEndian<quint16>(uuid.constData() + 6), guid + 6);
    std::memcpy(guid + 8, uuid.constData() + 8, 8);

    out.reserve(out.size() + kFixedHead + text.size() + kDayItemReservedSize);
    out.append(guid, 16);
    putLE16(out, Year);
    putLE16(out, Month);
    putLE16(out, Day);
    out.append(char(DayType));
    out.append(char(NumOfDayOfWeek));
    out.append(char(DaysOfWeek.toByte()));
    out.append(char(YearType));
    putLE32(out, quint32(text.size()));
    out.append(text);
    TZoDayItemReserved reserved = m_reserved;
    qToLittleEndian<quint16>(LastYear, reserved.data());
    out.append(reinterpret_cast<const char *>(reserved.data()), kDayItemReservedSize);
    return true;
}

bool TZoDayItem::ReadRecord(const QByteArray &data, qsizetype &pos)
{
    if (pos < 0 || data.size() - pos < kFixedHead)
        return false;
    const char *p = data.constData() + pos;
    const qint32 length = qint32(getLE32(p + 26));
    const qsizetype rest = data.size() - pos - kFixedHead;
    if (length < 0 || length > rest || rest - length < kDayItemReservedSize)
        return false;

    QByteArray rfc(16, '\0');
    qToBigEndian<quint32>(getLE32(p), rfc.data());
    qToBigEndian<quint16>(getLE16(p + 4), rfc.data() + 4);
    qToBigEndian<quint16>(getLE16(p + 6), rfc.data() + 6);
    std::memcpy(rfc.data() + 8, p + 8, 8);
    m_guid = QUuid::fromRfc4122(rfc);

    Year = getLE16(p + 16);
    Month = getLE16(p + 18);
    Day = getLE16(p + 20);
    DayType = TZoDayType(quint8(p[22]));
    NumOfDayOfWeek = quint8(p[23]);
    DaysOfWeek = TZoDaysOfWeek::fromByte(quint8(p[24]));
    YearType = TZoYearType(quint8(p[25]));
    QByteArray text(p + kFixedHead, length);
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);
    DayText = cp932::decode(text);
    std::memcpy(m_reserved.data(), p + kFixedHead + length, kDayItemReservedSize);
    LastYear = qFromLittleEndian<quint16>(m_reserved.data());
    pos += kFixedHead + length + kDayItemReservedSize;
    return true;
}
