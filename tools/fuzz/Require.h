#pragma once

// Ends the run at once when `holds` is false: libFuzzer then keeps the input
// that broke the promise named by `what`.
void Require(bool holds, const char* what);

// Drops the scene model's trace for the whole run: a fuzzer makes millions.
void DropTrace();
