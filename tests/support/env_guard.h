#pragma once
// An environment variable changed for the length of a scope.

#include <cstdlib>
#include <optional>
#include <string>

// Remembers an environment variable and restores it (or removes it again) at the end; the
// two-argument form also sets it (or, with nullopt, removes it) at once.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
    }
    EnvGuard(const char* name, const std::optional<std::string>& value) : EnvGuard(name) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvGuard() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};
