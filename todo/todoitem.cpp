#include "todo/todoitem.h"

#include "core/cp932.h"
#include "core/datetime.h"
#include "todo/commatext.h"

namespace todofmt {

QDateTime Moment(double value)
{
    const QDateTime moment = qmdt::toDateTime(value);
    if (moment.isValid())
        return moment;
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

namespace {

// One body for the QString and the ASCII forms, so that they cannot drift apart.
template <typename Text> Text trimControls(const Text &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && QChar(text[begin]).unicode() <= 32)
        ++begin;
    while (end > begin && QChar(text[end - 1]).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

// Reads up to `maxDigits` digits at `pos`; false when there is none.
template <typename Text> bool readNumber(const Text &text, qsizetype &pos, int maxDigits, int &value)
{
    value = 0;
    int digits = 0;
    while (pos < text.size() && digits < maxDigits && QChar(text[pos]) >= QLatin1Char('0') &&
           QChar(text[pos]) <= QLatin1Char('9')) {
        value = value * 10 + (QChar(text[pos]).unicode() - '0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

// "a<sep>b<sep>c" with the third part optional when `thirdOptional`.
template <typename Text>
bool readTriple(const Text &text, QChar sep, int firstDigits, bool thirdOptional, int (&parts)[3])
{
    const Text t = trimControls(text);
    qsizetype pos = 0;
    parts[2] = 0;
    if (!readNumber(t, pos, firstDigits, parts[0]) || pos >= t.size() || QChar(t[pos++]) != sep ||
        !readNumber(t, pos, 2, parts[1]))
        return false;
    if (pos == t.size())
        return thirdOptional;
    if (QChar(t[pos++]) != sep || !readNumber(t, pos, 2, parts[2]))
        return false;
    return pos == t.size();
}

template <typename Text> QDate parseDate(const Text &text)
{
    int p[3];
    if (!readTriple(text, QLatin1Char('/'), 4, false, p))
        return {};
    return QDate(p[0], p[1], p[2]);
}

template <typename Text> QTime parseTime(const Text &text)
{
    int p[3];
    if (!readTriple(text, QLatin1Char(':'), 2, true, p))
        return {};
    return QTime(p[0], p[1], p[2]);
}

} // namespace

QString TrimControls(const QString &text)
{
    return trimControls(text);
}

QLatin1StringView TrimControls(QLatin1StringView text)
{
    return trimControls(text);
}

QDate ParseDate(const QString &text)
{
    return parseDate(text);
}

QDate ParseDate(QLatin1StringView text)
{
    return parseDate(text);
}

QTime ParseTime(const QString &text)
{
    return parseTime(text);
}

QTime ParseTime(QLatin1StringView text)
{
    return parseTime(text);
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
