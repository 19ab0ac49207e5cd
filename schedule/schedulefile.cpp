#include "schedule/schedulefile.h"

#include "core/global.h"
#include "schedule/schedulecodec.h"

#include <QtEndian>

#include <cstring>

namespace {

// The least a text field takes: its length and the zero byte.
constexpr qsizetype kTextFieldMinBytes = 5;

// A bounded reader over the file image: every read checks what is left, so a
// damaged length can neither overrun nor ask for a huge allocation.
class TReader
{
public:
    explicit TReader(const QByteArray &bytes) : m_p(bytes.constData()), m_left(bytes.size()) {}

    qsizetype Left() const { return m_left; }

    template<typename T>
    bool Read(T &value)
    {
        if (m_left < qsizetype(sizeof(T)))
            return false;
        value = qFromLittleEndian<T>(m_p);
        advance(sizeof(T));
        return true;
    }
    bool Read(double &value)
    {
        quint64 bits = 0;
        if (!Read(bits))
            return false;
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }
    bool ReadRaw(void *to, qsizetype n)
    {
        if (m_left < n)
            return false;
        std::memcpy(to, m_p, static_cast<size_t>(n));
        advance(n);
        return true;
    }
    // A text field: n, n bytes, one more byte (the terminating zero). The
    // view points into the image.
    bool ReadTextBytes(QByteArrayView &text)
    {
        qint32 n = 0;
        if (!Read(n) || n < 0 || qsizetype(n) + 1 > m_left)
            return false;
        text = QByteArrayView(m_p, n);
        advance(qsizetype(n) + 1);
        return true;
    }

private:
    void advance(qsizetype n)
    {
        m_p += n;
        m_left -= n;
    }
    const char *m_p;
    qsizetype m_left;
};

class TWriter
{
public:
    explicit TWriter(QByteArray &out) : m_out(out) {}

