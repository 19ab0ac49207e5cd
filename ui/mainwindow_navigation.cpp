#include "ui/mainwindow.h"

#include "calendar/datenavigation.h"
#include "calendar/zocalendarcontrol.h"
#include "core/settingskeys.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *stripButton(QWidget *parent, const QString &name, const QString &text, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    return b;
}

// A press in the scroll strip outside its buttons pages the list.
class TScrollStripFilter : public QObject
{
public:
    TScrollStripFilter(QWidget *strip, std::function<void(bool)> onPress) : QObject(strip), m_onPress(std::move(onPress)) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *strip = static_cast<QWidget *>(watched);
            const auto *press = static_cast<QMouseEvent *>(event);
            m_onPress(press->position().y() < strip->height() / 2.0);
            return true;
        }
        return false;
    }

private:
    std::function<void(bool)> m_onPress;
};

} // namespace

void TfrmQuillmereMainWindow::createNavigationBars()
{
    m_tbYMDChange = new QToolBar(QStringLiteral("年月日移動"), this);
    m_tbYMDChange->setObjectName(QStringLiteral("tbYMDChange"));
    for (const char *name : {"acPrevYear", "acPrevMonth", "acPrevDay", "acToday", "acNextDay", "acNextMonth", "acNextYear"})
        m_tbYMDChange->addAction(action(QString::fromLatin1(name)));
    addToolBar(Qt::TopToolBarArea, m_tbYMDChange);

    m_tbYMChange = new QToolBar(QStringLiteral("年月指定"), this);
    m_tbYMChange->setObjectName(QStringLiteral("tbYMChange"));
    m_cmbYear = new QComboBox(m_tbYMChange);
    m_cmbYear->setObjectName(QStringLiteral("cmbYear"));
    for (int y = 1900; y <= 2099; ++y)
        m_cmbYear->addItem(QString::number(y), y);
    m_cmbMonth = new QComboBox(m_tbYMChange);
    m_cmbMonth->setObjectName(QStringLiteral("cmbMonth"));
    for (int m = 1; m <= 12; ++m)
        m_cmbMonth->addItem(QString::number(m), m);
    m_tbYMChange->addWidget(m_cmbYear);
    m_tbYMChange->addWidget(new QLabel(QStringLiteral(" 年 "), m_tbYMChange));
    m_tbYMChange->addWidget(m_cmbMonth);
    m_tbYMChange->addWidget(new QLabel(QStringLiteral(" 月"), m_tbYMChange));
    addToolBar(Qt::TopToolBarArea, m_tbYMChange);
    connect(m_cmbYear, &QComboBox::activated, this, &TfrmQuillmereMainWindow::yearMonthBoxChosen);
    connect(m_cmbMonth, &QComboBox::activated, this, &TfrmQuillmereMainWindow::yearMonthBoxChosen);

    connectBarToggle("acShowYMDChangeToolBar", m_tbYMDChange);
    connectBarToggle("acShowYMChangeToolBar", m_tbYMChange);
}

void TfrmQuillmereMainWindow::connectBarToggle(const char *actionName, QToolBar *bar)
{
    QAction *a = action(QString::fromLatin1(actionName));
    a->setProperty("unavailable", false);
    a->setEnabled(true);
    a->setCheckable(true);
    a->setChecked(true);
    connect(a, &QAction::toggled, bar, &QWidget::setVisible);
    connect(bar, &QToolBar::visibilityChanged, a, [a, this](bool on) {
        if (!m_closing)
            a->setChecked(on);
    });
}

QWidget *TfrmQuillmereMainWindow::createCalendarStrip(QWidget *parent)
{
    auto *strip = new QWidget(parent);
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *left = stripButton(strip, QStringLiteral("btnCalendarLeft"), QStringLiteral("左"), QStringLiteral("ｶﾚﾝﾀﾞｰを左に配置"));
    auto *top = stripButton(strip, QStringLiteral("btnCalendarTop"), QStringLiteral("上"), QStringLiteral("ｶﾚﾝﾀﾞｰを上に配置"));
    m_btnCalendarContents = stripButton(strip, QStringLiteral("btnCalendarContents"), QStringLiteral("カレンダー"),
                                        QStringLiteral("カレンダー形式表示"));
    m_btnCalendarList = stripButton(strip, QStringLiteral("btnCalendarList"), QStringLiteral("一覧"), QStringLiteral("一覧形式表示"));
    m_btnDecreaseRow = stripButton(strip, QStringLiteral("btnDecreaseRow"), QStringLiteral("－"), QStringLiteral("表示行を減らす"));
    m_btnIncreaseRow = stripButton(strip, QStringLiteral("btnIncreaseRow"), QStringLiteral("＋"), QStringLiteral("表示行を増やす"));
    for (QToolButton *b : {left, top, m_btnCalendarContents, m_btnCalendarList})
        b->setCheckable(true);
    left->setAutoExclusive(true);
    top->setAutoExclusive(true);
    m_btnCalendarContents->setAutoExclusive(true);
    m_btnCalendarList->setAutoExclusive(true);
    left->setChecked(ReadSetting(sk::SETTINGS, "CalendarPos") != 0);
    top->setChecked(!left->isChecked());
    connect(left, &QToolButton::clicked, this, [this] { m_calendarSplitter->setOrientation(Qt::Horizontal); });
    connect(top, &QToolButton::clicked, this, [this] { m_calendarSplitter->setOrientation(Qt::Vertical); });
    connect(m_btnCalendarContents, &QToolButton::clicked, this, [this] { SetCalendarListStyle(false); });
    connect(m_btnCalendarList, &QToolButton::clicked, this, [this] { SetCalendarListStyle(true); });
    connect(m_btnDecreaseRow, &QToolButton::clicked, this, [this] { m_calendar->SetDaysToShow(m_calendar->DaysToShow() - 1); });
    connect(m_btnIncreaseRow, &QToolButton::clicked, this, [this] { m_calendar->SetDaysToShow(m_calendar->DaysToShow() + 1); });
    for (QToolButton *b : {left, top, m_btnCalendarContents, m_btnCalendarList, m_btnDecreaseRow, m_btnIncreaseRow})
        layout->addWidget(b);
    layout->addStretch(1);
    return strip;
}

