#include "todo/todolist.h"

#include "core/cp932.h"
#include "core/datetime.h"
#include "core/prompter.h"
#include "core/safefile.h"
#include "todo/commatext.h"
#include "todo/todoprefetch.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QByteArray kComma(",");

QString indexMessage(int index)
{
    return QStringLiteral("リストのインデックスが範囲を超えています (%1)").arg(index);
}

bool isBlank(const QByteArray &line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

// Lines end in CR LF; a lone CR or LF ends one as well, as the text files do.
QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(bytes.mid(start));
    return lines;
}

// The fields of one line, failing with the list-index message on the first
// field that is not there.
class TFields
{
public:
    explicit TFields(const QByteArray &line) : m_fields(SplitCommaText(line, kComma)) {}
    bool has(int index) const { return index < m_fields.size(); }
    QString raw(int index) const
    {
        // Every field but the text is plain ASCII; that needs no code page.
        const QByteArray &f = m_fields[index];
        const bool ascii = std::all_of(f.begin(), f.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        return ascii ? QString::fromLatin1(f) : cp932::decode(f);
    }
    QString trimmed(int index) const { return todofmt::TrimControls(raw(index)); }
    int size() const { return static_cast<int>(m_fields.size()); }

private:
    QList<QByteArray> m_fields;
};

// Date and time to the stored real without a QDateTime, whose time-zone
// lookups would dominate the load of a long list.
bool storedMoment(const QString &text, double &value)
{
    const QString t = todofmt::TrimControls(text);
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    const QDate date = todofmt::ParseDate(blank < 0 ? t : t.left(blank));
    const QTime time = blank < 0 ? QTime(0, 0) : todofmt::ParseTime(t.mid(blank + 1));
    if (!date.isValid() || !time.isValid())
        return false;
    const double days = qmdt::fromDate(date);
    const double fraction = time.msecsSinceStartOfDay() / 86400000.0;
    value = days < 0 ? days - fraction : days + fraction; // as the stored form counts before 1899/12/30
    return true;
}

double dateValue(const QString &text, bool &ok)
{
    const QDate date = todofmt::ParseDate(text);
    ok = date.isValid();
    return ok ? qmdt::fromDate(date) : 0.0;
}

double timeValue(const QString &text, bool &ok)
{
    const QTime time = todofmt::ParseTime(text);
    ok = time.isValid();
    return ok ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
}

// Reads fields 2-12 of a line of the later layouts.
void readLaterFields(const TFields &f, int separators, TToDo &item)
{
    const QString date = f.trimmed(2);
    const QString time = f.trimmed(3);
    const bool dateAndTime = !date.isEmpty() && !time.isEmpty();
    if (dateAndTime) {
        double limit = 0;
        if (storedMoment(date + QLatin1Char(' ') + time, limit)) {
            item.LimitDateTime = limit;
            item.UseDate = item.UseTime = true;
        }
    } else if (!date.isEmpty()) {
        const QDate limit = todofmt::ParseDate(date);
        if (limit.isValid()) {
            item.LimitDateTime = qmdt::fromDate(limit);
            item.UseDate = true;
        }
    }

    const QString kind = f.trimmed(4);
    if (kind == QLatin1String("1") || kind == QLatin1String("2")) {
        item.PrevAlert.Kind = kind == QLatin1String("1") ? AlertByDays : AlertByMinutes;
        bool ok = false;
        const int amount = f.trimmed(5).toInt(&ok);
        item.PrevAlert.Amount = ok ? amount : 1;
        const double day = dateValue(f.trimmed(6), ok);
        if (ok) {
            item.PrevAlert.LastAlerted = day;
            const double time = timeValue(f.trimmed(7), ok);
            if (ok)
                item.PrevAlert.LastAlerted += time;
        }
    } else {
        item.PrevAlert = TPreviouseAlert{};
        item.PrevAlert.Amount = 1;
    }

    if (!date.isEmpty()) {
        bool ok = false;
        const double day = dateValue(f.trimmed(8), ok);
        if (ok)
            item.AlarmedDateTime = day;
        if (dateAndTime) {
            const double time = timeValue(f.trimmed(9), ok);
            if (ok)
                item.AlarmedDateTime += time;
        }
    }

    item.Urgent = f.trimmed(10) == QLatin1String("1");
    item.Important = f.trimmed(11) == QLatin1String("1");
    if (separators > 11) {
        const QString checkedAt = f.trimmed(12);
        double moment = 0;
        if (!checkedAt.isEmpty() && storedMoment(checkedAt, moment))
            item.CheckedDateTime = moment;
    }
}

int firstMissing(const TFields &f, int last)
{
    for (int i = 0; i <= last; ++i)
        if (!f.has(i))
            return i;
    return -1;
}

} // namespace

TToDo *TToDoList::Add(std::unique_ptr<TToDo> item)
{
    TToDo *raw = item.get();
    Items.push_back(std::move(item));
    Display.append(raw);
    return raw;
}

