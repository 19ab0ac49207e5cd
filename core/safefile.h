#pragma once

class QFile;

#include <QByteArray>
#include <QString>

struct [[nodiscard]] TSaveResult
{
    bool ok = false;
    QString error; // the platform's reason when !ok
};

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. On any failure the previous file is untouched.
TSaveResult WriteFileAtomically(const QString &path, const QByteArray &bytes);

// The data-file write: like WriteFileAtomically, but the version being replaced
// is first retired as the back-up settings say (a .bak copy, the trash, or
// nothing). If the final rename fails, a version moved to the trash is put
// back, so the folder never loses the previous file.
TSaveResult SaveDataFile(const QString &path, const QByteArray &bytes);

// Keeps the bytes of a file that could not be read beside it, under a name no
// later save uses ("todo.dat" -> "todo.dat.damaged", then ".damaged-2", ...).
// Returns that path, or an empty string when even this failed.
QString KeepDamagedFile(const QString &path, const QByteArray &bytesAsRead);

// The sentence a load-failure message ends with, naming the kept copy.
QString DamagedCopyNote(const QString &copyPath);

// How many bytes to ask a file for when at most `limit` are wanted: its size
// and one more for a regular file below the limit, else the limit.
qint64 BoundedReadSize(const QFile &file, qint64 limit);

// Reads at most `limit` bytes; `tooLarge` tells whether the file was longer.
bool ReadFileBytes(const QString &path, QByteArray &bytes, qint64 limit, bool *tooLarge = nullptr);
