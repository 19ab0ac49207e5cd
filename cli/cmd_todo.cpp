#include "cli/clicontext.h"
#include "cli/clijson.h"
#include "core/appglobal.h"
#include "core/datetime.h"
#include "core/textfile.h"
#include "todo/todolist.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString todoJson(const TToDo &t)
{
    TJsonObject notice;
    notice.add("Kind", QString::number(t.PrevAlert.Kind))
        .add("Amount", QString::number(t.PrevAlert.Amount))
        .add("LastAlerted", JsonMoment(t.PrevAlert.LastAlerted));
    TJsonObject o;
    o.add("Checked", JsonBool(t.Checked))
        .add("Important", JsonBool(t.Important))
        .add("Urgent", JsonBool(t.Urgent))
        .add("Text", JsonString(t.Text))
        .add("LimitDateTime", JsonMoment(t.LimitDateTime))
        .add("UseDate", JsonBool(t.UseDate))
        .add("UseTime", JsonBool(t.UseTime))
        .add("PrevAlert", notice.text())
        .add("AlarmedDateTime", JsonMoment(t.AlarmedDateTime))
        .add("CheckedDateTime", JsonMoment(t.CheckedDateTime))
        .add("LimitDateText", JsonString(t.LimitDateText()))
        .add("LimitTimeText", JsonString(t.LimitTimeText()));
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
