#include "ErrorReport.h"

void AnswerErrorBox() {}

std::string ErrorReportPattern(const std::string& textPattern) {
    return textPattern;
}
