#pragma once
// The evaluator: turns one formula text into an extended value or one of seven errors. It
// rewrites text instead of building a tree: groups and names become work references "#k" into
// WorkValues until a flat chain of operands and operators is left.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "expr/extended.h"
#include "expr/value_table.h"
#include "platform/file_status.h"

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

// Degrees per radian as the evaluator uses it: 180 divided by the double nearest to pi,
// computed in extended (not the extended value nearest to 180/pi).
inline constexpr Extended DegreeFactor = 180.0L / static_cast<Extended>(3.141592653589793116);

class CalcExpression {
public:
    // An evaluator with an empty constant list that reads and writes no file.
    CalcExpression();
    // Loads the constant list from constantFile (the two defaults when it has none).
    explicit CalcExpression(std::string constantFile);
    virtual ~CalcExpression() = default;
    CalcExpression(const CalcExpression&) = delete;
    CalcExpression& operator=(const CalcExpression&) = delete;

    // At the end of the run: writes the constants the run added, changed or removed onto the
    // constant file as it is now (another window may have saved its own). Ok without writing
    // when the run changed nothing or the evaluator has no file. Over a file that existed but
    // could not be read at the start nothing is written either (the user's constants are never
    // replaced by defaults): the result is why it could not be read.
    FileStatus SaveConstantChanges();
    // The constant file's path; empty for an evaluator without a file.
    const std::string& ConstantFile() const { return constantFile_; }

    // Evaluates one formula; sets ErrorCode, ResultValue and ErrorText and returns ResultValue.
    Extended Calculate(std::string_view formula);

    ValueTable WorkValues;
    std::int32_t ErrorCode = 0;
    Extended ResultValue = 0;
    std::string ErrorText;  // UTF-8
    std::int32_t MaxExpansions = 100;
    std::int32_t Degree = 0;             // non-zero: degrees, 0: radians
    std::vector<std::string> Constants;  // NAME=VALUE lines, UTF-8
    ValueTable LineValues;               // entry n: value of sheet line n, or ErrorValue

protected:
    // Value of a name; ErrorCode 0 on success, ErrUndefinedName when the name stands for no
    // number, ErrIncomplete when the work table is full.
    virtual Extended NameValue(const std::string& name);
    // Value of NAME(argument); ErrorCode as for a whole formula, ErrorText holding the name for
    // ErrUndefinedFunction and ErrBadArgument.
    virtual Extended CalcFunction(const std::string& call);

private:
    // Steps of Calculate after the formula has been cleaned into text_: parentheses, the flat
    // rest and the range check of the result.
    void Evaluate();
    // Value of a text without parentheses; sets ErrorCode (0 on success).
    Extended CalcSimple(std::string_view text);
    // The text that stands for a name: a constant's value, a work reference "#k" to a line
    // value, or the name itself. Empty when the work table is full.
    std::optional<std::string_view> ResolveName(std::string_view name);
    // Value of one operand of a flat expression: a work reference or a decimal number.
    bool OperandValue(std::string_view text, Extended& value);
    // Ends the current evaluation with ErrIncomplete.
    Extended Fail();
    // An operand that could not be read: an underflowing literal and a work entry without a
    // value keep their errors, any other fails.
    Extended OperandFailure();

    std::string constantFile_;
    FileStatus constantsRead_ = FileStatus::Missing;
    std::vector<std::string> constantsAtStart_;

    // Buffers reused from call to call, so that a typical formula allocates nothing.
    std::string text_;      // the formula being rewritten
    std::string simple_;    // the flat text inside CalcSimple
    std::string call_;      // the function call handed to CalcFunction
    std::string name_;      // the name handed to NameValue
    std::string resolved_;  // a work reference made by ResolveName
    std::string number_;    // a name's text without thousands separators
    ValueTable operands_;
    std::array<char, ValueTable::Capacity + 1> operators_{};
};
