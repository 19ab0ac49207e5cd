// The day-file reader on arbitrary bytes: it must never crash, and whatever
// it accepts must write back to the same bytes it read and answer dates.
#include "calendar/dateex.h"
#include "calendar/dayitemlist.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    TZoDateEx engine;
    engine.SetAutoEquinox(true);
    engine.SetAutoFurikae(true);
    TZoDayItemList &list = *engine.SpecialDayList();
    if (bytes.size() < 4)
        return 0;
    qsizetype pos = 4;
    const bool ok = list.LoadFromStream(bytes, pos);

    for (int i = 0; i < list.Count(); ++i)
        (void)list.Items(i)->DisplayText();
    for (const QDate &d : {QDate(2000, 2, 29), QDate(2026, 5, 6), QDate(1900, 12, 31), QDate(2150, 1, 1)}) {
        (void)engine.GetDayKinds(d);
        (void)engine.GetDayText(d);
    }

    if (ok) {
        // Text is cut at a NUL and undecodable bytes become U+FFFD, so only
        // a file of clean records must come back byte for byte; any accepted
        // file must at least reload to the same rules.
        QByteArray saved;
        if (list.SaveToBytes(saved)) {
            TZoDayItemList again;
            qsizetype p = 4;
            if (!again.LoadFromStream(saved, p) || again.Count() != list.Count())
                std::abort();
            QByteArray twice;
            if (!again.SaveToBytes(twice) || twice != saved)
                std::abort();
        }
    }
    return 0;
}
