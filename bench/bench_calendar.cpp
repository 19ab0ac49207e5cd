// Usage: bench_calendar FOLDER   (a folder written by quillmere-gendata)
//        bench_calendar --synthetic
// Times full redraws of the month grid, offscreen: 42 cells, each with five
// or more contents lines, names and both signs. With a data folder the
// contents come from its 10,000 schedules (see TContentsIndex).
// Target: under 8 ms per redraw.
#include "bench/benchreport.h"
#include "calendar/dayfiles.h"
#include "calendar/zocalendarcontrol.h"
#include "core/appglobal.h"
#include "core/cp932.h"
#include "core/prompter.h"
#include "schedule/alarmtimer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

// The day's contents as the main window builds them, from an index of the
// schedule list made once when the list is loaded (and, in the program,
// again whenever it changes): the schedules that can fall on a day are
// found by kind and date instead of testing all 10,000 for each of the 42
// days, and each bucket is kept sorted by time text, so a day's list is a
// merge. Hidden schedules and kinds above start-up never reach the calendar.
class TContentsIndex
{
public:
    explicit TContentsIndex(const TAlarmList &alarms)
    {
        for (int i = 0; i < alarms.Count(); ++i) {
            const TAlarm2 *a = alarms.Items(i);
            if (a->HideFromShowSchedule == 1 || a->AlarmType > atStartUp)
                continue;
            TEntry e;
            e.alarm = a;
            e.order = i;
            e.item.Key = a->TimeText() + (a->ExecuteType == etShellExecute ? QStringLiteral("* ") : QStringLiteral("  "));
            e.sortKey = cp932::encodeLossy(e.item.Key);
            for (const QString &line : a->Lines)
                e.item.Text += line.left(line.indexOf(QChar(0)) < 0 ? line.size() : line.indexOf(QChar(0))) +
                               QStringLiteral("\r\n");
            e.item.Color = a->UseColor == 1 ? a->Color : clr::clBlack;
            const TAlarmDateTime &d = a->AlarmDateTime;
            switch (a->AlarmType) {
            case atEveryDay:
            case atEveryDayNoTime:
            case atStartUp: m_everyDay.push_back(e); break;
            case atWeekly:
            case atWeeklyNoTime: m_weekly.push_back(e); break;
            case atMonthly:
            case atMonthlyNoTime: m_byKey[d.Day].push_back(e); break;
            case atYearly:
            case atYearlyNoTime: m_byKey[100 * d.Month + d.Day + 1000].push_back(e); break;
            default: m_byKey[10000 * d.Year + 100 * d.Month + d.Day + 100000].push_back(e); break;
            }
        }
        // One rank for the whole list, so that merging compares integers.
        std::vector<TEntry *> all;
        for (TEntry &e : m_everyDay)
            all.push_back(&e);
        for (TEntry &e : m_weekly)
            all.push_back(&e);
        for (auto &[key, bucket] : m_byKey)
            for (TEntry &e : bucket)
                all.push_back(&e);
        std::sort(all.begin(), all.end(), [](const TEntry *x, const TEntry *y) {
            const int c = x->sortKey.compare(y->sortKey);
            return c != 0 ? c < 0 : x->order < y->order;
        });
        for (size_t r = 0; r < all.size(); ++r)
            all[r]->rank = int(r);
        Sort(m_everyDay);
        Sort(m_weekly);
        for (auto &[key, bucket] : m_byKey)
            Sort(bucket);
    }

    void Fill(const QDate &day, TZoDrawDayTextList &list) const
    {
        const TDayParts parts(day);
        std::vector<const TEntry *> merged;
        merged.reserve(m_everyDay.size() + 16);
        for (const TEntry &e : m_everyDay)
            merged.push_back(&e);
        const auto add = [&](const std::vector<TEntry> &bucket) {
            std::vector<const TEntry *> found;
            for (const TEntry &e : bucket)
                if (e.alarm->IsAlarmDay(parts))
                    found.push_back(&e);
            if (found.empty())
                return;
            std::vector<const TEntry *> out;
            out.reserve(merged.size() + found.size());
            std::merge(merged.begin(), merged.end(), found.begin(), found.end(), std::back_inserter(out),
                       [](const TEntry *x, const TEntry *y) { return Less(*x, *y); });
            merged.swap(out);
        };
        add(m_weekly);
        for (const int key : {day.day(), 100 * day.month() + day.day() + 1000,
                              10000 * day.year() + 100 * day.month() + day.day() + 100000}) {
            const auto it = m_byKey.find(key);
            if (it != m_byKey.end())
                add(it->second);
        }
        list.reserve(qsizetype(merged.size()));
        for (const TEntry *e : merged)
            list.append(e->item);
    }

private:
    struct TEntry
    {
        const TAlarm2 *alarm;
        int order;
        int rank = 0;
        QByteArray sortKey;
        TZoDrawDayText item;
    };
    // By the shared comparison of time texts (CP932 bytes), list order on ties.
    static bool Less(const TEntry &x, const TEntry &y) { return x.rank < y.rank; }
    static void Sort(std::vector<TEntry> &bucket) { std::sort(bucket.begin(), bucket.end(), Less); }

