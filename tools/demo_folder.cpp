// Writes a believable data folder for a Japanese user, to look at the program
// with real-looking content (screenshots, manual checks):
//   quillmere-demo-folder FOLDER [YYYY-MM]
// The month defaults to the current one. FOLDER becomes both the program folder
// (settings.cnf, run the program with QUILLMERE_HOME=FOLDER) and the data
// folder. Everything is written through the program's own stores, so the files
// are exactly what the program itself would write.
#include "calendar/dateex.h"
#include "calendar/dayfiles.h"
#include "core/appglobal.h"
#include "core/clock.h"
#include "core/datafolders.h"
#include "core/datetime.h"
#include "core/errors.h"
#include "core/profile.h"
#include "core/prompter.h"
#include "core/safefile.h"
#include "core/textfile.h"
#include "notes/memostore.h"
#include "notes/notestore.h"
#include "notes/tnote.h"
#include "schedule/alarmtimer.h"
#include "todo/todolist.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#include <cstdio>
#include <initializer_list>

namespace {

// Colours as the schedule file stores them: 0x00BBGGRR.
constexpr qint32 kRed = 0x000000C8;
constexpr qint32 kBlue = 0x00C05000;
constexpr qint32 kGreen = 0x00008000;
constexpr qint32 kOrange = 0x000070E0;
constexpr qint32 kPink = 0x009040E0;
constexpr qint32 kPurple = 0x00902080;

bool g_failed = false;

void fail(const QString &what)
{
    std::fprintf(stderr, "quillmere-demo-folder: %s\n", qPrintable(what));
    g_failed = true;
}

void check(const TSaveResult &result, const QString &what)
{
    if (!result.ok)
        fail(what + QStringLiteral(": ") + result.error);
}

// A day of the month, moved back into it for short months.
QDate day(const QDate &month, int d)
{
    return QDate(month.year(), month.month(), qMin(d, month.daysInMonth()));
}

// Schedules number the weekdays 1 (Sunday) to 7 (Saturday), one bit each.
quint8 weekdays(std::initializer_list<int> numbers)
{
    quint8 bits = 0;
    for (int n : numbers)
        bits = quint8(bits | (1u << n));
    return bits;
}

class TScheduleMaker
{
public:
    explicit TScheduleMaker(TAlarmList &list) : m_list(list) {}

