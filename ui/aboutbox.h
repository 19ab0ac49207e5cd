#pragma once

#include "notes/usagecounts.h"

#include <QDialog>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QTabWidget;
class QTreeWidget;
class TPrompter;

// The program's version as major.minor.release.build, from the version text
// the build stamps in ("0.1.0", "1.2.3.45"); none when that text is no version.
struct TFileVersion
{
    int Major = 0;
    int Minor = 0;
    int Release = 0;
    int Build = 0;
};
std::optional<TFileVersion> ParseFileVersion(const QString &text);
// " 1.23" with a release number, " 1.02" without; "-.-" without a version.
QString VersionNumberText(const std::optional<TFileVersion> &version);
// "0045"; "????" without a version.
QString BuildNumberText(const std::optional<TFileVersion> &version);

// What the about box hands to the desktop for its two addresses: the web page
// gets "http://" and the mail address "mailto:" unless the text already says
// how it is to be opened.
QString WebPageAddress(const QString &text);
QString MailAddress(const QString &text);

// "Quillmere情報": version, the maker's addresses and what the data folder holds.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    enum TAboutPage
    {
        apVersion,
        apContact
    };
    // Hands an address to the desktop; false when nothing could open it.
    using TOpener = std::function<bool(const QUrl &)>;
    using THelp = std::function<void(int context)>;

    // `count` runs once, under the busy cursor, while the box is built: the
    // caller saves its unsaved memos before, so the counts include them.
    TAboutBox(TPrompter &prompter, const std::function<TUsageCounts()> &count, TAboutPage first = apVersion,
              QWidget *parent = nullptr);

    void setOpener(TOpener opener) { m_opener = std::move(opener); }
    // Without one, the question button is disabled: there is nothing to show.
    void setHelp(THelp help);

    static QString MailAddressText();
    static QString HomePageText();
    static constexpr int kQuestionHelpContext = 55;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildVersionPage();
    QWidget *buildContactPage();
    QWidget *buildUsagePage(const TUsageCounts &counts);
    void open(const QString &address);

    TPrompter &m_prompter;
    TOpener m_opener;
    THelp m_help;
    QTabWidget *m_pages = nullptr;
    QLabel *m_icon = nullptr;
    QLabel *m_build = nullptr;
    QLineEdit *m_mail = nullptr;
    QLineEdit *m_homePage = nullptr;
    QWidget *m_question = nullptr;
};
