#pragma once

#include "todo/todoitem.h"

#include <QList>
#include <memory>
#include <vector>

class TPrompter;

// The items of a data folder. `Items` is the timer's list: it owns every item,
// in creation and load order. `Display` is the ToDo list's order, which is also
// the order of the lines in todo.dat.
class TToDoList
{
public:
    TToDo *Add(std::unique_ptr<TToDo> item);
    // Removes the item from both orders and frees it.
    void Remove(TToDo *item);
    void Clear();

    int Count() const { return static_cast<int>(Items.size()); }
    TToDo *At(int index) const { return Items[static_cast<size_t>(index)].get(); }

    std::vector<std::unique_ptr<TToDo>> Items;
    QList<TToDo *> Display;
};

// todo.dat of 2,000 items is about 200 KB; a file beyond this is not one
// this program wrote, and it is not read.
inline constexpr qint64 kMaxToDoFileBytes = 64LL * 1024 * 1024;

struct TToDoLoadResult
{
    bool ok = true;
    QString message;       // the load failure's message, kept copy named
    bool wroteOld = false; // an early-layout line made todo.old
};

// Frees every item and reads todo.dat when it exists. A line that fails stops
// the load there: the items before it stay, and the file is kept aside first.
// `now` is what an item without a limit holds as its limit.
TToDoLoadResult LoadToDoList(const QString &path, TToDoList &list, double now);
// The same without writing anything beside the file (no todo.old, no kept
// copy), for the read-only command-line tool.
TToDoLoadResult ReadToDoList(const QString &path, TToDoList &list, double now);
// LoadToDoList, showing a failure's message.
bool LoadToDoList(const QString &path, TToDoList &list, double now, TPrompter &prompter);

// Parses the file's bytes into `list` (appending); for the loader and the fuzzer.
// `earlyLine` is set when a line of the early layout was read.
TToDoLoadResult ParseToDoFile(const QByteArray &bytes, TToDoList &list, double now, bool *earlyLine);

struct [[nodiscard]] TToDoSaveResult
{
    bool ok = false;
    QString message; // for the general error report
};

// The whole list in display order, crash-safe: a failed write leaves the
// previous todo.dat in place.
TToDoSaveResult SaveToDoList(const QString &path, const TToDoList &list);
// The bytes SaveToDoList writes; false (with the message) when an item's text
// cannot be stored.
bool ToDoFileBytes(const TToDoList &list, QByteArray &bytes, QString &message);
