#pragma once
// The host's floating-point state is its own: a host may round otherwise or
// unmask exceptions that a stored not-a-number would raise. The plug-in works
// in the default state (nearest, ties to even, every exception masked) and
// gives the host's back when it returns.

#include <cfenv>

class DefaultFloatEnvironment {
 public:
  DefaultFloatEnvironment() {
    std::fegetenv(&host_);
    std::fesetenv(FE_DFL_ENV);
  }
  DefaultFloatEnvironment(const DefaultFloatEnvironment&) = delete;
  DefaultFloatEnvironment& operator=(const DefaultFloatEnvironment&) = delete;
  ~DefaultFloatEnvironment() { std::fesetenv(&host_); }

 private:
  std::fenv_t host_;
};
