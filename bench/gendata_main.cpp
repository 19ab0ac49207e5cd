#include "bench/gendata.h"

#include "core/appglobal.h"
#include "core/datafolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

QList<TGenEntry> &GenParts()
{
    static QList<TGenEntry> parts;
    return parts;
}

TGenRegistrar::TGenRegistrar(int order, const char *name, TGenPart part)
{
    GenParts().append({order, name, std::move(part)});
}

QString GenSentence(QRandomGenerator &rng, int minChars, int maxChars)
{
    static const QStringList words = {
        QStringLiteral("会議"), QStringLiteral("打ち合わせ"), QStringLiteral("歯医者"), QStringLiteral("買い物"),
        QStringLiteral("締め切り"), QStringLiteral("誕生日"), QStringLiteral("電話する"), QStringLiteral("資料作成"),
        QStringLiteral("通院"), QStringLiteral("ゴミ出し"), QStringLiteral("振込"), QStringLiteral("旅行の準備"),
        QStringLiteral("の件"), QStringLiteral("について"), QStringLiteral("確認"), QStringLiteral("、"),
        QStringLiteral("。"), QStringLiteral("Project "), QStringLiteral("メモ"), QStringLiteral("東京駅"),
    };
    const int target = minChars + static_cast<int>(rng.bounded(std::max(1, maxChars - minChars + 1)));
    QString s;
    while (s.size() < target)
        s += words[static_cast<int>(rng.bounded(words.size()))];
    return s.left(target);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: quillmere-gendata FOLDER\n");
        return 2;
    }
    const QString folder = WithTrailingSlash(QDir(args[1]).absolutePath());
    QDir().mkpath(folder);
    Global().ProgramFolder = folder;
    Global().CurrentDataFolder = folder;
    PrepareDataFolder(folder);

    auto parts = GenParts();
    std::stable_sort(parts.begin(), parts.end(), [](const TGenEntry &a, const TGenEntry &b) { return a.order < b.order; });
    for (const TGenEntry &p : parts) {
        QElapsedTimer t;
        t.start();
        QRandomGenerator rng(0x5157u + static_cast<quint32>(p.order)); // each part its own stream
        p.part(folder, rng);
        std::printf("%-12s %6lld ms\n", p.name, static_cast<long long>(t.elapsed()));
    }
    return 0;
}
