#include "ui/editorhelpers.h"

#include "core/global.h"
#include "core/settingskeys.h"
#include "ui/fontconv.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCharFormat>

namespace {

const char *const kPreeditProperty = "qmPreeditPending";

// Remembers whether a preedit is pending and recolours the converted clause.
class TImeWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TImeWatcher(QObject *parent) : QObject(parent) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::InputMethod)
            return false;
        auto *ime = static_cast<QInputMethodEvent *>(event);
        QObject *target = watched;
        // A plain-text editor receives the event on its viewport's parent.
        target->setProperty(kPreeditProperty, !ime->preeditString().isEmpty());
        if (m_recolour && !ime->preeditString().isEmpty() && !m_resending) {
            QList<QInputMethodEvent::Attribute> attrs = ime->attributes();
            bool changed = false;
            for (QInputMethodEvent::Attribute &a : attrs) {
                if (a.type != QInputMethodEvent::TextFormat)
                    continue;
                QTextCharFormat fmt = a.value.value<QTextFormat>().toCharFormat();
                // The clause being converted is the one the input method marks
                // with a background; the others keep what it reported.
                if (fmt.background().style() == Qt::NoBrush && !fmt.hasProperty(QTextFormat::BackgroundBrush))
                    continue;
                fmt.setForeground(m_foreground);
                fmt.setBackground(m_background);
                fmt.setFontUnderline(false);
                a.value = QVariant::fromValue(QTextFormat(fmt));
                changed = true;
            }
            if (changed) {
                QInputMethodEvent copy(ime->preeditString(), attrs);
                copy.setCommitString(ime->commitString(), ime->replacementStart(), ime->replacementLength());
                m_resending = true;
                QCoreApplication::sendEvent(watched, &copy);
                m_resending = false;
                return true;
            }
        }
        return false;
    }

    void setColours(const QColor &fg, const QColor &bg)
    {
        m_recolour = true;
        m_foreground = fg;
        m_background = bg;
    }

private:
    bool m_recolour = false;
    bool m_resending = false;
    QColor m_foreground;
    QColor m_background;
};

TImeWatcher *watcherFor(QWidget *w)
{
    if (auto *existing = w->findChild<TImeWatcher *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    auto *watcher = new TImeWatcher(w);
    w->installEventFilter(watcher);
    return watcher;
}

} // namespace

void SetImeOn(QWidget *control)
{
    if (!control || !GetIMEAutoOn())
        return;
    QWidget *target = control;
    if (auto *view = qobject_cast<QAbstractItemView *>(control)) {
        // The label editor the view shows, if any.
        target = view->findChild<QLineEdit *>();
        if (!target)
            return;
    } else if (!qobject_cast<QLineEdit *>(control) && !qobject_cast<QPlainTextEdit *>(control)) {
        return;
    }
    target->setAttribute(Qt::WA_InputMethodEnabled, true);
    if (QApplication::focusWidget() == target)
        QGuiApplication::inputMethod()->show();
}

bool HasImeComposition(const QWidget *editor)
{
    return editor && editor->property(kPreeditProperty).toBool();
}

void ApplyImeColors(QPlainTextEdit *editor)
{
    if (!editor)
        return;
    const QColor fg = ColorToQColor(ReadSetting(sk::SETTINGS, "IMEHenkanForegroundColor"));
    const QColor bg = ColorToQColor(ReadSetting(sk::SETTINGS, "IMEHenkanBackgroundColor"));
    watcherFor(editor)->setColours(fg, bg);
}

void SetRichEditWordWrap(QPlainTextEdit *editor, bool on)
{
    if (!editor)
        return;
    watcherFor(editor); // every editor that wraps also tracks its composition
    editor->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    editor->setWordWrapMode(on ? QTextOption::WrapAnywhere : QTextOption::NoWrap);
}

TTextLoad LoadTextIntoRichEdit(const QString &path, QPlainTextEdit *editor)
{
    watcherFor(editor);
    const QFileInfo info(path);
    const bool busy = info.exists() && info.size() > kBusyCursorLoadBytes;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    TTextLoad load = LoadTextFile(path);
    if (!load.exists)
        editor->clear();
    else if (load.ok)
        editor->setPlainText(load.text);
    if (busy)
        QApplication::restoreOverrideCursor();
    return load;
}

void SetBackgroundColor(QWidget *view, TColor color)
{
    QPalette pal = view->palette();
    pal.setColor(QPalette::Base, ColorToQColor(color));
    view->setPalette(pal);
}

#include "editorhelpers.moc"