    template<typename T>
    void Write(T value)
    {
        char buf[sizeof(T)];
        qToLittleEndian<T>(value, buf);
        m_out.append(buf, sizeof(T));
    }
    void Write(double value)
    {
        quint64 bits = 0;
        std::memcpy(&bits, &value, sizeof value);
        Write(bits);
    }
    void WriteRaw(const void *p, qsizetype n) { m_out.append(static_cast<const char *>(p), n); }
    // Up to the first zero byte, as the reader of any version expects.
    void WriteTextBytes(QByteArrayView text)
    {
        const qsizetype zero = text.indexOf('\0');
        const qsizetype n = zero < 0 ? text.size() : zero;
        Write(static_cast<qint32>(n));
        m_out.append(text.constData(), n);
        m_out.append('\0');
    }

private:
    QByteArray &m_out;
};

// Texts of one record: decoded for the program, their stored bytes kept by
// slot (see TAlarm::StoredBytes).
enum : int { slotOperation = 0, slotFileName, slotParameters, slotDirectory, slotFirstLine };

bool readText(TReader &in, TScheduleCodec &codec, TAlarm &owner, int slot, QString &text)
{
    QByteArrayView bytes;
    if (!in.ReadTextBytes(bytes))
        return false;
    if (TScheduleCodec::IsPlain(bytes)) {
        // Nearly every record says "open"; share one copy.
        static const QString open = QStringLiteral("open");
        text = bytes == QByteArrayView("open") ? open : QString::fromLatin1(bytes);
        return true;
    }
    text = codec.Decode(bytes);
    owner.StoredBytes.append({slot, text, bytes.toByteArray()});
    return true;
}

bool writeText(TWriter &out, TScheduleCodec &codec, const TAlarm &owner, int slot, const QString &text)
{
    for (const TAlarm::TStoredText &stored : owner.StoredBytes) {
        if (stored.Slot == slot) {
            if (stored.Text == text) {
                out.WriteTextBytes(stored.Bytes);
                return true;
            }
            break;
        }
    }
    QByteArray bytes;
    if (!codec.Encode(text, bytes))
        return false;
    out.WriteTextBytes(bytes);
    return true;
}

bool readDateTime(TReader &in, TAlarmDateTime &adt)
{
    return in.Read(adt.Year) && in.Read(adt.Month) && in.Read(adt.Day) && in.Read(adt.Hour) && in.Read(adt.Minute)
        && in.Read(adt.DaysOfWeek);
}

void writeDateTime(TWriter &out, const TAlarmDateTime &adt)
{
    out.Write(adt.Year);
    out.Write(adt.Month);
    out.Write(adt.Day);
    out.Write(adt.Hour);
    out.Write(adt.Minute);
    out.Write(adt.DaysOfWeek);
}

bool readShellExecute(TReader &in, TScheduleCodec &codec, TAlarm &owner)
{
    TShellExecute &se = owner.ShellExecute;
    return in.Read(se.Handle) && readText(in, codec, owner, slotOperation, se.Operation)
        && readText(in, codec, owner, slotFileName, se.FileName) && readText(in, codec, owner, slotParameters, se.Parameters)
        && readText(in, codec, owner, slotDirectory, se.Directory) && in.Read(se.ShowCmd);
}

bool writeShellExecute(TWriter &out, TScheduleCodec &codec, const TAlarm &owner)
{
    const TShellExecute &se = owner.ShellExecute;
    out.Write(se.Handle);
    if (!writeText(out, codec, owner, slotOperation, se.Operation) || !writeText(out, codec, owner, slotFileName, se.FileName)
        || !writeText(out, codec, owner, slotParameters, se.Parameters)
        || !writeText(out, codec, owner, slotDirectory, se.Directory))
        return false;
    out.Write(se.ShowCmd);
    return true;
}

bool readLines(TReader &in, TScheduleCodec &codec, TAlarm &owner)
{
    qint32 count = 0;
    if (!in.Read(count) || count < 0 || qsizetype(count) > in.Left() / kTextFieldMinBytes)
        return false;
    owner.Lines.reserve(count); // bounded by the bytes left, checked above
    for (qint32 i = 0; i < count; ++i) {
        QString line;
        if (!readText(in, codec, owner, slotFirstLine + i, line))
            return false;
        owner.Lines.append(line);
    }
    return true;
}

bool readPreviouseAlert(TReader &in, TPreviouseAlert &pa)
{
    return in.Read(pa.Kind) && in.Read(pa.Amount) && readDateTime(in, pa.AlertDateTime) && in.Read(pa.LastAlerted);
}

void writePreviouseAlert(TWriter &out, const TPreviouseAlert &pa)
{
    out.Write(pa.Kind);
    out.Write(pa.Amount);
    writeDateTime(out, pa.AlertDateTime);
    out.Write(pa.LastAlerted);
}

bool readRecord(TReader &in, TScheduleCodec &codec, bool withNotice, TAlarm2 &a)
{
    if (!in.Read(a.AlarmType) || !readDateTime(in, a.AlarmDateTime) || !in.Read(a.LastAlarmed))
        return false;
    // Start-up schedules fire once per load.
    if (a.AlarmType == atStartUp)
        a.LastAlarmed = 0.0;
    if (!in.Read(a.ExecuteType) || !readShellExecute(in, codec, a) || !in.Read(a.Enabled) || !readLines(in, codec, a)
        || !readDateTime(in, a.ReservedDateTime) || !in.Read(a.Reserved1) || !in.Read(a.HideFromShowSchedule)
        || !in.Read(a.ReservedTime) || !in.Read(a.UseColor) || !in.Read(a.Color)
        || !in.ReadRaw(a.Reserved.data(), qsizetype(a.Reserved.size())))
        return false;
    return !withNotice || readPreviouseAlert(in, a.PreviouseAlert);
}

bool writeRecord(TWriter &out, TScheduleCodec &codec, const TAlarm2 &a)
{
    out.Write(a.AlarmType);
    writeDateTime(out, a.AlarmDateTime);
    out.Write(a.LastAlarmed);
    out.Write(a.ExecuteType);
    if (!writeShellExecute(out, codec, a))
        return false;
    out.Write(a.Enabled);
    out.Write(static_cast<qint32>(a.Lines.size()));
    for (qsizetype i = 0; i < a.Lines.size(); ++i) {
        if (!writeText(out, codec, a, slotFirstLine + int(i), a.Lines[i]))
            return false;
    }
    writeDateTime(out, a.ReservedDateTime);
    out.Write(a.Reserved1);
    out.Write(a.HideFromShowSchedule);
    out.Write(a.ReservedTime);
    out.Write(a.UseColor);
    out.Write(a.Color);
    out.WriteRaw(a.Reserved.data(), qsizetype(a.Reserved.size()));
    writePreviouseAlert(out, a.PreviouseAlert);
    return true;
}

} // namespace

