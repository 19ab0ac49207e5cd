#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QUuid>

#include <array>

// The stored numbers of these enumerations are part of the day-file layout.
enum TZoDayType : quint8
{
    dtDayOfWeek = 0,
    dtMonthDay = 1,
    dtMonthDayOfWeekNum = 2,
    dtYearMonthDay = 3,
    dtYearMonthDayOfWeekNum = 4,
};

enum TZoYearType : quint8
{
    ytThisYear = 0,
    ytAfterThisYear = 1,
    ytBeforeThisYear = 2,
};

enum TZoDayOfWeek : quint8
{
    zodwSunday = 0,
    zodwMonday,
    zodwTuesday,
    zodwWednesday,
    zodwThursday,
    zodwFriday,
    zodwSaturday,
};

// A set of weekdays in one byte: bit n = weekday n (bit 0 Sunday). Bit 7 is
// kept as read so that a file round-trips byte for byte.
class TZoDaysOfWeek
{
public:
    constexpr TZoDaysOfWeek() = default;
    constexpr TZoDaysOfWeek(std::initializer_list<TZoDayOfWeek> days)
    {
        for (TZoDayOfWeek d : days)
            m_bits = quint8(m_bits | (1u << d));
    }
    static constexpr TZoDaysOfWeek fromByte(quint8 bits)
    {
        TZoDaysOfWeek s;
        s.m_bits = bits;
        return s;
    }
    constexpr quint8 toByte() const { return m_bits; }
    constexpr bool contains(int weekday) const { return weekday >= 0 && weekday < 7 && (m_bits >> weekday) & 1u; }
    constexpr bool isEmpty() const { return (m_bits & 0x7F) == 0; }
    constexpr void insert(TZoDayOfWeek d) { m_bits = quint8(m_bits | (1u << d)); }
    constexpr void remove(TZoDayOfWeek d) { m_bits = quint8(m_bits & ~(1u << d)); }
    constexpr bool operator==(const TZoDaysOfWeek &) const = default;

private:
    quint8 m_bits = 0;
};

inline constexpr int kDayItemReservedSize = 129;
using TZoDayItemReserved = std::array<quint8, kDayItemReservedSize>;

// One day rule: a recurring or single date with its name. Fields a kind does
// not use are ignored and kept as they are.
class TZoDayItem
{
public:
    // dtYearMonthDay, ytThisYear, every number 0.
    TZoDayItem();
    // dtMonthDay.
    TZoDayItem(int month, int day, const QString &text);
    // dtYearMonthDay.
    TZoDayItem(int year, TZoYearType yearType, int month, int day, const QString &text);
    // dtYearMonthDay with ytThisYear.
    TZoDayItem(int year, int month, int day, const QString &text);

    TZoDayItem(const TZoDayItem &) = default;
    TZoDayItem &operator=(const TZoDayItem &) = default;

    // Copies every field and LastYear, but not the rest of Reserved.
    void Assign(const TZoDayItem &source);

    bool Matches(const QDate &date) const;
    // The same with the date's parts already known (weekday 0 = Sunday); the
    // engine asks this many times per date.
    bool Matches(int year, int month, int day, int weekday) const;
    // The rule as the list views write it, e.g. "2000年以降の01月第2月曜日".
    QString DisplayText() const;

    quint16 Year = 0;
    quint16 Month = 0;
    quint16 Day = 0; // 0 = the month's last day
    TZoDayType DayType = dtYearMonthDay;
    TZoDaysOfWeek DaysOfWeek;
    quint8 NumOfDayOfWeek = 0; // 1-4 the n-th, 5 or more the last, 0 never
    TZoYearType YearType = ytThisYear;
    // For ytAfterThisYear: the last year the rule holds, 0 = open-ended.
    // Stored in the first two bytes of Reserved, which older files leave zero.
    quint16 LastYear = 0;
    QString DayText;

    const QUuid &Guid() const { return m_guid; }
    // As read from a file (bytes 0-1 then replaced by LastYear on writing).
    const TZoDayItemReserved &Reserved() const { return m_reserved; }

    // One record of the day-file layout. Appends to `out`; false (and `out`
    // unchanged) when DayText holds a character CP932 cannot store.
    [[nodiscard]] bool WriteRecord(QByteArray &out) const;
    // Reads one record at `pos`, advancing it. False when the data ends early
    // or the text length is impossible; the item is then left unchanged.
    [[nodiscard]] bool ReadRecord(const QByteArray &data, qsizetype &pos);

private:
    QUuid m_guid;
    TZoDayItemReserved m_reserved{};
};

// The first of Sunday ... Saturday in the set; Sunday when none is.
int FirstWeekdayOfSet(TZoDaysOfWeek set);
// Day of month of the n-th (n > 4: the last) `weekday` in the month, or 0
// when n is 0. `firstWeekday` is the weekday of the 1st.
int NthWeekdayOfMonth(int weekday, int n, int firstWeekday, int daysInMonth);
// 0 = Sunday ... 6 = Saturday.
inline int ZoWeekday(const QDate &date)
{
    return date.dayOfWeek() % 7;
}
int ZoDaysInMonth(int year, int month);
