#pragma once

#include <QString>
#include <QStringList>

// The classic INI profile file: CP932, CR LF, section and key names compared
// without case. Every call reads the file as it is on disk now, another
// writer's change included (except inside a TReadScope); only the parse of
// unchanged bytes is reused.
class TProfileFile
{
public:
    explicit TProfileFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }

    // At most 2047 bytes; a value that both begins and ends with a double quote
    // loses those two quotes.
    QString readString(const QString &section, const QString &key, const QString &def) const;
    // 0x/0X followed by hex digits is hexadecimal (32 bits); anything that is not
    // a valid integer gives `def`.
    int readInteger(const QString &section, const QString &key, int def) const;
    bool readBool(const QString &section, const QString &key, bool def) const;
    bool keyExists(const QString &section, const QString &key) const;
    // Keys of a section in file order.
    QStringList readKeys(const QString &section) const;

    // Writes throw ESettingsWriteError ("%s に書き込めません") when refused.
    void writeString(const QString &section, const QString &key, const QString &value) const;
    void writeInteger(const QString &section, const QString &key, int value) const;
    void writeBool(const QString &section, const QString &key, bool value) const;
    void deleteKey(const QString &section, const QString &key) const;

    // While one is alive, reads on this thread take each file from disk once,
    // when first asked for it: for one piece of work that reads hundreds of
    // settings in a row, such as building the main window. The program's own
    // writes are seen at once, and a write always starts from the file as it
    // is on disk; another program's change is seen once the scope has ended.
    class TReadScope
    {
    public:
        TReadScope();
        ~TReadScope();
        TReadScope(const TReadScope &) = delete;
        TReadScope &operator=(const TReadScope &) = delete;
    };

    // The integer parser shared by every reader of stored numbers.
    static bool parseInteger(const QString &text, int &value);

private:
    QString m_path;
};
