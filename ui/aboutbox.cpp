#include "ui/aboutbox.h"

#include "core/appglobal.h"
#include "core/global.h"
#include "core/prompter.h"
#include "ui/splash.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kLegalNotice = QStringLiteral("Copyright (C) 2026 Quillmere developers");
const QString kComment = QStringLiteral("予定・メモ・備忘録・ノートを一つのカレンダーで");

// Each part of a file version is a 16-bit number.
constexpr int kMaxVersionPart = 0xFFFF;

// The override cursor comes back however the counting ends.
class TBusyCursor
{
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor &) = delete;
    TBusyCursor &operator=(const TBusyCursor &) = delete;
};

// There are no image files to ship: the program's mark is drawn, a month
// page in the splash's colours.
QPixmap programIcon()
{
    const QIcon appIcon = QApplication::windowIcon();
    if (!appIcon.isNull())
        return appIcon.pixmap(32, 32);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x40, 0x40, 0x60));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2.5, 3.5, 27, 26), 3, 3);
    p.fillRect(QRectF(3, 4, 26, 8), QColor(0x00, 0x00, 0x80));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            p.setBrush(row == 1 && col == 2 ? QColor(0xC0, 0x20, 0x20) : QColor(0x80, 0x80, 0xA0));
            p.drawRect(QRectF(6 + col * 6, 15 + row * 4.5, 3.5, 3));
        }
    return pixmap;
}

QPixmap splashImage()
{
    TfrmSprash splash;
    return splash.grab();
}

QLabel *newLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit *newAddressField(const QString &name, const QString &text, QWidget *parent)
{
    auto *field = new QLineEdit(text, parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setCursor(Qt::PointingHandCursor);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(text) + 24);
    QPalette link = field->palette();
    link.setColor(QPalette::Text, link.color(QPalette::Link));
    field->setPalette(link);
    return field;
}

} // namespace

std::optional<TFileVersion> ParseFileVersion(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() > 4)
        return std::nullopt;
    int numbers[4] = {0, 0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part.isEmpty() || part.size() > 5)
            return std::nullopt;
        for (const QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        numbers[i] = part.toInt();
        if (numbers[i] > kMaxVersionPart)
            return std::nullopt;
    }
    return TFileVersion{numbers[0], numbers[1], numbers[2], numbers[3]};
}

QString VersionNumberText(const std::optional<TFileVersion> &version)
{
    if (!version)
        return QStringLiteral("-.-");
    if (version->Release != 0)
        return QString::asprintf("%2d.%.1d%.1d", version->Major, version->Minor, version->Release);
    return QString::asprintf("%2d.%.2d", version->Major, version->Minor);
}

QString BuildNumberText(const std::optional<TFileVersion> &version)
{
    return version ? QString::asprintf("%.4d", version->Build) : QStringLiteral("????");
}

// The old rule put "http://" in front of anything that lacked it, which made
// "https://..." unusable; any address that names its own scheme is kept.
QString WebPageAddress(const QString &text)
{
    return text.contains(QLatin1String("://")) ? text : QStringLiteral("http://") + text;
}

QString MailAddress(const QString &text)
{
    return text.contains(QLatin1String("mailto:"), Qt::CaseInsensitive) ? text : QStringLiteral("mailto:") + text;
}

QString TAboutBox::MailAddressText()
{
    return QStringLiteral("quillmere@example.org");
}

QString TAboutBox::HomePageText()
{
    return QStringLiteral("www.example.org/quillmere/");
}

