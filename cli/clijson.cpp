#include "cli/clijson.h"

#include "cli/clicontext.h"
#include "core/datetime.h"

QString JsonString(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QString out = QStringLiteral("\"");
    for (const QChar c : t) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString JsonMoment(double stored)
{
    const QDateTime moment = qmdt::toDateTime(stored);
    return moment.isValid() ? JsonString(CliMoment(moment)) : QStringLiteral("null");
}

QString JsonBool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

TJsonObject &TJsonObject::add(const char *name, const QString &json)
{
    if (!m_text.isEmpty())
        m_text += QLatin1Char(',');
    m_text += QLatin1Char('"') + QLatin1String(name) + QStringLiteral("\":") + json;
    return *this;
}