    TAlarm2 &add(quint8 type, const QStringList &lines, const QDate &date = {}, int hour = 0, int minute = 0)
    {
        TAlarm2 a;
        a.AlarmType = type;
        a.Lines = lines;
        if (date.isValid()) {
            a.AlarmDateTime.Year = quint16(date.year());
            a.AlarmDateTime.Month = quint16(date.month());
            a.AlarmDateTime.Day = quint16(date.day());
        }
        a.AlarmDateTime.Hour = quint16(hour);
        a.AlarmDateTime.Minute = quint16(minute);
        return *m_list.Add(a);
    }
    TAlarm2 &weekly(quint8 type, const QStringList &lines, quint8 days, int hour = 0, int minute = 0)
    {
        TAlarm2 &a = add(type, lines, {}, hour, minute);
        a.AlarmDateTime.DaysOfWeek = days;
        return a;
    }

private:
    TAlarmList &m_list;
};

TAlarm2 &colour(TAlarm2 &a, qint32 color)
{
    a.UseColor = 1;
    a.Color = color;
    return a;
}

// A document the user keeps beside the data, opened by one schedule.
QString writeAgenda(const QString &folder)
{
    const QString path = folder + QStringLiteral("資料/定例会議アジェンダ.txt");
    QDir().mkpath(folder + QStringLiteral("資料"));
    QByteArray bytes;
    if (!EncodeText(QStringLiteral("定例会議アジェンダ\n\n1. 先週の進捗\n2. 今週の予定\n3. 課題と対策\n"), bytes))
        fail(path);
    check(WriteFileAtomically(path, bytes), path);
    return path;
}

void writeSchedules(const QString &folder, const QDate &month, const QDate &today)
{
    TAlarmTimer timer;
    TScheduleMaker s(timer.AlarmList());
    const QDate next = month.addMonths(1);

    colour(s.add(atDate, {QStringLiteral("歯医者（定期検診）"), QStringLiteral("さくら歯科 保険証を忘れずに")},
                 day(month, 3), 10, 30),
           kRed);
    s.add(atDate, {QStringLiteral("田中さんと打ち合わせ")}, day(month, 4), 15, 0);
    colour(s.add(atDate, {QStringLiteral("企画会議"), QStringLiteral("第3会議室・資料20部")}, day(month, 8), 14, 0),
           kBlue);
    TAlarm2 &agenda = s.add(atDate, {QStringLiteral("会議資料を開く")}, day(month, 8), 13, 45);
    agenda.ExecuteType = etShellExecute;
    agenda.ShellExecute.FileName = writeAgenda(folder);
    agenda.ShellExecute.Directory = folder + QStringLiteral("資料");
    s.add(atDateNoTime, {QStringLiteral("健康診断"), QStringLiteral("朝食抜き・問診票を記入")}, day(month, 11));
    s.add(atDate,
          {QStringLiteral("クライアント先で新製品のデモンストレーションとアンケートの回収")},
          day(month, 15), 13, 0);
    colour(s.add(atDate, {QStringLiteral("同期との飲み会"), QStringLiteral("新宿駅東口 18:45集合")}, day(month, 18),
                 19, 0),
           kOrange);
    TAlarm2 &deadline = colour(s.add(atDateNoTime, {QStringLiteral("企画書の提出締切")}, day(month, 19)), kRed);
    deadline.PreviouseAlert.Kind = AlertByDays;
    deadline.PreviouseAlert.Amount = 2;
    s.add(atDate, {QStringLiteral("美容院")}, day(month, 20), 11, 0);
    colour(s.add(atDate, {QStringLiteral("大阪出張"), QStringLiteral("のぞみ 東京 7:30発 8号車")}, day(month, 22), 7,
                 30),
           kPurple);
    s.add(atDateNoTime, {QStringLiteral("大阪出張（2日目）")}, day(month, 23));
    s.add(atDate, {QStringLiteral("歯医者（治療の続き）")}, day(next, 6), 18, 0);
    s.add(atDateNoTime, {QStringLiteral("町内会の集まり")}, day(next, 10));

    TAlarm2 &meeting = s.weekly(atWeekly, {QStringLiteral("週次定例ミーティング")}, weekdays({2}), 9, 30);
    meeting.PreviouseAlert.Kind = AlertByMinutes;
    meeting.PreviouseAlert.Amount = 10;
    colour(s.weekly(atWeekly, {QStringLiteral("ヨガ教室")}, weekdays({4, 6}), 19, 0), kGreen);
    s.weekly(atWeeklyNoTime, {QStringLiteral("燃えるゴミの日")}, weekdays({3, 6}));

    s.add(atMonthly, {QStringLiteral("月次報告書の提出")}, day(month, 5), 17, 0);
    colour(s.add(atMonthlyNoTime, {QStringLiteral("家賃の振り込み")}, day(month, 27)), kOrange);

    colour(s.add(atYearlyNoTime, {QStringLiteral("母の誕生日"), QStringLiteral("プレゼントは花束")},
                 day(month, 14)),
           kPink);
    s.add(atYearly, {QStringLiteral("結婚記念日のディナー"), QStringLiteral("レストラン予約済み")}, day(month, 26),
          19, 30);

    s.add(atEveryDay, {QStringLiteral("薬を飲む")}, today, 21, 0);
    TAlarm2 &backup = s.add(atStartUp, {QStringLiteral("バックアップの確認")});
    backup.HideFromShowSchedule = 1;

    check(timer.SaveToFile(Global().ScheduleFile()), Global().ScheduleFile());
}

void writeDayRules(const QDate &month)
{
    // The national holidays are the program's own table, written as the
    // program writes it into a folder that has none.
    TZoDateEx dateEx;
    TStderrPrompter prompter;
    if (!LoadDayFiles(dateEx, prompter))
        fail(QStringLiteral("holidays"));

    TZoDayItemList daysOff;
    daysOff.Add(TZoDayItem(month.year(), month.month(), day(month, 29).day(), QStringLiteral("有給休暇")));
    check(daysOff.SaveToFile(Global().DayOffFile()), Global().DayOffFile());
    TZoDayItemList special;
    special.Add(TZoDayItem(month.month(), day(month, 26).day(), QStringLiteral("結婚記念日")));
    check(special.SaveToFile(Global().SpecialDayFile()), Global().SpecialDayFile());
}

void writeToDo(const QDate &month, const QDateTime &now)
{
    TToDoList list;
    auto add = [&](const QString &text, const QDate &limit, const QTime &time = {}) -> TToDo & {
        auto item = std::make_unique<TToDo>(qmdt::fromDateTime(now));
        item->Text = text;
        if (limit.isValid()) {
            item->UseDate = true;
            item->UseTime = time.isValid();
            item->LimitDateTime = qmdt::fromDateTime(QDateTime(limit, time.isValid() ? time : QTime(0, 0)));
        }
        return *list.Add(std::move(item));
    };
    auto tick = [&](TToDo &item, const QDate &when) {
        item.Checked = true;
        item.CheckedDateTime = qmdt::fromDateTime(QDateTime(when, QTime(18, 20)));
    };

    TToDo &report = add(QStringLiteral("企画書を仕上げる"), day(month, 19), QTime(17, 0));
    report.Important = true;
    report.Urgent = true;
    report.PrevAlert.Kind = AlertByDays;
    report.PrevAlert.Amount = 1;
    add(QStringLiteral("保険の更新書類を送る"), day(month, 20)).Important = true;
    add(QStringLiteral("車検の予約"), day(month.addMonths(1), 15));
    tick(add(QStringLiteral("電気代の支払い"), day(month, 6)), day(month, 5));
    add(QStringLiteral("牛乳、パン、卵を買う"), {});
    tick(add(QStringLiteral("図書館の本を返す"), day(month, 9)), day(month, 8));
    add(QStringLiteral("スマートフォンの機種変更を検討"), {});
    TToDo &gift = add(QStringLiteral("母の誕生日プレゼントを選ぶ"), day(month, 12), QTime(20, 0));
    gift.Urgent = true;
    gift.PrevAlert.Kind = AlertByMinutes;
    gift.PrevAlert.Amount = 60;
    tick(add(QStringLiteral("エアコンのフィルター掃除"), {}), day(month, 2));

    const TToDoSaveResult saved = SaveToDoList(Global().ToDoFile(), list);
    if (!saved.ok)
        fail(saved.message);
}

void writeMemo(const QString &path, const QString &text)
{
    check(SaveMemoText(path, text, true), path);
}

void writeMemos(const QDate &month)
{
    const QList<QPair<int, QString>> daily = {
        {2, QStringLiteral("エアコンのフィルターを掃除した。\n思ったより埃がたまっていた。")},
        {3, QStringLiteral("歯医者：次回は治療の続き。\n歯間ブラシを使うように言われた。")},
        {5, QStringLiteral("月次報告書を提出。\n来月から報告の様式が変わるらしい。")},
        {8, QStringLiteral("企画会議のメモ\n・予算は前年比110%で調整\n・来週までに競合の資料をまとめる\n・次回は15日")},
        {11, QStringLiteral("健康診断。体重が去年より2kg減っていた。")},
        {14, QStringLiteral("母に電話した。\n花束はとても喜んでくれた。")},
        {18, QStringLiteral("飲み会の会費 4,500円\n幹事は佐藤さん。")},
        {22, QStringLiteral("大阪：ホテルは梅田。\n夕食はお好み焼き。")},
    };
    for (const auto &[d, text] : daily)
        writeMemo(DailyMemoFileName(day(month, d)), text);

    writeMemo(MonthlyMemoFileName(month),
              QStringLiteral("今月の目標\n・毎朝30分のウォーキング\n・本を2冊読む\n・企画書を期限までに提出する\n\n"
                             "支出の予定\n・家賃 85,000円\n・出張の立替 約30,000円"));

    writeMemo(NotebookFileName(),
              QStringLiteral("思いついたこと\n\n"
                             "週末は少し遠出をして、紅葉の残っている山を歩きたい。早めに出れば、"
                             "昼過ぎには麓の温泉に着けるはず。\n\n"
                             "来年の手帳はこのプログラムだけで済ませてみる。予定、メモ、備忘録が一つの"
                             "画面にあるのは思ったより便利だ。\n\n"
                             "読みたい本：\n・「坂の上の雲」司馬遼太郎\n・「海辺のカフカ」村上春樹\n\n"
                             "パスワードの変更を忘れないこと（銀行、メール）。"));
}

void writePage(const QString &note, const QString &title, const QString &text)
{
    TNote page;
    page.FileName = TNoteStore::PagePath(note, title);
    page.Lines = TextLines(text);
    check(page.Save(), page.FileName);
}

void writeNotes()
{
    writePage(QStringLiteral("料理のレシピ"), QStringLiteral("肉じゃが"),
              QStringLiteral("材料（4人分）\n牛肉 200g\nじゃがいも 4個\n玉ねぎ 1個\nにんじん 1本\n\n"
                             "作り方\n1. 材料を一口大に切る。\n2. 肉を炒め、野菜を加える。\n"
                             "3. だし、砂糖、醤油、みりんで20分煮る。\n"));
    writePage(QStringLiteral("料理のレシピ"), QStringLiteral("味噌汁"),
              QStringLiteral("だし 600ml\n豆腐 半丁\nわかめ 少々\n味噌 大さじ3\n\n味噌は火を止めてから溶く。\n"));
    writePage(QStringLiteral("料理のレシピ"), QStringLiteral("親子丼"),
              QStringLiteral("鶏もも肉 1枚\n卵 3個\n玉ねぎ 半分\nめんつゆ 50ml\n"));
    writePage(QStringLiteral("旅行の計画"), QStringLiteral("京都 1日目"),
              QStringLiteral("9:00 京都駅着\n10:00 清水寺\n12:00 昼食（湯豆腐）\n14:00 祇園を散策\n"
                             "18:00 旅館にチェックイン\n"));
    writePage(QStringLiteral("旅行の計画"), QStringLiteral("京都 2日目"),
              QStringLiteral("8:30 伏見稲荷大社\n11:00 嵐山・竹林の小径\n15:00 お土産（八ツ橋）\n17:30 新幹線で帰宅\n"));
    writePage(QStringLiteral("旅行の計画"), QStringLiteral("持ち物リスト"),
              QStringLiteral("・着替え 2日分\n・充電器\n・常備薬\n・折りたたみ傘\n・カメラ\n"));
    writePage(QStringLiteral("読書メモ"), QStringLiteral("坂の上の雲"),
              QStringLiteral("明治の日本を生きた三人の物語。\n第一巻を読了。秋山兄弟と正岡子規の若い頃。\n"));
    writePage(QStringLiteral("読書メモ"), QStringLiteral("海辺のカフカ"),
              QStringLiteral("十五歳の少年とナカタさんの二つの話が交互に進む。\n"));
}

void writeSettings(const QString &folder)
{
    const TProfileFile settings(Global().SettingsFile());
    settings.writeBool(QStringLiteral("SETTINGS"), QStringLiteral("ShowSprash"), false);
    settings.writeString(QStringLiteral("SETTINGS"), QStringLiteral("DataFolder"), folder);
    // As the first start leaves it: the folder registered under its usual title.
    if (!StoreDataFolderEntry(kDefaultDataFolderTitle, folder))
        fail(QStringLiteral("DataFolders"));
}

bool parseMonth(const QString &text, QDate &month)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return false;
    month = QDate(m.captured(1).toInt(), m.captured(2).toInt(), 1);
    return month.isValid() && month.year() >= 1900 && month.year() <= 2099;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: quillmere-demo-folder FOLDER [YYYY-MM]\n");
        return 2;
    }
    const TSystemClock clock;
    const QDateTime now = clock.now();
    QDate month(now.date().year(), now.date().month(), 1);
    if (args.size() == 3 && !parseMonth(args[2], month)) {
        std::fprintf(stderr, "quillmere-demo-folder: the month must be YYYY-MM (1900-2099)\n");
        return 2;
    }

    const QString folder = WithTrailingSlash(QDir(args[1]).absolutePath());
    // Never mixed into someone's real data: the saves would retire their files.
    const QDir dir(folder);
    if (dir.exists() && !dir.isEmpty()) {
        std::fprintf(stderr, "quillmere-demo-folder: %s is not empty\n", qPrintable(folder));
        return 1;
    }
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "quillmere-demo-folder: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    Global().ProgramFolder = folder;
    Global().CurrentDataFolder = folder;

    try {
        writeSettings(folder);
        PrepareDataFolder(folder);
        writeDayRules(month);
        const QDate today = now.date().year() == month.year() && now.date().month() == month.month() ? now.date()
                                                                                                      : month;
        writeSchedules(folder, month, today);
        writeToDo(month, now);
        writeMemos(month);
        writeNotes();
    } catch (const EQuillmereError &e) {
        fail(e.message());
    }
    if (g_failed)
        return 1;
    std::printf("wrote %s for %s\n", qPrintable(folder), qPrintable(month.toString(QStringLiteral("yyyy-MM"))));
    return 0;
}
