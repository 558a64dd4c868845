#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// Error numbers the program raises and tells apart.
namespace ErrorNumber {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int OutOfStackSpace = 28;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int NoSuchControl = 340;
inline constexpr int InvalidPropertyValue = 380;
// The program's own numbers: the user-error base 0x80040000 plus 1001 and 1002.
inline constexpr int ExcessClosingBracket = -2147220503;  // 0x800403E9
inline constexpr int MissingClosingBracket = -2147220502; // 0x800403EA
} // namespace ErrorNumber

// The standard description of a runtime error number; empty for numbers without one.
QString standardErrorDescription(int number);

// An error as a value: number, source and description. Thrown as an exception by the
// code that raises it and caught by the handler that chooses a message by the number.
class ErrorValue : public std::exception
{
public:
    // An empty description takes the standard description of the number.
    explicit ErrorValue(int number, QString source = QString(), QString description = QString());

    int number() const { return m_number; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }

    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};
