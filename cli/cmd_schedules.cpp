#include "cli/clicontext.h"
#include "core/appglobal.h"
#include "core/datetime.h"
#include "schedule/alarmtimer.h"

namespace {

QString jsonString(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QString out = QStringLiteral("\"");
    for (const QChar c : t) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

// Stored date-times are moments; 0 (never) and values outside the calendar
// are null.
QString jsonMoment(double stored)
{
    const QDateTime moment = qmdt::toDateTime(stored);
    return moment.isValid() ? jsonString(CliMoment(moment)) : QStringLiteral("null");
}

QString jsonBool(quint8 value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// Fields in the record's own order, so the output reads like the record.
class TJsonObject
{
public:
    TJsonObject &add(const char *name, const QString &json)
    {
        m_text += (m_text.isEmpty() ? QString() : QStringLiteral(",")) + QLatin1Char('"') + QLatin1String(name) + QStringLiteral("\":") + json;
        return *this;
    }
    TJsonObject &add(const char *name, qint64 number) { return add(name, QString::number(number)); }
    QString text() const { return QLatin1Char('{') + m_text + QLatin1Char('}'); }

private:
    QString m_text;
};

QString scheduleJson(const TAlarm2 &a)
{
    const TAlarmDateTime &adt = a.AlarmDateTime;
    const TShellExecute &se = a.ShellExecute;
    QStringList lines;
    for (const QString &line : a.Lines)
        lines << jsonString(line);
    TJsonObject shell;
    shell.add("Handle", se.Handle)
        .add("Operation", jsonString(se.Operation))
        .add("FileName", jsonString(se.FileName))
        .add("Parameters", jsonString(se.Parameters))
        .add("Directory", jsonString(se.Directory))
        .add("ShowCmd", se.ShowCmd);
    TJsonObject notice;
    notice.add("Kind", a.PreviouseAlert.Kind).add("Amount", a.PreviouseAlert.Amount).add("LastAlerted", jsonMoment(a.PreviouseAlert.LastAlerted));
    TJsonObject o;
    o.add("AlarmType", a.AlarmType)
        .add("Year", adt.Year)
        .add("Month", adt.Month)
        .add("Day", adt.Day)
        .add("Hour", adt.Hour)
        .add("Minute", adt.Minute)
        .add("DaysOfWeek", adt.DaysOfWeek)
        .add("LastAlarmed", jsonMoment(a.LastAlarmed))
        .add("ExecuteType", a.ExecuteType)
        .add("ShellExecute", shell.text())
        .add("Enabled", jsonBool(a.Enabled))
        .add("Lines", QLatin1Char('[') + lines.join(QLatin1Char(',')) + QLatin1Char(']'))
        .add("HideFromShowSchedule", jsonBool(a.HideFromShowSchedule))
        .add("UseColor", jsonBool(a.UseColor))
        .add("Color", a.Color)
        .add("PreviouseAlert", notice.text())
        .add("DateText", jsonString(a.DateText()))
        .add("TimeText", jsonString(a.TimeText()));
    return o.text();
}

const TCliRegistrar reg(QStringLiteral("schedules"), QStringLiteral("schedules"), [](TCliContext &ctx) {
    if (!ctx.args.isEmpty())
        return int(cliUsage);
    TAlarmTimer timer;
    // The tool only reads: a damaged file is reported, not kept aside.
    const TScheduleLoadResult loaded = timer.LoadFromFile(Global().ScheduleFile(), false);
    if (!loaded.ok()) {
        CliReportDamaged(ctx, loaded.message);
        return int(cliDamaged);
    }
    for (int i = 0; i < timer.AlarmList().Count(); ++i)
        ctx.out << scheduleJson(*timer.AlarmList().Items(i)) << '\n';
    return int(cliOk);
});

const TCliCheckRegistrar scheduleCheck(20, [](TCliContext &) {
    TAlarmTimer timer;
    const TScheduleLoadResult loaded = timer.LoadFromFile(Global().ScheduleFile(), false);
    return loaded.ok() ? QStringList() : QStringList{loaded.message};
});

} // namespace
