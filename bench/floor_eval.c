/* The least work a formula evaluator can do: a recursive-descent parser over long double that
 * reads one formula per line (numbers with E exponents, + - * / ^, parentheses, SIN COS SQRT
 * LOG in radians) and prints each result. bench/compare-peers times it as the floor.
 * ^ groups to the left, as in Tessarin. Errors print "error". */

#include <ctype.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const char* pos;
static int failed;

static long double sum(void);

static long double primary(void) {
    if (*pos == '(') {
        ++pos;
        long double v = sum();
        if (*pos == ')')
            ++pos;
        else
            failed = 1;
        return v;
    }
    if (*pos == '-') {
        ++pos;
        return -primary();
    }
    if (*pos == '+') {
        ++pos;
        return primary();
    }
    if (isdigit((unsigned char)*pos) || *pos == '.') {
        char* end;
        long double v = strtold(pos, &end);
        pos = end;
        return v;
    }
    static const struct {
        const char* name;
        long double (*fn)(long double);
    } functions[] = {{"SIN", sinl}, {"COS", cosl}, {"SQRT", sqrtl}, {"LOG", logl}};
    for (size_t i = 0; i < sizeof functions / sizeof functions[0]; ++i) {
        size_t n = strlen(functions[i].name);
        if (strncmp(pos, functions[i].name, n) == 0 && pos[n] == '(') {
            pos += n;
            return functions[i].fn(primary());
        }
    }
    failed = 1;
    return 0;
}

static long double power(void) {
    long double v = primary();
    while (*pos == '^') {
        ++pos;
        v = powl(v, primary());
    }
    return v;
}

static long double product(void) {
    long double v = power();
    while (*pos == '*' || *pos == '/') {
        char op = *pos++;
        long double r = power();
        v = op == '*' ? v * r : v / r;
    }
    return v;
}

static long double sum(void) {
    long double v = product();
    while (*pos == '+' || *pos == '-') {
        char op = *pos++;
        long double r = product();
        v = op == '+' ? v + r : v - r;
    }
    return v;
}

int main(void) {
    static char line[65536];
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\r\n")] = '\0';
        pos = line;
        failed = 0;
        long double v = sum();
        if (failed || *pos != '\0')
            puts("error");
        else
            printf("%.15Lg\n", v);
    }
    return 0;
}
