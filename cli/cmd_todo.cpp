#include "cli/clicontext.h"
#include "core/appglobal.h"
#include "core/datetime.h"
#include "core/textfile.h"
#include "todo/todolist.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString jsonString(const QString &text)
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

// 0 (never) and values off the calendar are null.
QString jsonMoment(double stored)
{
    const QDateTime moment = qmdt::toDateTime(stored);
    return moment.isValid() ? jsonString(CliMoment(moment)) : QStringLiteral("null");
}

QString jsonBool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// Fields in the record's own order.
class TJsonFields
{
public:
    TJsonFields &add(const char *name, const QString &json)
    {
        if (!m_text.isEmpty())
            m_text += QLatin1Char(',');
        m_text += QLatin1Char('"') + QLatin1String(name) + QStringLiteral("\":") + json;
        return *this;
    }
    QString text() const { return QLatin1Char('{') + m_text + QLatin1Char('}'); }

private:
    QString m_text;
};

QString todoJson(const TToDo &t)
{
    TJsonFields notice;
    notice.add("Kind", QString::number(t.PrevAlert.Kind))
        .add("Amount", QString::number(t.PrevAlert.Amount))
        .add("LastAlerted", jsonMoment(t.PrevAlert.LastAlerted));
    TJsonFields o;
    o.add("Checked", jsonBool(t.Checked))
        .add("Important", jsonBool(t.Important))
        .add("Urgent", jsonBool(t.Urgent))
        .add("Text", jsonString(t.Text))
        .add("LimitDateTime", jsonMoment(t.LimitDateTime))
        .add("UseDate", jsonBool(t.UseDate))
        .add("UseTime", jsonBool(t.UseTime))
        .add("PrevAlert", notice.text())
        .add("AlarmedDateTime", jsonMoment(t.AlarmedDateTime))
        .add("CheckedDateTime", jsonMoment(t.CheckedDateTime))
        .add("LimitDateText", jsonString(t.LimitDateText()))
        .add("LimitTimeText", jsonString(t.LimitTimeText()));
    return o.text();
}

const TCliRegistrar reg(QStringLiteral("todo"), QStringLiteral("todo"), [](TCliContext &ctx) {
    if (!ctx.args.isEmpty())
        return int(cliUsage);
    TToDoList list;
    // The tool only reads: no todo.old, no kept copy of a damaged file. The
    // items before a failing line are what the program would show.
    const TToDoLoadResult loaded = ReadToDoList(Global().ToDoFile(), list, qmdt::fromDateTime(ctx.clock.now()));
    for (const TToDo *t : list.Display)
        ctx.out << todoJson(*t) << '\n';
    ctx.out.flush();
    if (!loaded.ok) {
        CliReportDamaged(ctx, loaded.message);
        return int(cliDamaged);
    }
    return int(cliOk);
});

const TCliCheckRegistrar todoCheck(30, [](TCliContext &ctx) {
    TToDoList list;
    const TToDoLoadResult loaded = ReadToDoList(Global().ToDoFile(), list, qmdt::fromDateTime(ctx.clock.now()));
    return loaded.ok ? QStringList() : QStringList{loaded.message};
});

// Memos, the notebook, note pages and templates load whatever bytes they hold;
// only a file that cannot be read at all (or is beyond the size a text may
// have) is damaged.
QStringList checkTextFiles(const QString &folder, const QStringList &patterns, bool subFolders)
{
    QStringList problems;
    QDir dir(folder);
    if (!dir.exists())
        return problems;
    for (const QFileInfo &info : dir.entryInfoList(patterns, QDir::Files | QDir::Hidden, QDir::Name)) {
        const TTextLoad load = LoadTextFile(info.filePath());
        if (!load.ok)
            problems << info.filePath() + QStringLiteral(": ") + load.error;
    }
    if (subFolders) {
        for (const QFileInfo &sub : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
            problems += checkTextFiles(sub.filePath(), patterns, false);
    }
    return problems;
}

const TCliCheckRegistrar textCheck(50, [](TCliContext &) {
    const TGlobal &g = Global();
    const QStringList txt{QStringLiteral("*.txt")};
    return checkTextFiles(g.MemoFolder(), txt, false) + checkTextFiles(g.NoteFolder(), txt, true) +
           checkTextFiles(g.TemplateFolder(), {}, false);
});

} // namespace
