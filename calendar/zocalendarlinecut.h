#pragma once

#include <QString>
#include <QStringView>
#include <functional>

// Fitting names and contents lines into a calendar cell. Lengths are counted
// in CP932 bytes, as the stored texts are, but a character is never split: a
// cut that would fall inside a two-byte character drops the whole character.
namespace zocal {

using TTextMeasure = std::function<int(QStringView)>;

// One line cut to `width`: the line itself when it fits, else the longest
// shortened line with "..." that fits, else "...".
QString CutLine(const QString &line, int width, const TTextMeasure &measure);

// Every piece between CR LF cut on its own (the piece after the last CR LF
// counts too, even when empty); each result is followed by CR LF.
QString CutLines(const QString &text, int width, const TTextMeasure &measure);

// The lines of a contents item that end in a line break (CR LF, or a lone LF
// from text that was not stored); what follows the last break is not drawn.
QStringList CompleteLines(const QString &text, bool firstOnly);

} // namespace zocal
