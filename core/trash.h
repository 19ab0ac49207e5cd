#pragma once

#include <QString>

// Moves a file or folder to the desktop trash. False when it stays where it
// was, including for a name too long for the trash to record: Qt's own
// QFile::moveToTrash never returns for such a name.
bool MoveToTrash(const QString &path, QString *pathInTrash = nullptr);