void TToDoList::Remove(TToDo *item)
{
    Display.removeAll(item);
    const auto it = std::find_if(Items.begin(), Items.end(), [item](const auto &p) { return p.get() == item; });
    if (it != Items.end())
        Items.erase(it);
}

void TToDoList::Clear()
{
    Display.clear();
    Items.clear();
}

TToDoLoadResult ParseToDoFile(const QByteArray &bytes, TToDoList &list, double now, bool *earlyLine)
{
    TToDoLoadResult result;
    for (const QByteArray &line : splitLines(bytes)) {
        if (isBlank(line))
            continue;
        const TFields f(line);
        const int separators = CountSeparators(line, kComma);
        const int last = separators <= 2 ? 1 : (separators > 11 ? 12 : 11);
        const int missing = firstMissing(f, last);
        if (missing >= 0) {
            result.ok = false;
            result.message = indexMessage(missing);
            return result;
        }
        auto item = std::make_unique<TToDo>(now);
        item->Checked = f.trimmed(0) == QLatin1String("1");
        item->Text = f.trimmed(1);
        if (separators <= 2) {
            if (earlyLine)
                *earlyLine = true;
        } else {
            readLaterFields(f, separators, *item);
        }
        list.Add(std::move(item));
    }
    return result;
}

namespace {

// What a load does once the file's lines are read.
TToDoLoadResult afterParse(const QFileInfo &info, const QByteArray &bytes, bool early, bool writeBeside,
                           TToDoLoadResult result)
{
    if (early && writeBeside) {
        // The early layout is converted by the next save; the original stays
        // beside it as it was.
        const TSaveResult old = WriteFileAtomically(info.absolutePath() + QStringLiteral("/todo.old"), bytes);
        result.wroteOld = old.ok;
    }
    if (!result.ok && writeBeside)
        result.message += QStringLiteral("\r\n") + DamagedCopyNote(KeepDamagedFile(info.filePath(), bytes));
    return result;
}

TToDoLoadResult loadToDoFile(const QString &path, TToDoList &list, double now, bool writeBeside)
{
    list.Clear();
    TToDoLoadResult result;
    const QFileInfo info(path);
    if (!info.exists())
        return result;

    QByteArray bytes;
    bool early = false;
    if (TakePrefetchedToDo(path, list, now, early, bytes))
        return afterParse(info, bytes, early, writeBeside, result);
    bool tooLarge = false;
    if (info.isDir() || !ReadFileBytes(path, bytes, kMaxToDoFileBytes, &tooLarge)) {
        result.ok = false;
        result.message = QStringLiteral("ファイル %1 を開けません").arg(path);
        if (writeBeside)
            result.message += QStringLiteral("\r\n") + DamagedCopyNote(QString());
        return result;
    }
    if (tooLarge) {
        result.ok = false;
        result.message = QStringLiteral("ファイル %1 は大きすぎて読み込めません").arg(path);
        if (writeBeside) {
            // Kept whole, not just the part read, so nothing of it is lost.
            QString copy = KeepDamagedFile(path, QByteArray());
            if (!copy.isEmpty() && (!QFile::remove(copy) || !QFile::copy(path, copy)))
                copy.clear();
            result.message += QStringLiteral("\r\n") + DamagedCopyNote(copy);
        }
        return result;
    }

    result = ParseToDoFile(bytes, list, now, &early);
    return afterParse(info, bytes, early, writeBeside, result);
}

} // namespace

TToDoLoadResult LoadToDoList(const QString &path, TToDoList &list, double now)
{
    return loadToDoFile(path, list, now, true);
}

TToDoLoadResult ReadToDoList(const QString &path, TToDoList &list, double now)
{
    return loadToDoFile(path, list, now, false);
}

bool LoadToDoList(const QString &path, TToDoList &list, double now, TPrompter &prompter)
{
    const TToDoLoadResult result = LoadToDoList(path, list, now);
    if (!result.ok)
        prompter.Error(result.message);
    return result.ok;
}

bool ToDoFileBytes(const TToDoList &list, QByteArray &bytes, QString &message)
{
    bytes.clear();
    for (const TToDo *item : list.Display) {
        QByteArray line;
        if (!item->ToFileLine(line)) {
            message = QStringLiteral("「%1」には保存できない文字が含まれています。").arg(item->Text);
            return false;
        }
        bytes += line;
        bytes += "\r\n";
    }
    return true;
}

TToDoSaveResult SaveToDoList(const QString &path, const TToDoList &list)
{
    TToDoSaveResult result;
    const QString cannotCreate = QStringLiteral("ファイル %1 を作成できません").arg(path);
    QByteArray bytes;
    QString why;
    if (!ToDoFileBytes(list, bytes, why)) {
        result.message = cannotCreate + QStringLiteral("\r\n") + why;
        return result;
    }
    const TSaveResult saved = SaveDataFile(path, bytes);
    result.ok = saved.ok;
    if (!saved.ok)
        result.message = cannotCreate + QStringLiteral("\r\n") + saved.error;
    return result;
}
