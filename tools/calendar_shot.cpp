// Renders the calendar control without a display, to look at its design:
//   QT_QPA_PLATFORM=offscreen quillmere-calendar-shot <output folder>
// writes calendar-monthly2.png, calendar-monthly1.png and calendar-vertical1.png
// for a busy month: holidays, a day off, a special day, today, signs, contents.
#include "calendar/zocalendarcontrol.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

namespace {

void AddRules(TZoDateEx &engine)
{
    // The national holidays of May and a few of the user's own days.
    engine.HolidayList()->Add(TZoDayItem(5, 3, QStringLiteral("憲法記念日")));
    engine.HolidayList()->Add(TZoDayItem(5, 4, QStringLiteral("みどりの日")));
    engine.HolidayList()->Add(TZoDayItem(5, 5, QStringLiteral("こどもの日")));
    engine.SpecialDayList()->Add(TZoDayItem(5, 14, QStringLiteral("母の誕生日")));
    engine.SpecialDayList()->Add(TZoDayItem(5, 28, QStringLiteral("結婚記念日")));
    engine.CustomDayOffList()->Add(TZoDayItem(5, 22, QStringLiteral("有給休暇")));
    engine.CustomDayOffList()->Add(TZoDayItem(6, 1, QStringLiteral("創立記念日")));
}

void FillContents(TZoQuillmereCalendar &calendar)
{
    calendar.OnDrawDayContents = [](TZoCustomQuillmereCalendar *, quint16, quint16 m, quint16 d,
                                    TZoDrawDayTextList &list) {
        const int n = (d * 7 + m) % 5;
        if (d % 7 == 1)
            list.append({QStringLiteral("09:00  "), QStringLiteral("週次定例ミーティング\r\n"), 0x000000});
        if (n >= 1)
            list.append({QStringLiteral("10:30  "), QStringLiteral("歯医者\r\n"), 0x0000C0});
        if (n >= 2)
            list.append({QStringLiteral("13:00  "), QStringLiteral("企画書の提出と打ち合わせ（第三会議室）\r\n"),
                         0x804000});
        if (n >= 3)
            list.append({QStringLiteral("18:30  "), QStringLiteral("ヨガ教室\r\n"), 0x008000});
        if (d % 6 == 0)
            list.append({QString(), QStringLiteral("牛乳、パン、卵を買う\r\nクリーニング\r\n"), 0x404040});
    };
    calendar.OnDrawScheduleSign = [](TZoCustomQuillmereCalendar *, quint16, quint16, quint16 d, bool &schedule,
                                     bool &memo) {
        schedule = d % 3 != 0;
        memo = d % 6 == 0;
    };
    calendar.OnSetupScheduleSign = [&calendar](TZoCustomQuillmereCalendar *, TMemoScheduleTable &table) {
        for (int i = 0; i < ZoCalendarCells; ++i) {
            const int d = calendar.FirstDate().addDays(i).day();
            table[size_t(i)].ScheduleExists = d % 3 != 0;
            table[size_t(i)].MemoExists = d % 6 == 0;
        }
    };
}

bool Shoot(TZoQuillmereCalendar &calendar, const QString &path)
{
    calendar.Redraw();
    const bool ok = calendar.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);

    const TFixedClock clock(QDateTime(QDate(2024, 5, 16), QTime(9, 0)));
    TZoQuillmereCalendar calendar(nullptr, &clock);
    AddRules(calendar.DateEx());
    FillContents(calendar);
    calendar.SetCurrentDate(QDate(2024, 5, 20));
    calendar.SetTodaySign(ttsSquare);
    calendar.RefreshDate();
    calendar.resize(980, 720);
    calendar.show();
    calendar.setFocus();
    app.processEvents();

    bool ok = Shoot(calendar, folder + QStringLiteral("/calendar-monthly2.png"));
    calendar.SetCalendarStyle(csMonthly1);
    calendar.resize(560, 420);
    ok = Shoot(calendar, folder + QStringLiteral("/calendar-monthly1.png")) && ok;
    calendar.SetCalendarStyle(csVertical1);
    calendar.SetStartDate(QDate(2024, 5, 16));
    calendar.resize(720, 640);
    ok = Shoot(calendar, folder + QStringLiteral("/calendar-vertical1.png")) && ok;
    return ok ? 0 : 1;
}