TScheduleReadResult ReadScheduleStream(const QByteArray &bytes, TAlarmList &list, TScheduleFileTail &tail,
                                       const std::atomic<bool> *stop)
{
    TReader in(bytes);
    TScheduleReadResult result;
    quint32 version = 0;
    if (!in.Read(version)) {
        // Too short to hold even the version: a read error, list untouched.
        result.status = TScheduleReadResult::ReadError;
        return result;
    }
    if (version != kScheduleFileVersion && version != kScheduleFileOldVersion) {
        result.status = TScheduleReadResult::InvalidHeader;
        return result;
    }
    result.version = version;
    const bool withNotice = version == kScheduleFileVersion;
    list.Clear();
    tail = TScheduleFileTail();
    result.status = TScheduleReadResult::ReadError;

    // A count beyond the bytes left is nonsense and fails at once. A smaller
    // one that the file still cannot hold is read record by record, so that
    // what a cut-off file holds complete is kept; each record consumes at
    // least 87 bytes, so that loop ends with the bytes.
    qint32 count = 0;
    if (!in.Read(count) || count < 0 || qsizetype(count) > in.Left())
        return result;
    TScheduleCodec codec;
    for (qint32 i = 0; i < count; ++i) {
        if (stop && stop->load(std::memory_order_relaxed))
            return result;
        auto record = std::make_unique<TAlarm2>();
        if (!readRecord(in, codec, withNotice, *record))
            return result;
        list.Append(std::move(record));
    }
    TScheduleFileTail read;
    QByteArrayView text;
    if (!in.Read(read.ReservedInteger) || !in.Read(read.ReservedReal) || !in.ReadTextBytes(text))
        return result;
    read.ReservedText = text.toByteArray();
    tail = read;
    result.status = TScheduleReadResult::Ok;
    return result;
}

bool WriteScheduleStream(const TAlarmList &list, const TScheduleFileTail &tail, QByteArray &out)
{
    out.clear();
    out.reserve(25 + qsizetype(list.Count()) * 256);
    TWriter w(out);
    TScheduleCodec codec;
    w.Write(kScheduleFileVersion);
    w.Write(static_cast<qint32>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        if (!writeRecord(w, codec, *list.Items(i)))
            return false;
    }
    w.Write(tail.ReservedInteger);
    w.Write(tail.ReservedReal);
    w.WriteTextBytes(tail.ReservedText);
    return true;
}

QString ScheduleHeaderErrorText(const QString &path)
{
    return path + QStringLiteral("は") + QStringLiteral("\r\n") + GetProductNameText()
        + QStringLiteral("のﾃﾞｰﾀﾌｧｲﾙでないか、壊れています。");
}

QString ScheduleReadErrorText()
{
    return QStringLiteral("予定を開けませんでした。");
}

QString ScheduleSaveErrorText()
{
    return QStringLiteral("予定の保存に失敗しました");
}