QWidget *TfrmQuillmereMainWindow::createScrollStrip(QWidget *parent)
{
    m_pnlScrollCalendar = new QWidget(parent);
    m_pnlScrollCalendar->setObjectName(QStringLiteral("pnlScrollCalendar"));
    m_pnlScrollCalendar->setFixedWidth(22);
    auto *layout = new QVBoxLayout(m_pnlScrollCalendar);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::tuple<const char *, const char *, const char *> buttons[] = {
        {"btnCalendarPrev", "▲", "acPrevDay"}, {"btnCalendarToday", "●", "acToday"}, {"btnCalendarNext", "▼", "acNextDay"}};
    int index = 0;
    for (const auto &[name, text, target] : buttons) {
        auto *b = stripButton(m_pnlScrollCalendar, QString::fromLatin1(name), QString::fromUtf8(text), QString());
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(250);
        b->setAutoRepeatInterval(75);
        connect(b, &QToolButton::clicked, action(QString::fromLatin1(target)), &QAction::trigger);
        if (index++ == 1)
            layout->addStretch(1);
        layout->addWidget(b);
        if (index == 2)
            layout->addStretch(1);
    }
    m_pnlScrollCalendar->installEventFilter(new TScrollStripFilter(m_pnlScrollCalendar, [this](bool upper) { ScrollStripPressed(upper); }));
    m_pnlScrollCalendar->setVisible(false);
    return m_pnlScrollCalendar;
}

void TfrmQuillmereMainWindow::SetCalendarListStyle(bool list)
{
    m_pnlScrollCalendar->setVisible(list);
    m_btnDecreaseRow->setVisible(list);
    m_btnIncreaseRow->setVisible(list);
    m_calendar->SetCalendarStyle(list ? csVertical1 : csMonthly2);
    (list ? m_btnCalendarList : m_btnCalendarContents)->setChecked(true);
}

void TfrmQuillmereMainWindow::ScrollStripPressed(bool upperHalf)
{
    m_calendar->SetCurrentDate(ScrollStripTarget(m_calendar->StartDate(), m_calendar->DaysToShow(), upperHalf));
}

bool TfrmQuillmereMainWindow::GoToDate(const QDate &date)
{
    if (!GoToDateAllowed(date))
        return false;
    m_calendar->SetCurrentDate(date);
    selectYearMonthBoxes(date);
    UpdateNavigationHints();
    UpdateDateTitles();
    return true;
}

void TfrmQuillmereMainWindow::stepDate(int months, int days)
{
    SaveData();
    GoToDate(StepDate(m_calendar->CurrentDate(), months, days));
}

void TfrmQuillmereMainWindow::goToday()
{
    if (!m_startupFinished)
        return;
    SaveData();
    const QDate today = m_clock.now().date();
    m_calendar->SetCurrentDate(today);
    m_calendar->SetStartDate(today);
    selectYearMonthBoxes(today);
}

void TfrmQuillmereMainWindow::selectYearMonthBoxes(const QDate &date)
{
    m_selectingBoxes = true;
    m_cmbYear->setCurrentIndex(m_cmbYear->findData(date.year()));
    m_cmbMonth->setCurrentIndex(m_cmbMonth->findData(date.month()));
    m_selectingBoxes = false;
}

void TfrmQuillmereMainWindow::yearMonthBoxChosen()
{
    if (m_selectingBoxes)
        return;
    SaveData();
    const QDate current = m_calendar->CurrentDate();
    const int months = (m_cmbYear->currentData().toInt() - current.year()) * 12
        + (m_cmbMonth->currentData().toInt() - current.month());
    m_calendar->SetCurrentDate(StepDate(current, months, 0));
    UpdateNavigationHints();
    UpdateDateTitles();
}

void TfrmQuillmereMainWindow::UpdateNavigationHints()
{
    const TNavigationHints hints = NavigationHints(m_calendar->CurrentDate());
    const std::pair<const char *, QString> texts[] = {
        {"acPrevYear", hints.prevYear}, {"acPrevMonth", hints.prevMonth}, {"acPrevDay", hints.prevDay},
        {"acNextDay", hints.nextDay},   {"acNextMonth", hints.nextMonth}, {"acNextYear", hints.nextYear},
    };
    for (const auto &[name, text] : texts)
        action(QString::fromLatin1(name))->setToolTip(text);
}
