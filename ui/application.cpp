#include "ui/application.h"

#include "core/appglobal.h"
#include "core/cp932.h"
#include "core/errors.h"
#include "ui/qtprompter.h"

#include <QFont>

#include <cstdio>

QString GeneralErrorText(const QString &message)
{
    if (message.isEmpty())
        return message;
    const QByteArray last = cp932::encodeLossy(message.right(message.at(message.size() - 1).isLowSurrogate() ? 2 : 1));
    if (!last.isEmpty() && static_cast<unsigned char>(last[0]) > static_cast<unsigned char>('.'))
        return message + QLatin1Char('.');
    return message;
}

TQuillmereApplication::TQuillmereApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // A Latin desktop font takes Japanese glyphs from a fallback, so digits
    // and kana of one line come from two fonts of different widths: prefer
    // a Japanese family for the whole program where one is installed.
    QFont base = font();
    QStringList families = {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")};
    families += base.families().isEmpty() ? QStringList{base.family()} : base.families();
    base.setFamilies(families);
    setFont(base);
}

void TQuillmereApplication::showGeneralError(const QString &message)
{
    const QString text = GeneralErrorText(message);
    // An error raised while its own box is up would stack boxes without end.
    if (m_inErrorDisplay) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        return;
    }
    m_inErrorDisplay = true;
    if (m_errorPrompter) {
        m_errorPrompter->Error(text, Global().AppTitle);
    } else {
        TMessageBoxPrompter prompter;
        prompter.Error(text, Global().AppTitle);
    }
    m_inErrorDisplay = false;
}

bool TQuillmereApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const EQuillmereError &e) {
        showGeneralError(e.message());
    } catch (const std::exception &e) {
        showGeneralError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showGeneralError(QStringLiteral("不明なエラーが発生しました"));
    }
    return false;
}
