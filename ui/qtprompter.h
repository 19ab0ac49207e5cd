#pragma once

#include "core/prompter.h"

class QWidget;

// The prompter of the running program: real message boxes, captioned with the
// application title unless a caption is given.
class TMessageBoxPrompter final : public TPrompter
{
public:
    explicit TMessageBoxPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void Error(const QString &text, const QString &caption = {}) override;
    void Info(const QString &text, const QString &caption = {}) override;
    bool Confirm(const QString &text, const QString &caption = {}) override;

private:
    QWidget *m_parent;
};

// Message texts keep the stored "\r\n"; a box wants plain line breaks.
QString MessageBoxText(const QString &text);
