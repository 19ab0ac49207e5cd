#pragma once

#include "core/fileprefetch.h"
#include "todo/todolist.h"

// todo.dat read and parsed on another core while the window is being built,
// as the schedule file is; its load takes the items if the file is unchanged.
class TToDoPrefetch
{
public:
    explicit TToDoPrefetch(const QString &path);
    ~TToDoPrefetch();
    TToDoPrefetch(const TToDoPrefetch &) = delete;
    TToDoPrefetch &operator=(const TToDoPrefetch &) = delete;
    // Blocks until the reading has ended.
    void Wait() { m_file.Wait(); }

private:
    friend bool TakePrefetchedToDo(const QString &, TToDoList &, double, bool &, QByteArray &);
    TToDoList m_list;
    bool m_early = false;
    TFilePrefetch m_file; // last: its reading fills the members above
};

// For the load: true when the active prefetch read `path` whole and well and
// the file is unchanged since. Its items then move into `list`, those without
// a limit of their own holding `now` as a load gives them; `early` tells
// whether a line had the early layout and `bytes` are the file's. A prefetch
// is used once.
bool TakePrefetchedToDo(const QString &path, TToDoList &list, double now, bool &early, QByteArray &bytes);
