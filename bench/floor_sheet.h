#pragma once
// The floor of a sheet recalculation: a bare recursive-descent evaluator over long double for
// the sheet benchmark's lines (numbers with E exponents, + - * / ^, parentheses, SIN COS SQRT
// LOG in degrees, the constants PI and C, line references An) that formats each result with
// snprintf, as bench/floor_eval.c does for the command line.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sheet/line_count.h"

class FloorSheet {
public:
    std::string formulas[kLineCount];
    long double values[kLineCount] = {};
    char results[kLineCount][32] = {};

    // One pass over all lines in ring order from line first.
    void RecalcAll(int first) {
        for (int k = 0; k < kLineCount; ++k) {
            const int line = (first + k) % kLineCount;
            pos_ = formulas[line].c_str();
            failed_ = false;
            const long double v = Sum();
            if (failed_ || *pos_ != '\0') {
                std::strcpy(results[line], "error");
            } else {
                values[line] = v;
                std::snprintf(results[line], sizeof results[line], "%.15Lg", v);
            }
        }
    }

private:
    static constexpr long double kDegree = 3.14159265358979323846264338327950288L / 180;

    const char* pos_ = nullptr;
    bool failed_ = false;

    bool Take(const char* word) {
        const std::size_t n = std::strlen(word);
        if (std::strncmp(pos_, word, n) != 0) return false;
        pos_ += n;
        return true;
    }

    long double Primary() {
        if (*pos_ == '(') {
            ++pos_;
            const long double v = Sum();
            if (*pos_ == ')') {
                ++pos_;
            } else {
                failed_ = true;
            }
            return v;
        }
        if (*pos_ == '-') {
            ++pos_;
            return -Primary();
        }
        if ((*pos_ >= '0' && *pos_ <= '9') || *pos_ == '.') {
            char* end;
            const long double v = std::strtold(pos_, &end);
            pos_ = end;
            return v;
        }
        if (Take("SIN(")) return std::sin(Group() * kDegree);
        if (Take("COS(")) return std::cos(Group() * kDegree);
        if (Take("SQRT(")) return std::sqrt(Group());
        if (Take("LOG(")) return std::log(Group());
        if (Take("PI")) return 3.1415926535897932384626433832795L;
        if (*pos_ == 'A' && pos_[1] >= '0' && pos_[1] <= '9') {
            char* end;
            const long line = std::strtol(pos_ + 1, &end, 10);
            pos_ = end;
            return line < kLineCount ? values[line] : 0;
        }
        if (Take("C")) return 299792.5E+3L;
        failed_ = true;
        return 0;
    }

    // The argument of a function whose "(" has been read.
    long double Group() {
        --pos_;
        return Primary();
    }

    long double Power() {
        long double v = Primary();
        while (*pos_ == '^') {
            ++pos_;
            v = std::pow(v, Primary());
        }
        return v;
    }

    long double Product() {
        long double v = Power();
        while (*pos_ == '*' || *pos_ == '/') {
            const char op = *pos_++;
            const long double r = Power();
            v = op == '*' ? v * r : v / r;
        }
        return v;
    }

    long double Sum() {
        long double v = Product();
        while (*pos_ == '+' || *pos_ == '-') {
            const char op = *pos_++;
            const long double r = Product();
            v = op == '+' ? v + r : v - r;
        }
        return v;
    }
};
