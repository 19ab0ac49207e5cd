// Usage: bench_typing FOLDER   (a folder written by quillmere-gendata)
// One keystroke in the notebook of the real window, with the folder's large
// notebook and with a one-line one: the cost of a key must not grow with the
// text (the unsaved mark and every other per-key reaction are constant work).
#include "bench/benchreport.h"
#include "core/appglobal.h"
#include "core/clock.h"
#include "core/prompter.h"
#include "ui/application.h"
#include "ui/mainwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTest>

#include <cstdio>

namespace {

class TSilentPrompter final : public TPrompter
{
public:
    void Error(const QString &text, const QString &) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void Info(const QString &text, const QString &) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool Confirm(const QString &, const QString &) override { return false; }
};

void TypeInto(QPlainTextEdit *editor, const char *label)
{
    QTextCursor end = editor->textCursor();
    end.movePosition(QTextCursor::End);
    editor->setTextCursor(end);
    std::printf("%s: %lld characters\n", label, static_cast<long long>(editor->document()->characterCount()));
    BenchReport("one keystroke (a letter), end of the text", 200, [&] { QTest::keyClick(editor, Qt::Key_A); });
    QTextCursor start = editor->textCursor();
    start.movePosition(QTextCursor::Start);
    editor->setTextCursor(start);
    BenchReport("one keystroke (Enter), start of the text", 100, [&] { QTest::keyClick(editor, Qt::Key_Return); });
}

} // namespace

int main(int argc, char **argv)
{
    TQuillmereApplication app(argc, argv);
    const QString folder = BenchDataFolder(argc, argv, "bench_typing");
    if (folder.isEmpty())
        return 2;
    if (QFileInfo(folder + QStringLiteral("Memo/notebook.txt")).size() < 500000) {
        std::fprintf(stderr, "no large notebook in %s\n", qPrintable(folder));
        return 1;
    }
    TSilentPrompter prompter;
    TFixedClock clock(QDateTime(QDate(2025, 5, 13), QTime(9, 0)));
    TfrmQuillmereMainWindow window(prompter, clock);
    window.show();
    window.ShowView(mvNotebook);
    QPlainTextEdit *notebook = window.memNotebook();
    QCoreApplication::processEvents();
    TypeInto(notebook, "large notebook");
    notebook->setPlainText(QStringLiteral("一行だけ"));
    QCoreApplication::processEvents();
    TypeInto(notebook, "one-line notebook");
    // Nothing typed here is kept.
    notebook->document()->setModified(false);
    return 0;
}
