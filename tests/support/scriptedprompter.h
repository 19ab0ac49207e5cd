#pragma once

#include "core/prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

// Records every message and answers questions from a script (No when the
// script runs out), so tests can assert the exact texts shown.
class TScriptedPrompter final : public TPrompter
{
public:
    struct Message
    {
        QString kind; // "error", "info" or "confirm"
        QString text;
        QString caption;
    };

    QList<Message> messages;
    QList<bool> answers;

    void Error(const QString &text, const QString &caption = {}) override { messages.append({QStringLiteral("error"), text, caption}); }
    void Info(const QString &text, const QString &caption = {}) override { messages.append({QStringLiteral("info"), text, caption}); }
    bool Confirm(const QString &text, const QString &caption = {}) override
    {
        messages.append({QStringLiteral("confirm"), text, caption});
        return answers.isEmpty() ? false : answers.takeFirst();
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Message &m : messages)
            out << m.text;
        return out;
    }
    QStringList kinds() const
    {
        QStringList out;
        for (const Message &m : messages)
            out << m.kind;
        return out;
    }
    void clear() { messages.clear(); }
};
