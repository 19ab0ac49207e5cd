#pragma once

#include <QString>
#include <exception>

// Errors that reach the general error display. Errors a caller is expected to
// handle come back as values instead.
class EQuillmereError : public std::exception
{
public:
    explicit EQuillmereError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A refused write of the settings file.
class ESettingsWriteError : public EQuillmereError
{
public:
    using EQuillmereError::EQuillmereError;
};
