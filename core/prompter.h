#pragma once

#include <QString>

// Every message box goes through this seam: the window side shows real boxes,
// tests script the answers and check the exact texts. An empty caption means
// the application title.
class TPrompter
{
public:
    virtual ~TPrompter() = default;
    virtual void Error(const QString &text, const QString &caption = {}) = 0;
    virtual void Info(const QString &text, const QString &caption = {}) = 0;
    // Yes/No question; anything but Yes is false.
    virtual bool Confirm(const QString &text, const QString &caption = {}) = 0;
};

// For code that runs without a window (the command-line tool): errors go to
// standard error, questions are answered No.
class TStderrPrompter final : public TPrompter
{
public:
    void Error(const QString &text, const QString &caption = {}) override;
    void Info(const QString &text, const QString &caption = {}) override;
    bool Confirm(const QString &text, const QString &caption = {}) override;
};
