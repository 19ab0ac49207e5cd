#include "ui/mainwindow.h"

#include "calendar/daycontents.h"
#include "calendar/daypopuptext.h"
#include "calendar/zocalendarcontrol.h"
#include "core/settingskeys.h"
#include "schedule/alarmtimer.h"
#include "schedule/daylist.h"
#include "ui/fontconv.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTreeWidget>

// The calendar asks the window for what each day shows; the answers come
// from the schedule list and the memo files, nothing is cached between
// redraws except the NoTimeOnCalendar switch, read when a folder opens.
void TfrmQuillmereMainWindow::connectCalendarRequests()
{
    m_calendar->OnDrawDayContents = [this](TZoCustomQuillmereCalendar *, quint16 y, quint16 m, quint16 d,
                                           TZoDrawDayTextList &list) {
        const TColor contents = QColorToColor(m_calendar->Fonts().Color(13));
        const TColor memo = QColorToColor(m_memMemo->palette().color(QPalette::Text));
        list = BuildDayContents(m_alarmTimer->AlarmList(), QDate(y, m, d), m_noTimeOnCalendar, contents, memo);
    };
    m_calendar->OnDrawScheduleSign = [this](TZoCustomQuillmereCalendar *, quint16 y, quint16 m, quint16 d,
                                            bool &scheduleExists, bool &memoExists) {
        const TMemoScheduleExists signs = DaySigns(QDate(y, m, d), *m_alarmTimer);
        scheduleExists = scheduleExists || signs.ScheduleExists;
        memoExists = memoExists || signs.MemoExists;
    };
    m_calendar->OnSetupScheduleSign = [this](TZoCustomQuillmereCalendar *, TMemoScheduleTable &table) {
        table = ComputeSigns(m_calendar->FirstDate(), table, *m_alarmTimer);
    };
}

void TfrmQuillmereMainWindow::RefreshSigns()
{
    const TMemoScheduleTable table = ComputeSigns(m_calendar->FirstDate(), m_calendar->MemoScheduleExists(), *m_alarmTimer);
    for (int i = 0; i < ZoCalendarCells; ++i) {
        m_calendar->SetMemoExists(i, table[i].MemoExists);
        m_calendar->SetScheduleExists(i, table[i].ScheduleExists);
    }
    m_calendar->update();
}

void TfrmQuillmereMainWindow::FillDaySchedules()
{
    if (!m_started)
        return;
    m_lvAlarmSchedules->clear();
    for (const TDayListRow &row : DayScheduleRows(m_alarmTimer->AlarmList(), currentDate())) {
        auto *item = new QTreeWidgetItem(m_lvAlarmSchedules, {row.Time, row.Content});
        if (row.Alarm && row.Alarm->UseColor)
            for (int c = 0; c < 2; ++c)
                item->setForeground(c, ColorToQColor(row.Alarm->Color));
    }
    UpdateCommandStates();
}

QString TfrmQuillmereMainWindow::DayPopupTextOf(const QDate &date) const
{
    return DayPopupText(date, m_calendar->DateEx(), *m_alarmTimer);
}
