#include "todo/todolist.h"

#include "core/cp932.h"
#include "core/datetime.h"
#include "core/prompter.h"
#include "core/safefile.h"
#include "todo/commatext.h"
#include "todo/todoprefetch.h"

#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>
#include <algorithm>
#include <cstring>

namespace {

constexpr char kComma = ',';

QString indexMessage(int index)
{
    return QStringLiteral("リストのインデックスが範囲を超えています (%1)").arg(index);
}

bool isBlank(QByteArrayView line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Lines end in CR LF; a lone CR or LF ends one as well, as the text files do.
// The lines stay in the file's bytes.
class TLineReader
{
public:
    explicit TLineReader(QByteArrayView bytes) : m_bytes(bytes) {}
    bool next(QByteArrayView &line)
    {
        const qsizetype n = m_bytes.size();
        if (m_start >= n)
            return false;
        // Where the next CR and LF are is remembered, so that the file is
        // searched for each only once.
        if (m_cr < m_start)
            m_cr = find('\r');
        if (m_lf < m_start)
            m_lf = find('\n');
        const qsizetype end = std::min(m_cr, m_lf);
        line = m_bytes.sliced(m_start, end - m_start);
        m_start = end + 1;
        if (end == m_cr && m_lf == end + 1)
            ++m_start;
        return true;
    }

private:
    qsizetype find(char c) const
    {
        const char *data = m_bytes.data();
        const void *at = std::memchr(data + m_start, c, static_cast<size_t>(m_bytes.size() - m_start));
        return at ? static_cast<const char *>(at) - data : m_bytes.size();
    }

    QByteArrayView m_bytes;
    qsizetype m_start = 0;
    qsizetype m_cr = -1;
    qsizetype m_lf = -1;
};

// The fields of one line that are read, failing with the list-index message
// on the first field that is not there. Fields stay in the line's bytes; only
// a quoted field with doubled quotes is copied.
class TFields
{
public:
    // Fields past the checked-at stamp are never read.
    static constexpr int kRead = 13;

    explicit TFields(QByteArrayView line)
    {
        TCommaReader reader(line, kComma);
        TCommaField field;
        while (m_count < kRead && reader.next(field)) {
            if (field.doubledQuotes) {
                m_undoubled.append(UndoubleQuotes(field.bytes));
                field.bytes = m_undoubled.back(); // its bytes stay put when the list grows
            }
            // Kept part by part: the reader has just stored them one by one,
            // and a load of both at once would wait for those stores.
            m_data[m_count] = field.bytes.data();
            m_sizes[m_count] = field.bytes.size();
            ++m_count;
        }
        m_separators = reader.countSeparators();
    }
    // CountSeparators of the line.
    int separators() const { return m_separators; }
    bool has(int index) const { return index < m_count; }
    QByteArrayView bytes(int index) const { return QByteArrayView(m_data[index], m_sizes[index]); }
    bool ascii(int index) const { return isAscii(bytes(index)); }
    // A field known to be ASCII, as its decoded and trimmed text would be.
    QLatin1StringView trimmedAscii(int index) const { return todofmt::TrimControls(QLatin1StringView(bytes(index))); }
    QString trimmed(int index) const
    {
        // Every field but the text is plain ASCII; that needs no code page.
        if (ascii(index))
            return QString(trimmedAscii(index));
        return todofmt::TrimControls(cp932::decode(bytes(index)));
    }
    // The flags' "1".
    bool isOne(int index) const
    {
        return ascii(index) ? trimmedAscii(index) == QLatin1String("1") : trimmed(index) == QLatin1String("1");
    }

private:
    // Only the first m_count are set: clearing all of them for every line
    // was a cost of its own.
    const char *m_data[kRead];
    qsizetype m_sizes[kRead];
    QVarLengthArray<QByteArray, 1> m_undoubled; // the fields that had doubled quotes
    int m_count = 0;
    int m_separators = 0;
};

// The date, time and flag fields are read through either of these: the
// first for the ASCII every saved file holds there, the second, decoding,
// for whatever else a line holds, so that what the code page makes of such
// bytes counts as it always did.
struct TAsciiFields
{
    const TFields &f;
    QLatin1StringView operator()(int index) const { return f.trimmedAscii(index); }
};

struct TDecodedFields
{
    const TFields &f;
    QString operator()(int index) const { return f.trimmed(index); }
};

// Date and time to the stored real without a QDateTime, whose time-zone
// lookups would dominate the load of a long list.
template <typename Text> bool storedMoment(const Text &text, double &value)
{
    const Text t = todofmt::TrimControls(text);
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

bool storedMoment(const QString &date, const QString &time, double &value)
{
    return storedMoment(date + QLatin1Char(' ') + time, value);
}

bool storedMoment(QLatin1StringView date, QLatin1StringView time, double &value)
{
    QVarLengthArray<char, 64> joined;
    joined.append(date.data(), date.size());
    joined.append(' ');
    joined.append(time.data(), time.size());
    return storedMoment(QLatin1StringView(joined.constData(), joined.size()), value);
}

template <typename Text> double dateValue(const Text &text, bool &ok)
{
    const QDate date = todofmt::ParseDate(text);
    ok = date.isValid();
    return ok ? qmdt::fromDate(date) : 0.0;
}

template <typename Text> double timeValue(const Text &text, bool &ok)
{
    const QTime time = todofmt::ParseTime(text);
    ok = time.isValid();
    return ok ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
}

int toInt(const QString &text, bool &ok)
{
    return text.toInt(&ok);
}

int toInt(QLatin1StringView text, bool &ok)
{
    // Plain digits, as saved, are read here; signs, blanks and overlong
    // numbers go to QString's reading, which the decoding path uses.
    if (text.isEmpty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return QString(text).toInt(&ok);
    int value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    ok = true;
    return value;
}

// Reads fields 2-12 of a line of the later layouts.
template <typename Fields> void readLaterFields(const Fields &f, int separators, TToDo &item)
{
    const auto date = f(2);
    const auto time = f(3);
    const bool dateAndTime = !date.isEmpty() && !time.isEmpty();
    if (dateAndTime) {
        double limit = 0;
        if (storedMoment(date, time, limit)) {
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

    const auto kind = f(4);
    if (kind == QLatin1String("1") || kind == QLatin1String("2")) {
        item.PrevAlert.Kind = kind == QLatin1String("1") ? AlertByDays : AlertByMinutes;
        bool ok = false;
        const int amount = toInt(f(5), ok);
        item.PrevAlert.Amount = ok ? amount : 1;
        const double day = dateValue(f(6), ok);
        if (ok) {
            item.PrevAlert.LastAlerted = day;
            const double time = timeValue(f(7), ok);
            if (ok)
                item.PrevAlert.LastAlerted += time;
        }
    } else {
        item.PrevAlert = TPreviouseAlert{};
        item.PrevAlert.Amount = 1;
    }

    if (!date.isEmpty()) {
        bool ok = false;
        const double day = dateValue(f(8), ok);
        if (ok)
            item.AlarmedDateTime = day;
        if (dateAndTime) {
            const double time = timeValue(f(9), ok);
            if (ok)
                item.AlarmedDateTime += time;
        }
    }

    item.Urgent = f(10) == QLatin1String("1");
    item.Important = f(11) == QLatin1String("1");
    if (separators > 11) {
        const auto checkedAt = f(12);
        double moment = 0;
        if (!checkedAt.isEmpty() && storedMoment(checkedAt, moment))
            item.CheckedDateTime = moment;
    }
}

void readLaterFields(const TFields &f, int separators, int last, TToDo &item)
{
    for (int i = 2; i <= last; ++i) {
        if (!f.ascii(i)) {
            readLaterFields(TDecodedFields{f}, separators, item);
            return;
        }
    }
    readLaterFields(TAsciiFields{f}, separators, item);
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

namespace {

TToDoLoadResult parseLines(const QByteArray &bytes, TToDoList &list, double now, bool *earlyLine)
{
    TToDoLoadResult result;
    TLineReader lines(bytes);
    QByteArrayView line;
    while (lines.next(line)) {
        if (isBlank(line))
            continue;
        const TFields f(line);
        const int separators = f.separators();
        const int last = separators <= 2 ? 1 : (separators > 11 ? 12 : 11);
        const int missing = firstMissing(f, last);
        if (missing >= 0) {
            result.ok = false;
            result.message = indexMessage(missing);
            return result;
        }
        auto item = std::make_unique<TToDo>(now);
        item->Checked = f.isOne(0);
        item->Text = f.trimmed(1);
        if (separators <= 2) {
            if (earlyLine)
                *earlyLine = true;
        } else {
            readLaterFields(f, separators, last, *item);
        }
        list.Add(std::move(item));
    }
    return result;
}

} // namespace

TToDoLoadResult ParseToDoFile(const QByteArray &bytes, TToDoList &list, double now, bool *earlyLine)
{
    return parseLines(bytes, list, now, earlyLine);
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
