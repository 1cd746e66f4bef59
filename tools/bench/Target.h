#pragma once
// A bound that a measure must keep, and how a row says whether it did.

struct Target {
  double bound;
  bool strict;  // under the bound, not merely at most

  bool Met(double value) const { return strict ? value < bound : value <= bound; }
  const char* Relation() const { return strict ? "<" : "<="; }
};

inline const char* Verdict(bool met) { return met ? "ok" : "MISSED"; }
