// Usage: bench_calendar FOLDER   (a folder written by quillmere-gendata)
//        bench_calendar --synthetic
// Times full redraws of the month grid, offscreen: 42 cells, each with five
// or more contents lines, names and both signs. With a data folder the
// contents come from its 10,000 schedules the way the main window builds
// them (every schedule tested against every visible day, sorted by time).
// Target: under 8 ms per redraw.
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
#include <vector>

namespace {

struct TStats
{
    double best, median, worst;
};

TStats Measure(int runs, const std::function<void()> &body)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        body();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2], ms.back()};
}

void Print(const char *what, const TStats &s, int runs)
{
    std::printf("%-52s best %7.3f ms  median %7.3f ms  worst %7.3f ms  (%d runs)\n", what, s.best, s.median, s.worst,
                runs);
}

// The day's contents as the main window builds them: every schedule of the
// list tested against the day, hidden and start-up-only kinds left out,
// sorted by time text, lines joined with CR LF.
void ScheduleContents(const TAlarmList &alarms, const QDate &day, TZoDrawDayTextList &list)
{
    const TDayParts parts(day);
    struct TItem
    {
        QString key;
        const TAlarm2 *alarm;
    };
    std::vector<TItem> items;
    for (int i = 0; i < alarms.Count(); ++i) {
        const TAlarm2 *a = alarms.Items(i);
        if (a->HideFromShowSchedule == 1 || a->AlarmType > 10 || !a->IsAlarmDay(parts))
            continue;
        items.push_back({a->TimeText() + (a->ExecuteType == etShellExecute ? QStringLiteral("* ") : QStringLiteral("  ")), a});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const TItem &x, const TItem &y) { return cp932::compare(x.key, y.key) < 0; });
    list.reserve(qsizetype(items.size()));
    for (const TItem &item : items) {
        QString text;
        for (const QString &line : item.alarm->Lines)
            text += line + QStringLiteral("\r\n");
        list.append({item.key, text, item.alarm->UseColor == 1 ? item.alarm->Color : clr::clBlack});
    }
}

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
    calendar.OnDrawDayContents = [&](TZoCustomQuillmereCalendar *, quint16 y, quint16 m, quint16 d,
                                     TZoDrawDayTextList &list) {
        ++requests;
        if (synthetic)
            SyntheticContents(list);
        else
            ScheduleContents(timer.AlarmList(), QDate(y, m, d), list);
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

    const int runs = 200;
    requests = 0;
    Print("full redraw, csMonthly2 (1000x720)", Measure(runs, [&] { calendar.Redraw(); }), runs);
    std::printf("OnDrawDayContents requests per redraw: %d\n", requests / runs);

    TZoDrawDayTextList scratch;
    Print("the 42 contents requests alone", Measure(runs, [&] {
              for (int i = 0; i < 42; ++i) {
                  scratch.clear();
                  const QDate day = calendar.FirstDate().addDays(i);
                  if (synthetic)
                      SyntheticContents(scratch);
                  else
                      ScheduleContents(timer.AlarmList(), day, scratch);
              }
          }),
          runs);

    int day = 0;
    Print("day change (click to the next day)", Measure(runs, [&] {
              calendar.SetCurrentDate(QDate(2026, 5, 1 + (day++ % 28)));
          }),
          runs);
    calendar.SetCalendarStyle(csVertical1);
    calendar.SetDaysToShow(7);
    Print("full redraw, csVertical1, 7 days", Measure(runs, [&] { calendar.Redraw(); }), runs);
    return 0;
}
