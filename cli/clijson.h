#pragma once

#include <QString>

// The JSON forms of the command-line tool's output. A stored CR LF inside a
// text is printed as \n.
QString JsonString(const QString &text);
// Stored date-times are moments; 0 (never) and values off the calendar are null.
QString JsonMoment(double stored);
QString JsonBool(bool value);

// An object whose fields keep the order they are added in, so the output
// reads like the record.
class TJsonObject
{
public:
    TJsonObject &add(const char *name, const QString &json);
    TJsonObject &add(const char *name, qint64 number) { return add(name, QString::number(number)); }
    QString text() const { return QLatin1Char('{') + m_text + QLatin1Char('}'); }

private:
    QString m_text;
};
