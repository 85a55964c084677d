#pragma once
// The evaluator: turns one formula text into an extended value or one of seven errors. It
// rewrites text instead of building a tree: groups and names become work references "#k" into
// WorkValues until a flat chain of operands and operators is left.

#include <cstdint>
#include <string>
#include <vector>

#include "expr/extended.h"
#include "expr/value_table.h"

enum ErrorCodes : std::int32_t {
    ErrNone = 0,
    ErrIncomplete = -1,
    ErrZeroDivide = -2,
    ErrUndefinedName = -3,
    ErrUndefinedFunction = -4,
    ErrOverflow = -5,
    ErrUnderflow = -6,
    ErrBadArgument = -7,
};

class CalcExpression {
public:
    // An evaluator with an empty constant list that reads and writes no file.
    CalcExpression();
    // Loads the constant list from constantFile; the destructor saves it back there, unless the
    // file existed but could not be read (the user's constants are never replaced by defaults).
    explicit CalcExpression(std::string constantFile);
    virtual ~CalcExpression();
    CalcExpression(const CalcExpression&) = delete;
    CalcExpression& operator=(const CalcExpression&) = delete;

    // Evaluates one formula; sets ErrorCode, ResultValue and ErrorText and returns ResultValue.
    Extended Calculate(const std::string& formula);

    ValueTable WorkValues;
    std::int32_t ErrorCode = 0;
    Extended ResultValue = 0;
    std::string ErrorText;  // UTF-8
    std::int32_t MaxExpansions = 100;
    std::int32_t Degree = 0;                // non-zero: degrees, 0: radians
    std::vector<std::string> Constants;     // NAME=VALUE lines, UTF-8
    ValueTable LineValues;                  // entry n: value of sheet line n, or ErrorValue

protected:
    virtual Extended NameValue(const std::string& name);
    virtual Extended CalcFunction(const std::string& call);

private:
    std::string constantFile_;
    bool saveConstantsOnExit_ = false;
};

// The program-wide evaluator; set by start-up (and by tests) before any window exists.
extern CalcExpression* calcExpression;
