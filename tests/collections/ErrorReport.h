#pragma once

#include <string>

// Death tests of run-time errors. The report of a run-time error is a message box on Windows,
// which would wait for an operator forever, and a line on standard error elsewhere.

// Call first in a death test's statement. On Windows it starts a watcher in the dying process:
// it waits for the process's message box, writes its caption and text to standard error, and
// presses OK, so that the process goes on to end with its exit code. Elsewhere nothing.
void AnswerErrorBox();

// The pattern that the death test's standard error must match for a report whose text matches
// `textPattern`: on Windows a box captioned "Error" with that text, elsewhere the text itself.
std::string ErrorReportPattern(const std::string& textPattern);
