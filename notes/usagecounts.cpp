#include "notes/usagecounts.h"

#include "core/appglobal.h"

#include <QDirIterator>
#include <QFile>

#include <algorithm>
#include <limits>

namespace {

// A daily memo is named yyyymmdd.txt and a monthly one yyyymm.txt; the counts
// go by the length of the name alone, as they always have.
constexpr int kDailyMemoNameLength = 12;
constexpr int kMonthlyMemoNameLength = 10;

// The memo and note stores only ever read and write lower-case ".txt" names,
// so only those are counted: a "X.TXT" is nothing the program would show.
QDirIterator txtFiles(const QString &folder)
{
    return QDirIterator(folder, {QStringLiteral("*.txt")}, QDir::Files | QDir::Hidden | QDir::CaseSensitive);
}

} // namespace

int CountToDoLines(const QString &path)
{
    // CR LF, a lone CR and a lone LF each end a line, and a last line without
    // a line end is a line all the same, so a file edited by hand or cut short
    // counts what the ToDo list would show. Blank lines are no items (the ToDo
    // loader skips them), which also keeps CR LF from counting twice.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    qint64 count = 0;
    bool visible = false; // the line so far has a byte above the blank
    // Read in pieces: a huge or garbage file must not be loaded whole just to
    // be counted.
    char buffer[64 * 1024];
    for (qint64 n; (n = file.read(buffer, sizeof buffer)) > 0;) {
        for (qint64 i = 0; i < n; ++i) {
            const auto c = static_cast<unsigned char>(buffer[i]);
            if (c == '\r' || c == '\n') {
                count += visible ? 1 : 0;
                visible = false;
            } else if (c > ' ') {
                visible = true;
            }
        }
    }
    count += visible ? 1 : 0;
    return static_cast<int>(std::min<qint64>(count, std::numeric_limits<int>::max()));
}

TUsageCounts CountUsage(int schedules)
{
    TUsageCounts counts;
    counts.Schedules = schedules;
    const TGlobal &g = Global();

    const QString notebook = QStringLiteral("notebook.txt");
    for (QDirIterator it = txtFiles(g.MemoFolder()); it.hasNext();) {
        it.next();
        const QString name = it.fileName();
        if (name.size() == kDailyMemoNameLength && name != notebook)
            ++counts.Memos;
        else if (name.size() == kMonthlyMemoNameLength)
            ++counts.MonthlyMemos;
    }

    counts.ToDos = CountToDoLines(g.ToDoFile());

    // Pages live one level down, in the folder of their note; a file lying
    // directly in the Note folder belongs to no note.
    QDirIterator notes(g.NoteFolder(), QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    while (notes.hasNext()) {
        const QString note = notes.next();
        for (QDirIterator it = txtFiles(note); it.hasNext(); it.next())
            ++counts.NotePages;
    }
    return counts;
}