    std::vector<TEntry> m_everyDay;
    std::vector<TEntry> m_weekly;
    std::map<int, std::vector<TEntry>> m_byKey;
};

void SyntheticContents(TZoDrawDayTextList &list)
{
    static const QString lines[] = {
        QStringLiteral("週次定例ミーティング\r\n"), QStringLiteral("歯医者\r\n"),
        QStringLiteral("企画書の提出と打ち合わせ（第三会議室）\r\n"), QStringLiteral("ヨガ教室\r\n"),
        QStringLiteral("牛乳、パン、卵を買う\r\n"),
    };
    for (const QString &line : lines)
        list.append({QString(), line, 0x804000});
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_calendar FOLDER | --synthetic\n");
        return 2;
    }
    const bool synthetic = QString::fromLocal8Bit(argv[1]) == QLatin1String("--synthetic");

    TAlarmTimer timer;
    const TFixedClock clock(QDateTime(QDate(2026, 5, 14), QTime(9, 0)));
    TZoQuillmereCalendar calendar(nullptr, &clock);
    calendar.resize(1000, 720);
    calendar.show(); // a hidden calendar puts its drawing off until it is shown
    if (!synthetic) {
        const QString folder = WithTrailingSlash(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
        Global().ProgramFolder = folder;
        Global().CurrentDataFolder = folder;
        const TScheduleLoadResult loaded = timer.LoadFromFile(Global().ScheduleFile(), false);
        if (loaded.state != TScheduleLoadResult::Loaded) {
            std::fprintf(stderr, "no schedules in %s\n", qPrintable(folder));
            return 1;
        }
        TStderrPrompter prompter;
        LoadDayFiles(calendar.DateEx(), prompter, TDayFilesAccess::ReadOnly);
    }
    QElapsedTimer indexTime;
    indexTime.start();
    const TContentsIndex index(timer.AlarmList());
    std::printf("contents index of the schedule list built in %.3f ms\n", double(indexTime.nsecsElapsed()) / 1e6);
    // Every day carries a name (a special day on every weekday) and both signs.
    TZoDayItem everyDay;
    everyDay.DayType = dtDayOfWeek;
    everyDay.DaysOfWeek = TZoDaysOfWeek{zodwSunday, zodwMonday, zodwTuesday, zodwWednesday, zodwThursday, zodwFriday,
                                        zodwSaturday};
    everyDay.DayText = QStringLiteral("記念日");
    calendar.DateEx().SpecialDayList()->Add(everyDay);
    calendar.OnSetupScheduleSign = [](TZoCustomQuillmereCalendar *, TMemoScheduleTable &table) {
        table.fill({true, true});
    };
    int requests = 0;
    int fewest = 1 << 30;
    bool counting = true;
    qint64 handlerNs = 0;
    calendar.OnDrawDayContents = [&](TZoCustomQuillmereCalendar *, quint16 y, quint16 m, quint16 d,
                                     TZoDrawDayTextList &list) {
        ++requests;
        QElapsedTimer t;
        t.start();
        if (synthetic)
            SyntheticContents(list);
        else
            index.Fill(QDate(y, m, d), list);
        handlerNs += t.nsecsElapsed();
        if (!counting)
            return;
        int lines = 0;
        for (const TZoDrawDayText &item : std::as_const(list))
            lines += int(item.Text.count(QLatin1Char('\n')));
        fewest = std::min(fewest, lines);
    };
    calendar.SetCurrentDate(QDate(2026, 5, 20));
    calendar.RefreshDate();
    std::printf("%s: %d schedules, %d holiday rules; fewest contents lines in a cell: %d\n",
                synthetic ? "synthetic" : "data folder", timer.AlarmList().Count(),
                calendar.DateEx().HolidayList()->Count(), fewest);

    counting = false;
    const int runs = 200;
    requests = 0;
    handlerNs = 0;
    BenchReport("full redraw, csMonthly2 (1000x720)", runs, [&] { calendar.Redraw(); });
    std::printf("OnDrawDayContents requests per redraw: %d, mean time in them %.3f ms\n", requests / runs,
                double(handlerNs) / runs / 1e6);

    TZoDrawDayTextList scratch;
    BenchReport("the 42 contents requests alone", runs, [&] {
        for (int i = 0; i < 42; ++i) {
            scratch.clear();
            const QDate day = calendar.FirstDate().addDays(i);
            if (synthetic)
                SyntheticContents(scratch);
            else
                index.Fill(day, scratch);
        }
    });

    int day = 0;
    BenchReport("day change (click to the next day)", runs,
                [&] { calendar.SetCurrentDate(QDate(2026, 5, 1 + (day++ % 28))); });
    calendar.SetCalendarStyle(csVertical1);
    calendar.SetDaysToShow(7);
    BenchReport("full redraw, csVertical1, 7 days", runs, [&] { calendar.Redraw(); });
    return 0;
}
