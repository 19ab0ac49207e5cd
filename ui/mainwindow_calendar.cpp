#include "ui/mainwindow.h"

#include "calendar/daycontents.h"
#include "calendar/daypopuptext.h"
#include "calendar/zocalendarcontrol.h"
#include "core/settingskeys.h"
#include "schedule/alarmtimer.h"
#include "schedule/daylist.h"
#include "ui/daypopup.h"
#include "ui/dayschedulemodel.h"
#include "ui/fontconv.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTreeView>

// The calendar asks the window for what each day shows; the answers come
// from the schedule list and the memo files. Nothing is kept from one
// picture to the next except the NoTimeOnCalendar switch, read when a folder
// opens: the schedules are taken from the list once for each picture.
void TfrmQuillmereMainWindow::connectCalendarRequests()
{
    m_calendar->OnDrawDayContents = [this](TZoCustomQuillmereCalendar *sender, quint16 y, quint16 m, quint16 d,
                                           TZoDrawDayTextList &list) {
        const TColor contents = QColorToColor(m_calendar->Fonts().Color(13));
        const TColor memo = QColorToColor(m_memMemo->palette().color(QPalette::Text));
        const quint64 pass = sender->DrawingPass();
        if (pass == 0 || pass != m_contentsPass || !m_contentsSource) {
            m_contentsSource = std::make_unique<TDayContentsSource>(m_alarmTimer->AlarmList());
            m_contentsPass = pass;
        }
        list = m_contentsSource->Build(QDate(y, m, d), m_noTimeOnCalendar, contents, memo, sender->DayContentsRoom());
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

    // The day pop-up lives while the left button is held on a day. A double
    // click arrives before its own second press, which then shows nothing.
    m_dayPopup = new TDayPopup(this);
    connect(m_calendar, &TZoCustomCalendar::OnMouseDown, this, [this](Qt::MouseButton button, QPoint pos) {
        if (button != Qt::LeftButton)
            return;
        if (m_afterDoubleClick) {
            m_afterDoubleClick = false;
            return;
        }
        m_dayPopup->Popup(DayPopupTextOf(m_calendar->CurrentDate()), m_calendar->mapToGlobal(pos));
    });
    connect(m_calendar, &TZoCustomCalendar::OnMouseUp, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            m_dayPopup->Close();
    });
    connect(m_calendar, &TZoCustomCalendar::OnDblClick, this, [this] {
        m_afterDoubleClick = true;
        m_dayPopup->Close();
        m_calendar->update();
        // The new-schedule dialog opens here once the schedule editor exists.
    });
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
    m_daySchedules->SetRows(DayScheduleRows(m_alarmTimer->AlarmList(), currentDate()));
    // The first row is the current one, so that edit and delete have a
    // schedule to act on; a view that is shown scrolls to it by itself, and
    // one that is not yet shown need not lay out every row of a long day.
    if (m_daySchedules->rowCount() > 0)
        m_lvAlarmSchedules->setCurrentIndex(m_daySchedules->index(0, 0));
    UpdateCommandStates();
}

QString TfrmQuillmereMainWindow::DayPopupTextOf(const QDate &date) const
{
    return DayPopupText(date, m_calendar->DateEx(), *m_alarmTimer);
}
