#pragma once

#include <QRandomGenerator>
#include <QString>
#include <functional>

// One part of the generated data folder. `folder` ends in '/'; the generator
// is seeded, so the same folder comes out every time.
using TGenPart = std::function<void(const QString &folder, QRandomGenerator &rng)>;

class TGenRegistrar
{
public:
    TGenRegistrar(int order, const char *name, TGenPart part);
};

struct TGenEntry
{
    int order;
    const char *name;
    TGenPart part;
};
QList<TGenEntry> &GenParts();

// Plausible Japanese text for memos and items.
QString GenSentence(QRandomGenerator &rng, int minChars, int maxChars);
