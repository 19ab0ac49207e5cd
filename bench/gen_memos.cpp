#include "bench/gendata.h"

#include "core/textfile.h"
#include "notes/memostore.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

// Twenty years of daily memos, a monthly memo for each of their 240 months, a
// notebook of about 1 MB and 100 notes of 30 pages.
constexpr int kFirstYear = 2006;
constexpr int kYears = 20;
constexpr int kNotes = 100;
constexpr int kPagesPerNote = 30;
constexpr qsizetype kNotebookBytes = 1024 * 1024;

// The generator writes thousands of files; the crash-safe write with its
// flush to disk is for the program's own saves.
void writeText(const QString &path, const QString &text)
{
    QByteArray bytes;
    if (!EncodeText(text, bytes))
        return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QString paragraph(QRandomGenerator &rng, int lines)
{
    QString text;
    for (int i = 0; i < lines; ++i)
        text += GenSentence(rng, 10, 60) + QLatin1Char('\n');
    return text;
}

const TGenRegistrar memos(40, "memos", [](const QString &folder, QRandomGenerator &rng) {
    const QString memo = folder + QStringLiteral("Memo/");
    QDir().mkpath(memo);
    for (QDate d(kFirstYear, 1, 1); d < QDate(kFirstYear + kYears, 1, 1); d = d.addDays(1)) {
        writeText(DailyMemoFileName(d), paragraph(rng, 1 + static_cast<int>(rng.bounded(4))));
        if (d.day() == 1)
            writeText(MonthlyMemoFileName(d), paragraph(rng, 3 + static_cast<int>(rng.bounded(8))));
    }
    QString notebook;
    while (notebook.size() * 2 < kNotebookBytes) // two bytes a character in CP932
        notebook += paragraph(rng, 20);
    writeText(NotebookFileName(), notebook);
});

const TGenRegistrar notes(41, "notes", [](const QString &folder, QRandomGenerator &rng) {
    const QString noteFolder = folder + QStringLiteral("Note/");
    for (int n = 0; n < kNotes; ++n) {
        const QString note = noteFolder + QStringLiteral("ノート%1/").arg(n, 3, 10, QLatin1Char('0'));
        QDir().mkpath(note);
        for (int p = 0; p < kPagesPerNote; ++p)
            writeText(note + GenSentence(rng, 4, 12) + QStringLiteral("%1.txt").arg(p),
                      paragraph(rng, 5 + static_cast<int>(rng.bounded(30))));
    }
});

} // namespace
