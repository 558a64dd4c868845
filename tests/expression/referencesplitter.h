#pragma once

#include <QString>

class Prompts;

// The recursive splitter written the plain way: every level rescans its text and recurses into
// copies of both halves; a signed text with no split operator reads its number by prefix.
// Kept only to check the evaluator against, on texts short enough for its recursion.
double referenceEvaluate(QString text, float &toHDu, Prompts &prompts);
