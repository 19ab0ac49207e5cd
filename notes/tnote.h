#pragma once

#include "core/safefile.h"

#include <QString>
#include <QStringList>

// The page-file writer: the lines, each followed by CR LF, replace any file of
// that name; its folder is made when missing. No lines give an empty file.
class TNote
{
public:
    QString FileName;
    QStringList Lines;

    TSaveResult Save() const;
};

// The lines of a text as a line-based editor holds them: a final line break
// does not start another line, and an empty text has none.
QStringList TextLines(const QString &text);
