// The schedule file reader on arbitrary bytes. Besides surviving, a file that
// reads cleanly must write back to an image that reads to the same image.
#include "schedule/schedulefile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    TAlarmList list;
    TScheduleFileTail tail;
    const TScheduleReadResult r = ReadScheduleStream(bytes, list, tail);
    if (!r.ok())
        return 0;
    QByteArray first;
    if (!WriteScheduleStream(list, tail, first))
        std::abort(); // everything read must be writable again
    TAlarmList again;
    TScheduleFileTail againTail;
    if (!ReadScheduleStream(first, again, againTail).ok() || again.Count() != list.Count())
        std::abort();
    QByteArray second;
    if (!WriteScheduleStream(again, againTail, second) || second != first)
        std::abort();
    return 0;
}
