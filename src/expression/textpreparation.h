#pragma once

#include <QString>
#include <QStringView>

// A typed expression with the typed forms the evaluator does not read rewritten, and what the
// checks before evaluation need to know about the rewritten text.
struct PreparedText
{
    QString text;
    bool blank = true;                      // nothing but white space (or nothing at all)
    bool consecutiveMultiplicative = false; // "**", "*/", "/*" or "//" somewhere
    bool integerDivision = false;           // a "\" somewhere
    bool degreeSign = false;                // a "°" somewhere
};

// One pass over `typed`: blanks (U+0020) dropped; "×" and "÷" become "*" and "/"; "（", "[", "{",
// "【", "｛" become "("; "）", "]", "}", "】", "｝" become ")"; "π" becomes "3.1416". Every rule
// maps one character and none produces a character another rule rewrites, so the result equals
// the rules applied one after the other over the whole text.
PreparedText prepareTypedText(QStringView typed);

// True when `text` holds "Sin", "Cos", "Tan" or "Atn" in any letter case (case folded as
// QString's case-insensitive search does).
bool mentionsTrigonometry(QStringView text);