TAboutBox::TAboutBox(TPrompter &prompter, const std::function<TUsageCounts()> &count, TAboutPage first, QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_opener([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Quillmere情報"));
    setModal(true);

    TUsageCounts counts;
    {
        TBusyCursor busy;
        counts = count();
    }

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pgAbout"));
    m_pages->setTabPosition(QTabWidget::South);
    // Three tabs always show whole: the box grows to them instead of scrolling.
    m_pages->tabBar()->setUsesScrollButtons(false);
    m_pages->setElideMode(Qt::ElideNone);
    m_pages->addTab(buildVersionPage(), QStringLiteral("バージョン情報"));
    m_pages->addTab(buildContactPage(), QStringLiteral("連絡先・ホームページ"));
    m_pages->addTab(buildUsagePage(counts), QStringLiteral("Quillmere使用状況"));
    m_pages->setCurrentIndex(first == apContact ? 1 : 0);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    setHelp({});
}

QWidget *TAboutBox::buildVersionPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("pgVersion"));
    const std::optional<TFileVersion> version = ParseFileVersion(Global().VersionInfo);

    m_icon = newLabel(QStringLiteral("imgIcon"), QString(), page);
    m_icon->setPixmap(programIcon());
    m_icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_icon->installEventFilter(this);

    QLabel *product = newLabel(QStringLiteral("lblProductName"), GetProductNameText(), page);
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    product->setFont(big);
    QLabel *versionLabel =
        newLabel(QStringLiteral("lblVersion"), QStringLiteral("Version ") + VersionNumberText(version), page);
    m_build = newLabel(QStringLiteral("lblBuild"), QStringLiteral("Build ") + BuildNumberText(version), page);
    // The secret label must not make the box jump when it appears.
    QSizePolicy keep = m_build->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_build->setSizePolicy(keep);
    m_build->hide();

    auto *texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(versionLabel);
    texts->addWidget(m_build);
    texts->addWidget(newLabel(QStringLiteral("lblLegalNotice"), kLegalNotice, page));
    texts->addWidget(newLabel(QStringLiteral("lblComments"), kComment, page));
    texts->addWidget(newLabel(QStringLiteral("lblRights"), QStringLiteral("All rights reserved."), page));

    auto *top = new QHBoxLayout;
    top->addWidget(m_icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(texts, 1);

    QLabel *splash = newLabel(QStringLiteral("imgSplash"), QString(), page);
    splash->setPixmap(splashImage());
    splash->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(splash, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    return page;
}

QWidget *TAboutBox::buildContactPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("pgContact"));
    m_mail = newAddressField(QStringLiteral("edtMailAddress"), MailAddressText(), page);
    m_homePage = newAddressField(QStringLiteral("edtHomePage"), HomePageText(), page);
    for (QLineEdit *field : {m_mail, m_homePage})
        field->installEventFilter(this);

    auto *question = new QPushButton(QStringLiteral("よくあるご質問(&F)"), page);
    question->setObjectName(QStringLiteral("btnQuestion"));
    connect(question, &QPushButton::clicked, this, [this] {
        if (m_help)
            m_help(kQuestionHelpContext);
    });
    m_question = question;

    auto *grid = new QGridLayout;
    grid->addWidget(newLabel(QStringLiteral("lblMailAddress"), QStringLiteral("メールアドレス："), page), 0, 0);
    grid->addWidget(m_mail, 0, 1);
    grid->addWidget(newLabel(QStringLiteral("lblHomePage"), QStringLiteral("ホームページ："), page), 1, 0);
    grid->addWidget(m_homePage, 1, 1);

    QLabel *hint = newLabel(QStringLiteral("lblContactHint"),
                            QStringLiteral("クリックするとメールソフトまたはブラウザが開きます。"), page);
    hint->setWordWrap(true);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(newLabel(QStringLiteral("lblContact"), QStringLiteral("作者連絡先"), page));
    layout->addLayout(grid);
    layout->addWidget(hint);
    layout->addStretch(1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(question);
    layout->addLayout(row);
    return page;
}

QWidget *TAboutBox::buildUsagePage(const TUsageCounts &counts)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("pgUsage"));
    auto *list = new QTreeWidget(page);
    list->setObjectName(QStringLiteral("lvUsage"));
    list->setColumnCount(2);
    list->setHeaderLabels({QStringLiteral("項目"), QStringLiteral("値")});
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setSectionsClickable(false);
    list->header()->setStretchLastSection(true);
    const std::pair<const char *, int> rows[] = {
        {"予定", counts.Schedules}, {"メモ", counts.Memos},       {"今月のメモ", counts.MonthlyMemos},
        {"備忘録", counts.ToDos},   {"ノート", counts.NotePages},
    };
    int widest = list->fontMetrics().horizontalAdvance(list->headerItem()->text(0));
    for (const auto &[caption, value] : rows) {
        const QString text = QString::fromUtf8(caption);
        new QTreeWidgetItem(list, {text, QString::number(value) + QStringLiteral(" 件")});
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(text));
    }
    // The item names with a gap before their values; the values take the rest.
    list->setColumnWidth(0, widest + 2 * list->fontMetrics().averageCharWidth() + 8);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(list);
    return page;
}

void TAboutBox::setHelp(THelp help)
{
    m_help = std::move(help);
    m_question->setEnabled(bool(m_help));
}

void TAboutBox::open(const QString &address)
{
    if (!m_opener || address.trimmed().isEmpty())
        return;
    // Nothing on the desktop takes the address: the old "no association" text.
    if (!m_opener(QUrl(address, QUrl::TolerantMode)))
        m_prompter.Error(address + QStringLiteral("の関連付けに不具合があります"));
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    const bool click =
        event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    const bool enter = event->type() == QEvent::KeyPress && (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return ||
                                                             static_cast<QKeyEvent *>(event)->key() == Qt::Key_Enter);
    if (watched == m_icon && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        m_build->setHidden(!m_build->isHidden());
        return true;
    }
    if (watched == m_mail && (click || enter)) {
        open(MailAddress(m_mail->text()));
        return enter;
    }
    if (watched == m_homePage && (click || enter)) {
        open(WebPageAddress(m_homePage->text()));
        return enter;
    }
    return QDialog::eventFilter(watched, event);
}
