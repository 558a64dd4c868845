#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// Error numbers the program raises and tells apart. The enumeration is unscoped inside its
// namespace on purpose: the names read ErrorNumber::TypeMismatch, and a number compares and
// switches with the plain int an ErrorValue carries (which may be any runtime number).
namespace ErrorNumber {
enum Value : int {
    InvalidCall = 5,
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
    OutOfStackSpace = 28,
    BadFileName = 52,
    FileNotFound = 53,
    FileAlreadyExists = 58,
    PathFileAccess = 75,
    PathNotFound = 76,
    NoSuchControl = 340,
    InvalidPropertyValue = 380,
    // The program's own numbers: the user-error base 0x80040000 plus 1001 and 1002.
    ExcessClosingBracket = -2147220503,  // 0x800403E9
    MissingClosingBracket = -2147220502, // 0x800403EA
};
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
