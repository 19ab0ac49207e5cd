#pragma once

#include <QApplication>
#include <functional>

class TPrompter;

// The text the general error display shows: the error's message, with "."
// appended when its last character sorts after "." (so "。" gets one too).
QString GeneralErrorText(const QString &message);

// Catches every exception that reaches the event loop and shows it; the
// program keeps running.
class TQuillmereApplication : public QApplication
{
    Q_OBJECT
public:
    TQuillmereApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Where the general error display shows its box; tests replace it.
    void setErrorPrompter(TPrompter *prompter) { m_errorPrompter = prompter; }
    void showGeneralError(const QString &message);

private:
    TPrompter *m_errorPrompter = nullptr;
    bool m_inErrorDisplay = false;
};
