#pragma once

// Ends the run at once when `holds` is false: libFuzzer then keeps the input
// that broke the promise named by `what`.
void Require(bool holds, const char* what);
