#include "calendar/zocalendarlinecut.h"

#include "core/cp932.h"

#include <QList>

namespace zocal {

namespace {

const QString kEllipsis = QStringLiteral("...");

// Character boundaries of `line` with their offsets in CP932 bytes. A
// character CP932 cannot hold counts as two bytes, as wide as it is drawn.
struct TBoundary
{
    int chars; // QChar offset
    int bytes;
};

QList<TBoundary> Boundaries(const QString &line)
{
    const QByteArray bytes = cp932::encodeLossy(line);
    QList<TBoundary> out;
    out.reserve(line.size() + 1);
    int byte = 0;
    int i = 0;
    out.append({0, 0});
    while (i < line.size()) {
        const bool pair = line.at(i).isHighSurrogate() && i + 1 < line.size() && line.at(i + 1).isLowSurrogate();
        int width = 2;
        if (!pair && line.at(i).unicode() < 0x80)
            width = 1;
        else if (byte < bytes.size())
            width = IsLeadByte(static_cast<unsigned char>(bytes.at(byte))) ? 2 : 1;
        byte += width;
        i += pair ? 2 : 1;
        out.append({i, byte});
    }
    return out;
}

} // namespace

QString CutLine(const QString &line, int width, const TTextMeasure &measure)
{
    if (line.isEmpty() || measure(line) <= width)
        return line;
    // Shortening drops at least two bytes before "..." goes on, and a cut
    // inside a two-byte character falls back to the character's start, so the
    // candidates are exactly the character boundaries up to length - 2 bytes,
    // longest first. Their widths grow with their length, so the longest that
    // fits is found by bisection instead of measuring every one.
    const QList<TBoundary> bounds = Boundaries(line);
    const int limit = bounds.last().bytes - 2;
    int hi = int(bounds.size()) - 1;
    while (hi > 0 && bounds.at(hi).bytes > limit)
        --hi;
    // bounds[0] (just "...") is the answer when nothing longer fits.
    int lo = 0;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (measure(line.left(bounds.at(mid).chars) + kEllipsis) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return line.left(bounds.at(lo).chars) + kEllipsis;
}

QString CutLines(const QString &text, int width, const TTextMeasure &measure)
{
    QString out;
    const QStringList pieces = text.split(QStringLiteral("\r\n"));
    for (const QString &piece : pieces) {
        out += CutLine(piece, width, measure);
        out += QStringLiteral("\r\n");
    }
    return out;
}

QStringList CompleteLines(const QString &text, bool firstOnly)
{
    QStringList lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        if (lf < 0)
            break;
        qsizetype end = lf;
        if (end > start && text.at(end - 1) == QLatin1Char('\r'))
            --end;
        lines.append(text.mid(start, end - start));
        if (firstOnly)
            break;
        start = lf + 1;
    }
    return lines;
}

} // namespace zocal
