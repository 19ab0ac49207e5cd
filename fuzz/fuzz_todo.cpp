// todo.dat reader: any bytes load or fail with a message, never crash; what
// loads is written and read back to the same items.
#include "todo/todolist.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    TToDoList list;
    bool early = false;
    const TToDoLoadResult loaded = ParseToDoFile(bytes, list, 36957.5, &early);
    if (!loaded.ok && loaded.message.isEmpty())
        std::abort();

    QByteArray written;
    QString why;
    if (!ToDoFileBytes(list, written, why))
        return 0; // a text the code page cannot store (a replacement character)
    TToDoList back;
    const TToDoLoadResult reread = ParseToDoFile(written, back, 36957.5, nullptr);
    if (!reread.ok || back.Count() != list.Count())
        std::abort();
    for (int i = 0; i < list.Count(); ++i) {
        const TToDo &a = *list.At(i);
        const TToDo &b = *back.At(i);
        if (a.Checked != b.Checked || a.Urgent != b.Urgent || a.Important != b.Important || a.UseDate != b.UseDate ||
            a.UseTime != b.UseTime || a.PrevAlert.Kind != b.PrevAlert.Kind || a.Text != b.Text)
            std::abort();
    }
    return 0;
}
