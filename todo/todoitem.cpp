#include "todo/todoitem.h"

#include "core/cp932.h"
#include "core/datetime.h"
#include "todo/commatext.h"

#include <QRegularExpression>

namespace todofmt {

QDateTime Moment(double value)
{
    const QDateTime moment = qmdt::toDateTime(value);
    if (moment.isValid())
        return moment;
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

QString TrimControls(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QDate ParseDate(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,4})/(\\d{1,2})/(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QTime ParseTime(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return {};
    const int seconds = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    return QTime(m.captured(1).toInt(), m.captured(2).toInt(), seconds);
}

QDateTime ParseDateTime(const QString &text)
{
    const QString trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    if (blank < 0) {
        const QDate date = ParseDate(trimmed);
        return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
    }
    const QDate date = ParseDate(trimmed.left(blank));
    const QTime time = ParseTime(trimmed.mid(blank + 1));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

} // namespace todofmt

namespace {

QByteArray ascii(const QString &text)
{
    return text.toLatin1();
}

QByteArray dateField(double value)
{
    return ascii(todofmt::Moment(value).toString(QStringLiteral("yyyy/MM/dd")));
}

QByteArray timeField(double value)
{
    return ascii(todofmt::Moment(value).toString(QStringLiteral("HH:mm"))) + ":00";
}

QByteArray flag(bool value)
{
    return value ? QByteArray("1") : QByteArray("0");
}

// One item is one line of the file; a line break typed or pasted into the
// text would cut the item in two, so it is stored as a blank.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

QString TToDo::LimitDateText() const
{
    if (!UseDate)
        return QStringLiteral("        ");
    return todofmt::Moment(LimitDateTime).toString(QStringLiteral("yy/MM/dd"));
}

QString TToDo::LimitTimeText() const
{
    if (!UseTime)
        return QStringLiteral("--:--");
    return todofmt::Moment(LimitDateTime).toString(QStringLiteral("HH:mm"));
}

bool TToDo::ToFileLine(QByteArray &line) const
{
    QByteArray text;
    if (!cp932::encode(oneLine(Text), text))
        return false;

    QByteArray kind = "0";
    if (PrevAlert.Kind == AlertByDays)
        kind = "1";
    else if (PrevAlert.Kind == AlertByMinutes)
        kind = "2";
    const bool notice = kind != "0";

    QList<QByteArray> fields;
    fields.reserve(13);
    fields << flag(Checked) << text;
    fields << (UseDate ? dateField(LimitDateTime) : QByteArray());
    fields << (UseTime ? timeField(LimitDateTime) : QByteArray());
    fields << kind;
    fields << (notice ? QByteArray::number(PrevAlert.Amount) : QByteArray());
    fields << (notice ? dateField(PrevAlert.LastAlerted) : QByteArray());
    fields << (notice ? timeField(PrevAlert.LastAlerted) : QByteArray());
    fields << (UseDate ? dateField(AlarmedDateTime) : QByteArray());
    fields << (UseTime ? timeField(AlarmedDateTime) : QByteArray());
    fields << flag(Urgent) << flag(Important);
    fields << (Checked ? ascii(todofmt::Moment(CheckedDateTime).toString(QStringLiteral("yyyy/MM/dd HH:mm")))
                       : QByteArray());
    line = JoinCommaText(fields, ',', QByteArray(" ,"));
    return true;
}
