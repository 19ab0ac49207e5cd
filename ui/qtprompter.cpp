#include "ui/qtprompter.h"

#include "core/appglobal.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QString captionOr(const QString &caption)
{
    return caption.isEmpty() ? Global().AppTitle : caption;
}

QWidget *parentOr(QWidget *parent)
{
    return parent ? parent : QApplication::activeWindow();
}
} // namespace

QString MessageBoxText(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

void TMessageBoxPrompter::Error(const QString &text, const QString &caption)
{
    QMessageBox::critical(parentOr(m_parent), captionOr(caption), MessageBoxText(text));
}

void TMessageBoxPrompter::Info(const QString &text, const QString &caption)
{
    QMessageBox::information(parentOr(m_parent), captionOr(caption), MessageBoxText(text));
}

bool TMessageBoxPrompter::Confirm(const QString &text, const QString &caption)
{
    return QMessageBox::question(parentOr(m_parent), captionOr(caption), MessageBoxText(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}
