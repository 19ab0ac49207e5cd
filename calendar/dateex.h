#pragma once

#include "calendar/dayitemlist.h"

#include <QDate>
#include <QFlags>
#include <QObject>
#include <QString>

enum TZoDayKind
{
    dkSunday = 0x01,
    dkSaturday = 0x02,
    dkHoliday = 0x04,
    dkFurikae = 0x08,
    dkSpecialDay = 0x10,
    dkCustomDayOff = 0x20,
};
Q_DECLARE_FLAGS(TZoDayKinds, TZoDayKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(TZoDayKinds)

// Day of March (vernal) or September (autumnal) of the equinox day in `year`,
// by the standard period constants.
int VernalEquinoxDayOfMarch(int year);
int AutumnalEquinoxDayOfSeptember(int year);

// The holiday engine: what kind of day a date is and what names it carries,
// from its three rule lists and the days the law computes (equinox days,
// substitute holidays and citizens' holidays).
class TZoCustomDateEx : public QObject
{
    Q_OBJECT
public:
    explicit TZoCustomDateEx(QObject *parent = nullptr);
    ~TZoCustomDateEx() override;

    bool AutoEquinox() const { return m_autoEquinox; }
    void SetAutoEquinox(bool on) { m_autoEquinox = on; }
    bool AutoFurikae() const { return m_autoFurikae; }
    void SetAutoFurikae(bool on) { m_autoFurikae = on; }
    bool AutoKokumin() const { return m_autoKokumin; }
    void SetAutoKokumin(bool on) { m_autoKokumin = on; }

    TZoDayItemList *HolidayList() const { return m_holidays; }
    TZoDayItemList *SpecialDayList() const { return m_specialDays; }
    TZoDayItemList *CustomDayOffList() const { return m_daysOff; }

    TZoDayKinds GetDayKinds(int year, int month, int day) const;
    TZoDayKinds GetDayKinds(const QDate &date) const;

    // The day's names as comma text; the flags (optional) tell which lists
    // or computed holidays contributed.
    QString GetDayText(int year, int month, int day, bool *isSpecialDay = nullptr, bool *isDayOff = nullptr,
                       bool *isHoliday = nullptr) const;
    QString GetDayText(const QDate &date, bool *isSpecialDay = nullptr, bool *isDayOff = nullptr,
                       bool *isHoliday = nullptr) const;

    static bool IsVernalEquinoxDay(int year, int month, int day);
    static bool IsAutumnalEquinoxDay(int year, int month, int day);

    static int DaysInMonth(int year, int month);
    static int DaysInMonth(const QDate &date);
    // Weekday (0 = Sunday) of the first day of the month.
    static int FirstDayOfWeek(int year, int month);
    static int FirstDayOfWeek(const QDate &date);

    // 国民の休日 by the law in force on the date (false when AutoKokumin is off).
    bool IsKokuminHoliday(const QDate &date) const;
    // 振替休日 by the law in force on the date (false when AutoFurikae is off).
    bool IsFurikae(const QDate &date) const;

private:
    bool isRuleOrEquinoxHoliday(const QDate &date) const;
    bool isEquinoxHoliday(const QDate &date) const;
    bool furikaeByLaw(const QDate &date) const;
    bool kokuminByLaw(const QDate &date) const;

    bool m_autoEquinox = false;
    bool m_autoFurikae = false;
    // On from the start: callers that predate the switch still get the law.
    bool m_autoKokumin = true;
    TZoDayItemList *m_holidays;
    TZoDayItemList *m_specialDays;
    TZoDayItemList *m_daysOff;
};

class TZoDateEx final : public TZoCustomDateEx
{
    Q_OBJECT
public:
    using TZoCustomDateEx::TZoCustomDateEx;
};
