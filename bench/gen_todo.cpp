#include "bench/gendata.h"

#include "core/datetime.h"
#include "todo/todolist.h"

#include <cstdio>

namespace {

constexpr int kToDoCount = 2000;

std::unique_ptr<TToDo> makeItem(QRandomGenerator &rng)
{
    auto t = std::make_unique<TToDo>(0);
    t->Text = GenSentence(rng, 4, 40);
    if (rng.bounded(10) == 0)
        t->Text += QStringLiteral(", \"quoted\" part");
    t->Urgent = rng.bounded(5) == 0;
    t->Important = rng.bounded(4) == 0;
    if (rng.bounded(4) != 0) {
        const QDate day = QDate(2024, 1, 1).addDays(rng.bounded(730));
        t->UseDate = true;
        t->UseTime = rng.bounded(2) == 0;
        const QTime time =
            t->UseTime ? QTime(static_cast<int>(rng.bounded(24)), static_cast<int>(rng.bounded(12)) * 5) : QTime(0, 0);
        t->LimitDateTime = qmdt::fromDateTime(QDateTime(day, time));
        const int notice = static_cast<int>(rng.bounded(3));
        if (notice == 1) {
            t->PrevAlert.Kind = AlertByDays;
            t->PrevAlert.Amount = 1 + static_cast<int>(rng.bounded(7));
        } else if (notice == 2 && t->UseTime) {
            t->PrevAlert.Kind = AlertByMinutes;
            t->PrevAlert.Amount = 5 + static_cast<int>(rng.bounded(55));
        }
    }
    if (rng.bounded(3) == 0) {
        t->Checked = true;
        t->CheckedDateTime = qmdt::fromDateTime(QDateTime(QDate(2024, 6, 1).addDays(rng.bounded(300)), QTime(12, 30)));
    }
    return t;
}

const TGenRegistrar reg(30, "todo", [](const QString &folder, QRandomGenerator &rng) {
    TToDoList list;
    for (int i = 0; i < kToDoCount; ++i)
        list.Add(makeItem(rng));
    const TToDoSaveResult saved = SaveToDoList(folder + QStringLiteral("todo.dat"), list);
    if (!saved.ok)
        std::fprintf(stderr, "todo.dat: %s\n", qPrintable(saved.message));
});

} // namespace
